// Fuzzes the whole translation of one source text, in memory: source loading, pre-pass, statement
// translation and the writer. The first byte picks the target: phone, applet or byte tokens. Any input must
// end in a clean translation or in exactly one of the reports the compiler gives; anything else traps.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "driver/context.h"
#include "driver/prepass.h"
#include "driver/text_file.h"
#include "expressions/java_file_write.h"
#include "expressions/net_file_write.h"
#include "run/compiler.h"
#include "statements/convertor.h"

namespace {

// Record types write their sources into the project folder: one scratch folder per process.
const std::string& scratchFolder() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/tz-fuzz-XXXXXX";
        const char* made = ::mkdtemp(pattern);
        return std::string(made ? made : "/tmp") + "/";
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static const char* const kPlatforms[] = {"TB", "Applet", "PPC"};
    const std::string platform = kPlatforms[data[0] % 3];
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);

    std::ostringstream out;
    compiler::Context ctx(out, false);
    ctx.project.platform = platform;
    ctx.project.name = "Fuzz";
    ctx.project.javaIncludes = {"MODEL"};  // the seeds' 3D objects name this model class
    ctx.project.path = scratchFolder();
    ctx.project.tbLocation = "/kit/";
    try {
        std::vector<std::string> lines =
            compiler::prepareSource(compiler::textLines(text), platform, ctx.console);
        ctx.library.instantiate();
        if (compiler::Preverify(ctx)(lines)) return 0;  // refused by the pre-pass
        std::unique_ptr<compiler::InterfaceFileWrite> writer;
        if (ctx.project.isJava()) {
            // A file of the scratch folder: the writer replaces its target whole, by a rename, so a device
            // named here would be replaced by a regular file.
            writer = std::make_unique<compiler::JavaFileWrite>(ctx, scratchFolder() + "Fuzz.java", "Fuzz");
        } else {
            writer = std::make_unique<compiler::NetFileWrite>(ctx);
        }
        auto translator = compiler::makeConvertor(ctx, *writer);
        writer->WriteHeader();
        try {
            compiler::translateStatements(ctx, lines, *writer, *translator);
        } catch (const compiler::CompileException&) {
            // Refused at a statement: the output is still ended, as the driver ends it.
        }
        writer->WriteEnd();
        writer->Close();
    } catch (const compiler::CompileException&) {
    } catch (const compiler::InternalFailure&) {
    } catch (const std::exception& e) {
        // Any other failure is a fault of the compiler.
        std::fprintf(stderr, "unexpected failure: %s\n", e.what());
        std::abort();
    }
    return 0;
}
