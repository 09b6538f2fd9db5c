#pragma once
// The support classes of generated programs in the kit's Include folder: class files named X.inc, which
// Build copies into a suite as X.class.
#include <string_view>
#include <vector>

namespace kit {

// The map library's class names in Build's copy order. ChunkLoaderBKDT stands twice, so it is copied twice.
const std::vector<std::string_view>& mapClassNames();

}  // namespace kit
