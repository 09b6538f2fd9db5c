#pragma once
// A program's message table as data in the code: rows of a key and the text users know, looked up by keys
// that are checked when the code is built.
#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kit {

struct MessageRow {
    std::string_view key;
    std::string_view text;
};

// Called where a key names no row of its table. It has no definition and is no constant expression, so
// the compiler stops at the key, naming this function.
void noMessageHasThisKey();

// True when no key stands twice in `rows`; beside a table, in a static_assert. The keys are sorted first:
// comparing every pair of a few hundred keys passes the step limit of a compiler's constant evaluation.
template <std::size_t N>
consteval bool keysAreUnique(const MessageRow (&rows)[N]) {
    std::array<std::string_view, N> keys{};
    for (std::size_t i = 0; i < N; ++i) keys[i] = rows[i].key;
    std::sort(keys.begin(), keys.end());
    return std::adjacent_find(keys.begin(), keys.end()) == keys.end();
}

// A key of the table `Rows`, a constexpr array of MessageRow. Made from the key as written in the code,
// when the code is built: a key that names no row does not compile. Its text is made a string once.
template <const auto& Rows>
class MessageKey {
public:
    consteval MessageKey(const char* key) : index_(find(key)) {}

    // The row of the key, and the key as written.
    constexpr std::size_t index() const { return index_; }
    constexpr std::string_view name() const { return Rows[index_].key; }

    const std::string& text() const {
        static const std::vector<std::string> texts = [] {
            std::vector<std::string> all;
            all.reserve(std::size(Rows));
            for (const MessageRow& row : Rows) all.emplace_back(row.text);
            return all;
        }();
        return texts[index_];
    }

private:
    static consteval std::size_t find(std::string_view key) {
        for (std::size_t i = 0; i < std::size(Rows); ++i) {
            if (Rows[i].key == key) return i;
        }
        noMessageHasThisKey();
        return 0;
    }

    std::size_t index_;
};

}  // namespace kit
