#pragma once

#include <string>

// Shell bodies for stand-ins of the kit's Java tools that do just what a build relies on, without Java, so
// that tests can make one of them fail, hang or stop at will.
namespace tz::testing {

// The value after "-d" among the arguments, in $out.
inline const std::string kOutputFolder =
    "out=; prev=; for a in \"$@\"; do [ \"$prev\" = -d ] && out=$a; prev=$a; done\n";

// javac: one class file per source named, in <-d>/Game/.
inline const std::string kJavacStandIn =
    kOutputFolder +
    "for a in \"$@\"; do case $a in *.java) n=${a##*/}; mkdir -p \"$out/Game\"; "
    "printf class > \"$out/Game/${n%.java}.class\";; esac; done\n";

// preverify: the classes of its input folder (the last argument) into <-d>/Game/.
inline const std::string kPreverifyStandIn =
    kOutputFolder +
    "for a in \"$@\"; do in=$a; done\nmkdir -p \"$out/Game\" && cp \"$in\"/Game/*.class \"$out/Game/\"\n";

// jar: "cmf MANIFEST JAR ..." writes the archive; "uf" adds nothing.
inline const std::string kJarStandIn = "if [ \"$1\" = cmf ]; then printf PK > \"$3\"; fi\n";

}  // namespace tz::testing
