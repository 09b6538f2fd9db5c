#include "messages.h"

namespace build {

static_assert(kit::keysAreUnique(kMessages), "a key stands twice in Build.Res");

}  // namespace build
