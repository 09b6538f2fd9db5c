#pragma once

#include <sys/types.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

// The class files javac leaves: a compiler that ran out of room ends well all the same, with a class file
// cut short or an inner class never written, and the build must not go on to preverify what is not there.
namespace build {

struct ClassFile {
    bool whole = false;  // every structure of the class file is there, and nothing after it
    std::string name;    // internal form, "Game/Space"
    // The inner classes that are its own (InnerClasses entries "<name>$..."), internal form.
    std::vector<std::string> innerClasses;
};

ClassFile readClassFile(std::string_view bytes);

// The class files of a package folder, each with what tells a file written since: its inode, size and time.
using ClassFolderState = std::map<std::string, std::tuple<ino_t, off_t, std::int64_t>>;
ClassFolderState classFolderState(const std::string& folder);

// The first fault of the class files written in the package folder `folder` (with its trailing "/") since
// `before`: a file that is not a whole class file, or an inner class one of them names that is not there.
// The file named as `shownFolder` + its name, in the line the build prints ("Error: javac ..."). Nothing
// when all are whole.
std::optional<std::string> classFolderFault(const std::string& folder, const std::string& shownFolder,
                                            const ClassFolderState& before = {});

}  // namespace build
