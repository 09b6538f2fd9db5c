#include "run/build_report.h"

#include <algorithm>
#include <regex>

#include "driver/context.h"
#include "driver/messages.h"

namespace compiler {
namespace {

// javac (ecj) prints its problems between lines of dashes, each headed "N. ERROR in <file> (at line L)",
// and ends with a count such as "2 problems (2 errors)".
const std::string kSeparator = "----------";

bool isSummary(const std::string& line) {
    static const std::regex summary(R"(^\d+ problems? \(.*\)$)");
    return std::regex_match(line, summary);
}

// The section of the program a method of its Java class holds.
std::string sectionOf(const std::string& method) {
    static const std::pair<const char*, const char*> sections[] = {
        {"startApp", "the main program"},
        {"init", "the main program"},
        {"pauseApp", "FUNCTION PAUSE"},
        {"destroyApp", "FUNCTION END"},
        {"commandAction", "FUNCTION ACTION"},
        {"actionPerformed", "FUNCTION ACTION"},
        {"paint", "ACTION PAINT"},
        {"performAction", "ACTION KEYPRESSED"},
        {"pointerDragged", "ACTION POINTERDRAGGED"},
        {"run", "ACTION LOOP"}};
    for (const auto& [name, section] : sections)
        if (method == name) return section;
    return "FUNCTION " + method;  // a user function keeps its name, in upper case, as no method above has
}

}  // namespace

void BuildReport::line(const std::string& text) {
    if (dropInternalError_) {
        dropInternalError_ = false;
        // Build's word for a tool that failed, which here the compiler's own message has said.
        if (text == "Internal Error") return;
    }
    if (!holding_ && text == kSeparator) holding_ = true;
    if (!holding_) {
        ctx_.console.line(text);
    } else if (isSummary(text)) {
        endProblems(&text);
    } else {
        held_.push_back(text);
    }
}

void BuildReport::finish() {
    if (holding_) endProblems(nullptr);
    if (replaced_) {
        ctx_.console.line("**");
        ctx_.console.line(res("Error_detected"));
    }
}

void BuildReport::endProblems(const std::string* summary) {
    holding_ = false;
    std::vector<std::vector<std::string>> problems;
    for (const std::string& line : held_) {
        if (line == kSeparator)
            problems.emplace_back();
        else if (!problems.empty())
            problems.back().push_back(line);
    }
    std::vector<std::string> kept, messages;
    for (const auto& problem : problems) {
        if (problem.empty()) continue;
        std::string replacement = message(problem);
        if (!replacement.empty()) {
            messages.push_back(replacement);
            continue;
        }
        kept.push_back(kSeparator);
        kept.insert(kept.end(), problem.begin(), problem.end());
    }
    if (messages.empty()) {
        kept = held_;
    } else if (!kept.empty()) {
        kept.push_back(kSeparator);
    }
    for (const std::string& line : kept) ctx_.console.line(line);
    if (summary && (messages.empty() || !kept.empty())) ctx_.console.line(*summary);
    for (const std::string& line : messages) ctx_.console.line(line);
    held_.clear();
    if (!messages.empty()) {
        replaced_ = true;
        dropInternalError_ = kept.empty();
    }
}

std::string BuildReport::message(const std::vector<std::string>& problem) const {
    static const std::regex heading(R"(^\d+\. ERROR in (.*) \(at line (\d+)\)$)");
    static const std::regex tooLarge(
        R"(^The code (?:of (method|constructor) (\w+)\(.*\)|for the static initializer) is exceeding the 65535 bytes limit$)");
    // A class's constant pool holds every name, number and text it uses; the class is the program's, or
    // a record type's.
    static const std::regex tooMany(
        R"(^Too many constants, the constant pool for (\w+) would exceed \d+ entries$)");
    std::smatch head, large;
    if (!std::regex_match(problem.front(), head, heading)) return "";
    for (const std::string& line : problem) {
        std::smatch pool;
        if (!std::regex_match(line, pool, tooMany)) continue;
        return res("Error_Too_many_constants") +
               (pool[1] == ctx_.project.name ? std::string("the program") : "TYPE " + pool[1].str());
    }
    auto found = std::find_if(problem.begin(), problem.end(), [&](const std::string& line) {
        return std::regex_match(line, large, tooLarge);
    });
    if (found == problem.end()) return "";

    std::string file = head[1];
    file = file.substr(file.rfind('/') + 1);
    if (file.size() > 5 && file.ends_with(".java")) file.resize(file.size() - 5);
    if (file != ctx_.project.name) return res("Error_Code_too_large") + "TYPE " + file;
    if (!large[1].matched || large[1] == "constructor")
        return res("Error_Code_too_large") + "the declarations";
    // The method's head stands on the Java line javac names; the statement that wrote it opens the section.
    std::string text = res("Error_Code_too_large") + sectionOf(large[2]);
    const std::string digits = head[2];
    const std::size_t javaLine = digits.size() < 10 ? std::stoul(digits) : 0;
    if (javaLine >= 1 && javaLine <= ctx_.javaLines.size() && ctx_.javaLines[javaLine - 1] > 0)
        text += " at line " + std::to_string(ctx_.sourceLine(ctx_.javaLines[javaLine - 1]));
    return text;
}

}  // namespace compiler
