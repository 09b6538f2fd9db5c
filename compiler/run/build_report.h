#pragma once

#include <string>
#include <vector>

namespace compiler {

struct Context;

// Build's lines as the compiler echoes them. When javac finds a method of the program past the 64 KB of
// byte code a Java method holds, its report speaks of Java the user never wrote: the compiler prints its
// own message instead, naming the section, function or record type and the line that opens it, and
// closes it as a refusal. Every other line passes as it comes.
class BuildReport {
public:
    explicit BuildReport(Context& ctx) : ctx_(ctx) {}

    // One line of Build's output.
    void line(const std::string& text);
    // Build has ended: what is still held is passed on.
    void finish();
    // Whether a report of javac's was replaced.
    bool replaced() const { return replaced_; }

private:
    void endProblems(const std::string* summary);
    // The kit's message for one of javac's problems, or "" when the problem is not one it replaces.
    std::string message(const std::vector<std::string>& problem) const;

    Context& ctx_;
    bool holding_ = false;
    std::vector<std::string> held_;  // javac's problems, from the first "----------"
    bool replaced_ = false;
    bool dropInternalError_ = false;
};

}  // namespace compiler
