#include "jar_manifest.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace standins {

namespace {

constexpr size_t kLongestLine = 511;  // bytes of one line without its end
constexpr size_t kLineWidth = 72;     // bytes of one written line without its end

struct Attribute {
    std::string name, value;
};

struct Section {
    std::string name;  // empty for the main section
    std::vector<Attribute> attributes;
};

bool sameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

bool validName(std::string_view name) {
    return !name.empty() && name.size() <= 70 && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
               c == '_';
    });
}

// The length of the well-formed UTF-8 sequence at the start of `bytes`, or 0 when it is malformed; then
// `subpart` is the length of its longest beginning that could still start a sequence (at least 1).
size_t sequenceLength(std::string_view bytes, size_t& subpart) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(0);
    subpart = 1;
    if (lead < 0x80) return 1;
    size_t length = lead >= 0xc2 && lead <= 0xdf   ? 2
                    : lead >= 0xe0 && lead <= 0xef ? 3
                    : lead >= 0xf0 && lead <= 0xf4 ? 4
                                                   : 0;
    if (length == 0) return 0;
    // The second byte's range excludes overlong forms and code points above U+10FFFF.
    unsigned char low = lead == 0xe0 ? 0xa0 : lead == 0xf0 ? 0x90 : 0x80;
    unsigned char high = lead == 0xf4 ? 0x8f : 0xbf;
    for (size_t i = 1; i < length; ++i) {
        if (i >= bytes.size() || byte(i) < (i == 1 ? low : 0x80) || byte(i) > (i == 1 ? high : 0xbf))
            return 0;
        subpart = i + 1;
    }
    return length;
}

// `bytes` with each malformed UTF-8 sequence replaced as the JDK's decoder replaces it: by one U+FFFD
// for each longest beginning of a sequence, and for each encoded surrogate.
std::string asUtf8(std::string_view bytes) {
    std::string text;
    while (!bytes.empty()) {
        size_t subpart = 1;
        size_t length = sequenceLength(bytes, subpart);
        bool surrogate = length == 3 && static_cast<unsigned char>(bytes[0]) == 0xed &&
                         static_cast<unsigned char>(bytes[1]) >= 0xa0;
        if (length == 0 || surrogate) {
            text += "\xef\xbf\xbd";  // U+FFFD
            bytes.remove_prefix(surrogate ? length : subpart);
        } else {
            text.append(bytes.substr(0, length));
            bytes.remove_prefix(length);
        }
    }
    return text;
}

// Adds an attribute read from the manifest, its value's bytes as the JDK's UTF-8 decoder reads them.
void put(std::vector<Attribute>& attributes, Attribute attribute) {
    attribute.value = asUtf8(attribute.value);
    for (auto& existing : attributes) {
        if (sameName(existing.name, attribute.name)) {
            existing.value = std::move(attribute.value);
            return;
        }
    }
    attributes.push_back(std::move(attribute));
}

const Attribute* find(const std::vector<Attribute>& attributes, std::string_view name) {
    for (const auto& attribute : attributes)
        if (sameName(attribute.name, name)) return &attribute;
    return nullptr;
}

void writeLine(std::string& out, std::string_view line) {
    size_t width = kLineWidth;
    do {
        size_t n = std::min(width, line.size());
        out.append(line.substr(0, n));
        line.remove_prefix(n);
        if (!line.empty()) out += "\r\n ";
        width = kLineWidth - 1;
    } while (!line.empty());
    out += "\r\n";
}

class Reader {
public:
    explicit Reader(std::string_view input) {
        size_t at = 0;
        while (at < input.size()) {
            size_t end = input.find_first_of("\r\n", at);
            if (end == std::string_view::npos) {
                tail_ = input.substr(at);
                break;
            }
            lines_.push_back(input.substr(at, end - at));
            at = end + 1;
            if (input[end] == '\r' && at < input.size() && input[at] == '\n') ++at;
        }
    }

