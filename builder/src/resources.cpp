#include "resources.h"

#include <algorithm>
#include <cctype>

namespace build {
namespace {

struct Token {
    enum class Kind { Name, Text, Mark } kind;
    std::string text;  // a Text token holds the literal's characters, its escapes resolved
};

bool nameStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '$';
}

bool namePart(char c) {
    return nameStart(c) || std::isdigit(static_cast<unsigned char>(c));
}

// Java's simple escapes; a Unicode escape is kept as written, which no file name needs.
char unescaped(char c) {
    switch (c) {
        case 'n':
            return '\n';
        case 't':
            return '\t';
        case 'r':
            return '\r';
        case 'b':
            return '\b';
        case 'f':
            return '\f';
        default:
            return c;
    }
}

// Names, string literals and single marks; comments, blanks and character literals are dropped.
std::vector<Token> tokens(std::string_view source) {
    std::vector<Token> result;
    size_t i = 0;
    const size_t n = source.size();
    while (i < n) {
        char c = source[i];
        if (c == '/' && i + 1 < n && source[i + 1] == '/') {
            while (i < n && source[i] != '\n') ++i;
        } else if (c == '/' && i + 1 < n && source[i + 1] == '*') {
            size_t end = source.find("*/", i + 2);
            i = end == std::string_view::npos ? n : end + 2;
        } else if (c == '"' || c == '\'') {
            std::string text;
            for (++i; i < n && source[i] != c && source[i] != '\n'; ++i) {
                if (source[i] == '\\' && i + 1 < n) {
                    ++i;
                    if (source[i] == 'u')
                        text += "\\u";
                    else
                        text += unescaped(source[i]);
                } else {
                    text += source[i];
                }
            }
            ++i;
            if (c == '"') result.push_back({Token::Kind::Text, std::move(text)});
        } else if (nameStart(c)) {
            size_t start = i;
            while (i < n && namePart(source[i])) ++i;
            result.push_back({Token::Kind::Name, std::string(source.substr(start, i - start))});
        } else {
            if (!std::isspace(static_cast<unsigned char>(c))) result.push_back({Token::Kind::Mark, {c}});
            ++i;
        }
    }
    return result;
}

struct LoadingCall {
    std::string_view receiver;  // empty: any receiver, or none
    std::string_view method;
    int argumentsBefore;  // arguments before the resource name
};

// The calls whose argument names a file of the suite, as generated programs and hand-written MIDlets
// make them.
constexpr LoadingCall kLoadingCalls[] = {
    {"", "createImage", 0},  // Image.createImage(String name)
    {"", "getResourceAsStream", 0},
    {"Loader", "load", 0},       // the 3D API's Loader.load(String name)
    {"", "LoadSound", 0},        // incSound.LoadSound(file, number)
    {"", "LoadMidi", 0},         // incMidi.LoadMidi(file)
    {"Include", "resource", 1},  // Include.resource(owner, file): maps
};

bool isMark(const std::vector<Token>& list, size_t at, char mark) {
    return at < list.size() && list[at].kind == Token::Kind::Mark && list[at].text[0] == mark;
}

// From the token after "(", past `count` arguments; the position of the next argument, or nothing.
std::optional<size_t> skipArguments(const std::vector<Token>& list, size_t at, int count) {
    for (int skipped = 0; skipped < count; ++skipped) {
        int depth = 0;
        for (;; ++at) {
            if (at >= list.size()) return std::nullopt;
            if (isMark(list, at, '(')) ++depth;
            if (isMark(list, at, ')') && depth-- == 0) return std::nullopt;
            if (isMark(list, at, ',') && depth == 0) break;
        }
        ++at;
    }
    return at;
}

}  // namespace

std::vector<std::string> loadedResources(std::string_view javaSource) {
    const std::vector<Token> list = tokens(javaSource);
    std::vector<std::string> names;
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].kind != Token::Kind::Name || !isMark(list, i + 1, '(')) continue;
        for (const auto& call : kLoadingCalls) {
            if (list[i].text != call.method) continue;
            if (!call.receiver.empty() &&
                (i < 2 || !isMark(list, i - 1, '.') || list[i - 2].text != call.receiver))
                continue;
            auto at = skipArguments(list, i + 2, call.argumentsBefore);
            // Only a literal that is the whole argument: "a" + level names no one file.
            if (!at || *at >= list.size() || list[*at].kind != Token::Kind::Text) continue;
            if (!isMark(list, *at + 1, ',') && !isMark(list, *at + 1, ')')) continue;
            const std::string& name = list[*at].text;
            if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
        }
    }
    return names;
}

std::optional<std::string> resourceFile(std::string_view name) {
    if (name.find("://") != std::string_view::npos) return std::nullopt;
    if (!name.empty() && name[0] == '/') name.remove_prefix(1);
    if (name.empty()) return std::nullopt;
    return std::string(name);
}

bool insideProject(std::string_view file) {
    size_t start = 0;
    for (;;) {
        size_t end = file.find('/', start);
        std::string_view part = file.substr(start, end == std::string_view::npos ? end : end - start);
        if (part.empty() || part == "." || part == "..") return false;
        if (end == std::string_view::npos) return true;
        start = end + 1;
    }
}

}  // namespace build
