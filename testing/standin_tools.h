#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// Shell bodies for stand-ins of the kit's Java tools that do just what a build relies on, without Java, so
// that tests can make one of them fail, hang or stop at will.
namespace tz::testing {

// A whole class file of the class `name` (internal form) with no members, naming `inner` as its own inner
// classes: what Build checks of javac's class files.
inline std::string classFile(const std::string& name = "Game/X", const std::vector<std::string>& inner = {}) {
    std::string bytes;
    auto u1 = [&](unsigned value) { bytes += static_cast<char>(value & 0xff); };
    auto u2 = [&](unsigned value) {
        u1(value >> 8);
        u1(value);
    };
    auto utf8 = [&](const std::string& text) {
        u1(1);
        u2(static_cast<unsigned>(text.size()));
        bytes += text;
    };
    bytes += "\xCA\xFE\xBA\xBE";
    u2(0);
    u2(48);
    u2(static_cast<unsigned>(6 + 2 * inner.size()));
    utf8(name);
    u1(7);
    u2(1);
    utf8("java/lang/Object");
    u1(7);
    u2(3);
    utf8("InnerClasses");
    for (std::size_t i = 0; i < inner.size(); ++i) {
        utf8(inner[i]);
        u1(7);
        u2(static_cast<unsigned>(6 + 2 * i));
    }
    u2(0x21);
    u2(2);
    u2(4);
    u2(0);  // interfaces
    u2(0);  // fields
    u2(0);  // methods
    u2(inner.empty() ? 0 : 1);
    if (!inner.empty()) {
        u2(5);
        u2(0);  // the attribute's length, in four bytes
        u2(static_cast<unsigned>(2 + 8 * inner.size()));
        u2(static_cast<unsigned>(inner.size()));
        for (std::size_t i = 0; i < inner.size(); ++i) {
            u2(static_cast<unsigned>(7 + 2 * i));
            u2(2);
            u2(0);
            u2(0);
        }
    }
    return bytes;
}

// A shell command that prints `bytes` exactly.
inline std::string printfBytes(const std::string& bytes) {
    std::string command = "printf '";
    for (unsigned char c : bytes) {
        const char octal[] = {'\\', static_cast<char>('0' + (c >> 6)),
                              static_cast<char>('0' + ((c >> 3) & 7)), static_cast<char>('0' + (c & 7)),
                              '\0'};
        command += octal;
    }
    return command + "'";
}

// The library jars of a wireless toolkit in `toolkit` (its root), as Build checks them before any tool runs.
inline void layOutToolkitLibraries(const std::filesystem::path& toolkit) {
    std::filesystem::create_directories(toolkit / "lib");
    for (const char* jar : {"midpapi20.jar", "cldcapi10.jar", "cldcapi11.jar", "mmapi.jar", "jsr184.jar"})
        std::ofstream(toolkit / "lib" / jar, std::ios::binary) << "PK\x03\x04";
}

// The value after "-d" among the arguments, in $out.
inline const std::string kOutputFolder =
    "out=; prev=; for a in \"$@\"; do [ \"$prev\" = -d ] && out=$a; prev=$a; done\n";

// javac: one class file per source named, in <-d>/Game/.
inline const std::string kJavacStandIn =
    kOutputFolder + "for a in \"$@\"; do case $a in *.java) n=${a##*/}; mkdir -p \"$out/Game\"; " +
    printfBytes(classFile()) + " > \"$out/Game/${n%.java}.class\";; esac; done\n";

// preverify: the classes of its input folder (the last argument) into <-d>/Game/.
inline const std::string kPreverifyStandIn =
    kOutputFolder +
    "for a in \"$@\"; do in=$a; done\nmkdir -p \"$out/Game\" && cp \"$in\"/Game/*.class \"$out/Game/\"\n";

// jar: "cmf MANIFEST JAR ..." writes the archive; "uf" adds nothing.
inline const std::string kJarStandIn = "if [ \"$1\" = cmf ]; then printf PK > \"$3\"; fi\n";

}  // namespace tz::testing
