#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace compiler {

struct Context;

// The whole-source check before anything is written: block nesting, user functions with their argument
// and result types, canvases, images and sprites, and the feature flags. Returns the text of the first
// problem, which the driver prints as one line, or nothing when the source passes.
class Preverify {
public:
    explicit Preverify(Context& ctx) : ctx_(ctx) {}

    std::optional<std::string> operator()(const std::vector<std::string>& lines);

    // Letters "A"-"Z" and "a"-"z" only; the empty text passes.
    static bool Name(std::string_view text);
    // Without a final "$" or, failing that, a final "#".
    static std::string FixVariable(const std::string& text);
    // First position at or after `start` holding `c` or a blank; -1 when there is none.
    static long find(std::string_view text, char c, std::size_t start);

private:
    Context& ctx_;
};

}  // namespace compiler
