#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "driver/writer.h"
#include "expressions/buffered_output.h"

namespace compiler {

struct Context;
struct Project;

// Writes the Java source of the one generated class: a fixed skeleton (package, imports, class head,
// fields chosen by the run's feature flags, constructor, life-cycle methods, the key-repeat support)
// around the translated lines. Platform "TB" gives the MIDlet, any other value the applet.
//
// Output goes through a BufferedOutput: a file that cannot be created, a failed write or a failed close
// raises InternalFailure naming the file, and after that every further call does nothing.
// `text` (Java) with each bare use of a name of `hidden` written `<className>.this.NAME`: the program's own
// field, which the Java declared around it would otherwise hide. A name marked as the Java's own
// (Helpers::ownName) stays bare, without its mark. Member selections (x.NAME), calls and `new` (NAME(...)),
// texts, characters and comments are left as they are.
std::string qualifyProgramNames(std::string_view text, const std::vector<std::string>& hidden,
                                std::string_view className);

class JavaFileWrite : public InterfaceFileWrite {
public:
    JavaFileWrite(Context& ctx, const std::string& filePath, const std::string& className);
    JavaFileWrite(const JavaFileWrite&) = delete;
    JavaFileWrite& operator=(const JavaFileWrite&) = delete;

    // The line that ends the main section (closes startApp or the applet's init). The MIDlet's startApp
    // opens a try block and this line carries its catch; the applet's init has none.
    // The statement translator writes the same line at the first FUNCTION.
    static std::string_view mainSectionClose(const Project& project);
    // Whether `name` can be the generated class's name (guard::isClassName, the rule the editor checks a
    // project's new name by).
    static bool usableClassName(const std::string& name);

    // Byte-token operations: nothing goes into a Java file.
    void writeString(std::string_view) override {}
    void writeOP(std::string_view) override {}
    void writeNumber(std::int32_t) override {}
    void writeByte(std::string_view) override {}

    void WriteStart() override;
    void WritePause() override;
    void WriteMain() override;
    void WriteLn() override;
    void WriteHeader() override;
    void WriteEnd() override;
    void WriteDestroy() override;
    void WriteCommandAction() override;
    void WriteCanvasPaint() override;
    void Write(std::string_view line) override;
    void Close() override;
    void beginFunction() override;
    void declareLocal(std::string_view declaration) override;
    void endFunction() override;

private:
    bool phone() const;
    void line(std::string_view text);

    Context& ctx_;
    BufferedOutput out_;
    std::string file_;  // the class name
    bool startWritten_ = false;
    bool mainWritten_ = false;
    std::optional<std::size_t> function_;  // where the function being written starts
    std::size_t locals_ = 0;               // where its next local goes, after the head; 0: not found yet
    std::size_t localLine_ = 0;            // the number of the Java line it becomes, from 0
};

}  // namespace compiler
