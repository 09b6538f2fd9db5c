#include "writers.h"

#include "messages.h"
#include "text_file.h"

namespace build {

std::vector<std::string> Manifest::lines(const std::string& name, bool cldc11) {
    // The profile and configuration are the libraries the suite was compiled against: every compile
    // uses the MIDP 2.0 library; a device refuses a suite that declares less than it needs.
    return {
        "Manifest-Version: 1.0",
        std::string("MicroEdition-Configuration: ") + (cldc11 ? "CLDC-1.1" : "CLDC-1.0"),
        "MIDlet-Name: " + name,
        "Created-By: 1.3.1 (Sun Microsystems Inc.)",
        "MIDlet-Vendor: Brinmoor",
        "MIDlet-1: " + name + ",,Game." + name,
        "MIDlet-Version: 1.0",
        "MicroEdition-Profile: MIDP-2.0",
    };
}

bool Manifest::write(Console& console, const std::string& path, const std::string& name, bool cldc11) {
    console.line(res("Writing_Manifest_File"));
    if (writeLines(path + "MANIFEST.MF", lines(name, cldc11))) {
        console.line(res("Error_writing_the"));
        return false;
    }
    return true;
}

std::vector<std::string> JAD::lines(const std::string& name, std::int64_t jarSize) {
    return {
        "MIDlet-1: " + name + ",,Game." + name,
        "MIDlet-Name: " + name,
        "MIDlet-Version: 1.0",
        "MIDlet-Vendor: Brinmoor",
        "MIDlet-Jar-Size: " + std::to_string(jarSize),
        "MIDlet-Jar-URL: " + name + ".jar",
    };
}

bool JAD::write(Console& console, const std::string& path, const std::string& name, std::int64_t jarSize) {
    console.line(kSeparatorLine);
    console.line(res("Writing_JAD_File"));
    std::string file = path + name + ".jad";
    if (writeLines(file, lines(name, jarSize))) {
        deleteIfExists(file);  // a half-written JAD would describe the suite wrongly
        console.line(res("Error_writing_the_JAD"));
        return false;
    }
    return true;
}

std::vector<std::string> HTML::lines(const std::string& name) {
    // The applet class lives in the package Game, compiled into <project>/Game/.
    return {
        "<HTML>",    res("_HEAD_Title_Tesvo"),
        "<BODY>",    "<APPLET CODE='Game." + name + ".class' WIDTH=100 HEIGHT=100>",
        "</APPLET>", "</BODY>",
        "</HTML>",
    };
}

std::optional<std::string> HTML::writeHTML(const std::string& path, const std::string& name) {
    return writeLines(path + name + ".html", lines(name));
}

}  // namespace build
