#include "expressions/descriptor.h"

#include "driver/context.h"
#include "driver/messages.h"
#include "guard/whole_file.h"

namespace compiler {
namespace {

const char* flag(bool on) {
    return on ? "true" : "false";
}

// Any other value goes to Build as it was written, so that Build names it when it refuses it.
std::string platformWord(const std::string& platform) {
    if (platform == "TB" || platform == "J2ME") return "J2ME";
    return platform;
}

}  // namespace

std::string descriptorText(const Context& ctx) {
    const Project& p = ctx.project;
    const Library& lib = ctx.library;
    // A program always gets the API jars its code needs: the project's switches or what it uses.
    const bool uses3D = p.uses3D || lib.uses3D();
    const bool usesFloats = p.usesFloats || lib.usesFloats();
    const bool usesMM = p.usesMM || lib.usesMM() || lib.usesSound || lib.usesMidi || lib.usesVideo;

    std::string text = "// Tesvo Zorid v1.1.0 Project File\n";
    text += "Main=" + p.main + "\n";
    // Source includes are already in the execution copy: Build gets the Java classes alone.
    for (std::size_t i = 0; i < p.javaIncludes.size(); ++i) {
        text += "Include" + std::to_string(i) + "=" + p.javaIncludes[i] + "\n";
    }
    for (std::size_t i = 0; i < p.references.size(); ++i) {
        text += "ClassPath" + std::to_string(i) + "=" + p.references[i] + "\n";
    }
    for (std::size_t i = 0; i < ctx.typeFiles.size(); ++i) {
        text += "Object" + std::to_string(i) + "=" + ctx.typeFiles[i] + "\n";
    }
    text += "Run=" + std::to_string(p.run) + "\n";
    text += "Name=" + p.name + "\n";
    text += "Platform=" + platformWord(p.platform) + "\n";
    text += std::string("3D=") + flag(uses3D) + "\n";
    text += std::string("Floats=") + flag(usesFloats) + "\n";
    text += std::string("Mappy=") + flag(lib.usesMappy()) + "\n";
    text += std::string("MM=") + flag(usesMM) + "\n";
    text += std::string("Image=") + flag(lib.usesImage) + "\n";
    text += std::string("Sound=") + flag(lib.usesSound) + "\n";
    text += std::string("Midi=") + flag(lib.usesMidi) + "\n";
    text += std::string("Video=") + flag(lib.usesVideo) + "\n";
    text += "Inc=true\n";
    text += (uses3D || usesFloats) ? "CLDC=11\n" : "CLDC=10\n";
    return text;
}

void writeDescriptor(Context& ctx, const std::string& file) {
    Console& console = ctx.console;
    console.line("**");
    console.line(res("Writing_Project"));
    const std::string text = descriptorText(ctx);
    if (guard::replaceFile(file, text) != 0) throw RunAbort{{res("Error_writing_the")}, 1};
}

}  // namespace compiler
