#include "class_files.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>

#include "messages.h"
#include "text_file.h"

namespace build {
namespace {

// Reads the structures of a class file in order; every read past the end marks the file cut short.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    bool ok() const { return ok_; }
    bool atEnd() const { return ok_ && pos_ == bytes_.size(); }
    std::uint32_t u(int size) {
        std::uint32_t value = 0;
        for (int i = 0; i < size; ++i) value = value << 8 | static_cast<std::uint8_t>(next());
        return value;
    }
    std::string_view take(std::size_t n) {
        if (bytes_.size() - pos_ < n) {
            ok_ = false;
            pos_ = bytes_.size();
            return {};
        }
        std::string_view piece = bytes_.substr(pos_, n);
        pos_ += n;
        return piece;
    }

private:
    char next() {
        std::string_view byte = take(1);
        return byte.empty() ? '\0' : byte[0];
    }
    std::string_view bytes_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

}  // namespace

ClassFile readClassFile(std::string_view bytes) {
    ClassFile file;
    Reader in(bytes);
    if (in.u(4) != 0xCAFEBABE) return file;
    in.u(4);  // minor and major version
    const std::uint32_t count = in.u(2);
    std::vector<std::string_view> texts(count);
    std::vector<std::uint32_t> classText(count, 0);
    for (std::uint32_t i = 1; i < count && in.ok(); ++i) {
        switch (in.u(1)) {
            case 1:  // Utf8
                texts[i] = in.take(in.u(2));
                break;
            case 7:  // Class
                classText[i] = in.u(2);
                break;
            case 8:
            case 16:
            case 19:
            case 20:
                in.u(2);
                break;
            case 15:
                in.u(3);
                break;
            case 3:
            case 4:
            case 9:
            case 10:
            case 11:
            case 12:
            case 17:
            case 18:
                in.u(4);
                break;
            case 5:
            case 6:
                in.take(8);
                ++i;  // eight-byte constants take two slots
                break;
            default:
                return file;
        }
    }
    auto className = [&](std::uint32_t index) {
        const std::uint32_t text = index < count ? classText[index] : 0;
        return text < count ? std::string(texts[text]) : std::string();
    };
    auto text = [&](std::uint32_t index) { return index < count ? texts[index] : std::string_view(); };
    in.u(2);  // access flags
    file.name = className(in.u(2));
    in.u(2);                            // super class
    in.take(std::size_t{2} * in.u(2));  // interfaces
    std::vector<std::pair<std::string_view, std::string_view>> attributes;
    auto readAttributes = [&](bool keep) {
        for (std::uint32_t n = in.u(2); n > 0 && in.ok(); --n) {
            const std::string_view name = text(in.u(2));
            const std::string_view body = in.take(in.u(4));
            if (keep) attributes.emplace_back(name, body);
        }
    };
    for (int members = 0; members < 2; ++members) {  // fields, then methods
        for (std::uint32_t n = in.u(2); n > 0 && in.ok(); --n) {
            in.take(6);  // access flags, name, descriptor
            readAttributes(false);
        }
    }
    readAttributes(true);
    file.whole = in.atEnd() && !file.name.empty();
    if (!file.whole) return file;
    for (const auto& [name, body] : attributes) {
        if (name != "InnerClasses") continue;
        Reader entries(body);
        for (std::uint32_t n = entries.u(2); n > 0 && entries.ok(); --n) {
            const std::string inner = className(entries.u(2));
            entries.take(6);  // outer class, simple name, access flags
            if (entries.ok() && inner.starts_with(file.name + "$")) file.innerClasses.push_back(inner);
        }
    }
    return file;
}

ClassFolderState classFolderState(const std::string& folder) {
    ClassFolderState state;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return state;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        struct stat info {};
        if (name.size() <= 6 || !name.ends_with(".class") ||
            ::fstatat(::dirfd(dir), entry->d_name, &info, 0) != 0)
            continue;
        state[name] = {info.st_ino, info.st_size,
                       std::int64_t{info.st_mtim.tv_sec} * 1000000000 + info.st_mtim.tv_nsec};
    }
    ::closedir(dir);
    return state;
}

std::optional<std::string> classFolderFault(const std::string& folder, const std::string& shownFolder,
                                            const ClassFolderState& before) {
    for (const auto& [name, state] : classFolderState(folder)) {
        const auto earlier = before.find(name);
        if (earlier != before.end() && earlier->second == state) continue;
        std::string ignored;
        const std::optional<std::string> bytes = readText(folder + name, ignored);
        const ClassFile file = bytes ? readClassFile(*bytes) : ClassFile{};
        if (!file.whole) return "Error: javac left " + shownFolder + name + " incomplete";
        for (const std::string& inner : file.innerClasses) {
            const std::string innerFile = inner.substr(inner.rfind('/') + 1) + ".class";
            if (!isRegularFile(folder + innerFile))
                return "Error: javac" + std::string(kNoOutput) + shownFolder + innerFile;
        }
    }
    return std::nullopt;
}

}  // namespace build
