#include "expressions/descriptor.h"

#include "driver/context.h"
#include "driver/messages.h"
#include "guard/whole_file.h"
#include "kit/descriptor.h"
#include "kit/project_file.h"

namespace compiler {
namespace {

// Any other value goes to Build as it was written, so that Build names it when it refuses it.
std::string platformWord(const std::string& platform) {
    if (platform == "TB" || platform == "J2ME") return "J2ME";
    return platform;
}

}  // namespace

std::string descriptorText(const Context& ctx) {
    const Project& p = ctx.project;
    const Library& lib = ctx.library;
    kit::Descriptor d;
    d.comments = {kit::kProjectFileHeader};
    d.main = p.main;
    // Source includes are already in the execution copy: Build gets the Java classes alone.
    d.includes = p.javaIncludes;
    d.classPaths = p.references;
    d.objects = ctx.typeFiles;
    d.run = std::to_string(p.run);
    d.name = p.name;
    d.platform = platformWord(p.platform);
    // A program always gets the API jars its code needs: the project's switches or what it uses.
    d.uses3D = p.uses3D || lib.uses3D();
    d.usesFloats = p.usesFloats || lib.usesFloats();
    d.usesMappy = lib.usesMappy();
    d.usesMM = p.usesMM || lib.usesMM() || lib.usesSound || lib.usesMidi || lib.usesVideo;
    d.usesImage = lib.usesImage;
    d.usesSound = lib.usesSound;
    d.usesMidi = lib.usesMidi;
    d.usesVideo = lib.usesVideo;
    d.usesInclude = true;
    d.cldc = d.uses3D || d.usesFloats ? "11" : "10";
    return kit::joinLines(kit::descriptorLines(d));
}

void writeDescriptor(Context& ctx, const std::string& file) {
    Console& console = ctx.console;
    console.line("**");
    console.line(res("Writing_Project"));
    const std::string text = descriptorText(ctx);
    if (guard::replaceFile(file, text) != 0) throw InternalFailure({res("Error_writing_the")});
}

}  // namespace compiler
