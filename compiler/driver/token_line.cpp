#include "driver/token_line.h"

namespace compiler {
namespace {

// Stands in for a blank inside a string literal while the line is split at blanks.
constexpr char kLiteralBlank = '\x01';

bool isSpaced(char c) {
    switch (c) {
        case '(':
        case ')':
        case '[':
        case ']':
        case '+':
        case '-':
        case '/':
        case '*':
        case ',':
            return true;
        default:
            return false;
    }
}

// Spaces out the nine punctuation characters outside literals; inside literals, blanks are hidden.
std::string spaceOut(std::string_view line) {
    std::string spaced;
    spaced.reserve(line.size() * 2);
    bool inString = false;
    for (char c : line) {
        if (c == '"') inString = !inString;
        if (inString) {
            spaced += c == ' ' ? kLiteralBlank : c;
        } else if (isSpaced(c)) {
            spaced += ' ';
            spaced += c;
            spaced += ' ';
        } else {
            spaced += c;
        }
    }
    return spaced;
}

// Folds the comparison operators and joins a negative number after "=". The last character is never
// examined, and the look-back for "=" never reaches position 0.
void foldOperators(std::string& s) {
    bool inString = false;
    std::size_t i = 0;
    while (s.size() > 1 && i < s.size() - 1) {
        char c = s[i];
        if (c == '"') inString = !inString;
        if (inString) {
            ++i;
            continue;
        }
        const char next = s[i + 1];
        std::string_view folded;
        std::size_t width = 1;
        if (c == '=') {
            if (next == '>')
                folded = " >= ", width = 2;
            else if (next == '<')
                folded = " <= ", width = 2;
            else
                folded = " = ";
        } else if (c == '<') {
            if (next == '>')
                folded = " <> ", width = 2;
            else if (next == '=')
                folded = " <= ", width = 2;
            else
                folded = " < ";
        } else if (c == '>') {
            if (next == '<')
                folded = " <> ", width = 2;
            else if (next == '=')
                folded = " >= ", width = 2;
            else
                folded = " > ";
        }
        if (!folded.empty()) {
            s.replace(i, width, folded);
            i += folded.size() - 1;  // continue at the blank that ends the inserted text
            continue;
        }
        if (c == '-' && i + 2 < s.size() && s[i + 2] >= '0' && s[i + 2] <= '9' && i >= 1) {
            std::size_t j = i - 1;
            while (j > 1 && s[j] == ' ') --j;
            if (j >= 1 && s[j] == '=') s.erase(i + 1, 1);
        }
        ++i;
    }
}

}  // namespace

std::vector<std::string> tokenize(std::string_view statement) {
    std::string s = spaceOut(statement);
    foldOperators(s);

    std::vector<std::string> tokens;
    std::size_t i = 0;
    if (!s.empty() && s[0] == ' ') tokens.emplace_back();  // a leading blank run yields an empty token
    while (i < s.size()) {
        while (i < s.size() && s[i] == ' ') ++i;
        if (i >= s.size()) break;
        std::size_t start = i;
        while (i < s.size() && s[i] != ' ') ++i;
        std::string token = s.substr(start, i - start);
        if (token.find(kLiteralBlank) != std::string::npos) {
            for (char& c : token) {
                if (c == kLiteralBlank) c = ' ';
            }
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

}  // namespace compiler
