#include "driver/objects.h"

namespace compiler {

const std::string& NameList::at(int index) const {
    static const std::string empty;
    if (index < 0 || index >= count()) return empty;
    return names_[static_cast<std::size_t>(index)];
}

}  // namespace compiler
