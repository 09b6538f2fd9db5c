#pragma once

#include <string>
#include <string_view>

namespace standins {

struct JarManifest {
    std::string text;   // what the jar stores as META-INF/MANIFEST.MF; empty when `error` is set
    std::string error;  // why the input is not a manifest, with its line: "invalid header field (line 3)"
};

// The manifest a jar written from `input` (a user's manifest file, or "" for none) carries, read and
// written as the JDK's jar does:
// - "<name>: <value>" lines in a main section, then sections that each begin with "Name: <entry>", blank
//   lines between them; a line that begins with one blank continues the line before it; lines end in
//   LF, CR LF or CR, and a last line without its end is not read (nor the line it would continue);
// - an attribute named twice (names compare without case) keeps its first place and its last value;
//   two sections of one entry are one, written where the first stood (the JDK's jar writes the
//   sections in the order of its hash table, which says nothing);
// - written with CR LF, every line wrapped at 72 bytes (a continuation begins with one blank), the main
//   section with Manifest-Version first ("1.0" when missing) and Created-By last when missing.
// Malformed UTF-8 in a value or an entry name reads as U+FFFD.
JarManifest makeJarManifest(std::string_view input, std::string_view createdBy);

// Whether `bytes` is well-formed UTF-8, as a jar's entry names must be.
bool isUtf8(std::string_view bytes);

}  // namespace standins