    // The sections, or nullopt with `error` set.
    std::optional<std::vector<Section>> read(std::string& error) {
        std::vector<Section> sections(1);
        if (!readSections(sections)) {
            error = error_;
            return std::nullopt;
        }
        return sections;
    }

private:
    static bool continues(std::string_view line) { return !line.empty() && line[0] == ' '; }

    bool fail(const std::string& what, size_t index) {
        error_ = what + " (line " + std::to_string(index + 1) + ")";
        return false;
    }

    bool readSections(std::vector<Section>& sections) {
        for (size_t i = 0; i < lines_.size(); ++i)
            if (lines_[i].size() > kLongestLine) return fail("line too long", i);
        if (tail_.size() > kLongestLine) return fail("line too long", lines_.size());
        // The unended last line is not read; when it would continue an attribute or an entry name, that
        // is not read either.
        if (!tail_.empty() && tail_[0] == ' ') {
            while (!lines_.empty() && !lines_.back().empty() && lines_.back()[0] == ' ') lines_.pop_back();
            if (!lines_.empty() && !lines_.back().empty()) lines_.pop_back();
        }

        if (!readAttributes(sections[0])) return false;
        while (at_ < lines_.size()) {
            std::string_view line = lines_[at_];
            if (line.empty()) {
                ++at_;
                continue;
            }
            if (line.size() < 6 || !sameName(line.substr(0, 6), "Name: "))
                return fail("invalid manifest format", at_);
            std::string name(line.substr(6));
            for (++at_; at_ < lines_.size() && continues(lines_[at_]); ++at_) name += lines_[at_].substr(1);
            name = asUtf8(name);
            auto section = std::find_if(sections.begin() + 1, sections.end(),
                                        [&](const Section& s) { return s.name == name; });
            if (section == sections.end()) section = sections.insert(sections.end(), Section{name, {}});
            if (!readAttributes(*section)) return false;
        }
        return true;
    }

    // The attribute lines of one section, up to a blank line or the end.
    bool readAttributes(Section& section) {
        std::optional<Attribute> pending;
        for (; at_ < lines_.size() && !lines_[at_].empty(); ++at_) {
            std::string_view line = lines_[at_];
            if (continues(line)) {
                if (!pending) return fail("misplaced continuation line", at_);
                pending->value += line.substr(1);
                continue;
            }
            if (pending) put(section.attributes, std::move(*pending));
            size_t colon = line.find(':');
            if (colon == std::string_view::npos || colon + 1 == line.size() || line[colon + 1] != ' ')
                return fail("invalid header field", at_);
            std::string_view name = line.substr(0, colon);
            if (!validName(name)) return fail("invalid header field name: " + std::string(name), at_);
            pending = Attribute{std::string(name), std::string(line.substr(colon + 2))};
        }
        if (pending) put(section.attributes, std::move(*pending));
        return true;
    }

    std::vector<std::string_view> lines_;
    std::string_view tail_;
    size_t at_ = 0;
    std::string error_;
};

}  // namespace

bool isUtf8(std::string_view bytes) {
    return asUtf8(bytes) == bytes;
}

JarManifest makeJarManifest(std::string_view input, std::string_view createdBy) {
    JarManifest manifest;
    std::optional<std::vector<Section>> sections = Reader(input).read(manifest.error);
    if (!sections) return manifest;

    const std::vector<Attribute>& main = sections->front().attributes;
    const Attribute* version = find(main, "Manifest-Version");
    writeLine(manifest.text, "Manifest-Version: " + (version ? version->value : std::string("1.0")));
    for (const auto& attribute : main)
        if (&attribute != version) writeLine(manifest.text, attribute.name + ": " + attribute.value);
    if (!find(main, "Created-By")) writeLine(manifest.text, "Created-By: " + std::string(createdBy));
    manifest.text += "\r\n";
    for (auto section = sections->begin() + 1; section != sections->end(); ++section) {
        writeLine(manifest.text, "Name: " + section->name);
        for (const auto& attribute : section->attributes)
            writeLine(manifest.text, attribute.name + ": " + attribute.value);
        manifest.text += "\r\n";
    }
    return manifest;
}

}  // namespace standins
