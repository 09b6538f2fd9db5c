#pragma once
// Values for the writers' round trips: short texts of the characters a reader could trip on ("=", blanks, a
// key's name, bytes that are not UTF-8), never a line end.
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace kit::testing {

class RandomValues {
public:
    explicit RandomValues(unsigned seed) : random_(seed) {}

    std::string text() {
        static const std::string pieces[] = {"a",  "Z",    "=",        " ",   "\t",   "/",
                                             ":",  ";",    "Include",  "Inc", "Name", "true",
                                             "//", "\xE9", "\xC3\xA4", "0",   "1"};
        std::string value;
        for (unsigned i = random_() % 5; i > 0; --i) value += pieces[random_() % std::size(pieces)];
        return value;
    }
    std::optional<std::string> maybeText() {
        if (random_() % 6 == 0) return std::nullopt;
        return text();
    }
    std::vector<std::string> texts(unsigned most) {
        std::vector<std::string> values(random_() % (most + 1));
        for (std::string& value : values) value = text();
        return values;
    }
    bool flip() { return random_() % 2 == 0; }

private:
    std::mt19937 random_;
};

}  // namespace kit::testing
