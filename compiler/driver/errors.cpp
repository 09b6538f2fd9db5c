#include "driver/errors.h"

#include "driver/messages.h"

namespace compiler {

CompileException CompileException::wholeLines(std::vector<std::string> lines) {
    CompileException refusal(std::move(lines.front()));
    refusal.problems_.insert(refusal.problems_.end(), std::make_move_iterator(lines.begin() + 1),
                             std::make_move_iterator(lines.end()));
    refusal.whole_ = true;
    return refusal;
}

CompileException CompileException::endsEarly() {
    return wholeLines({res("Error_Number_of")});
}

void CompileException::printError(Console& console, std::string_view suffix) const {
    console.line(problems_.front() + std::string(suffix));
    std::string indent = "\t";
    for (std::size_t i = 1; i < problems_.size(); ++i) {
        if (whole_) {
            console.line(problems_[i]);
            continue;
        }
        console.line(indent + problems_[i]);
        indent += ' ';
    }
}

bool ErrorHandler::bracketCheck(std::string_view text) {
    long depth = 0;
    bool inString = false;
    for (char c : text) {
        if (c == '"') {
            inString = !inString;
        } else if (!inString) {
            if (c == '(') ++depth;
            if (c == ')') --depth;
        }
    }
    return depth == 0;
}

void Debug::printString(const std::vector<std::string>& words, std::size_t start, std::size_t count) const {
    std::string text;
    for (std::size_t i = start; i < words.size() && count > 0; ++i, --count) {
        text += words[i];
        text += ' ';
    }
    console_.line(text);
}

std::string Debug::getString(std::string_view bytes) {
    // Each byte as a signed value widened to a 16-bit character: 0x80..0xFF become U+FF80..U+FFFF.
    std::string text;
    for (char b : bytes) {
        auto c = static_cast<unsigned char>(b);
        if (c < 0x80) {
            text += static_cast<char>(c);
        } else {
            char32_t cp = 0xFF00u + c;
            text += static_cast<char>(0xE0 | (cp >> 12));
            text += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (cp & 0x3F));
        }
        text += ' ';
    }
    return text;
}

}  // namespace compiler
