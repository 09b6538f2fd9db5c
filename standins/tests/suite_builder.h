#pragma once

#include <gtest/gtest.h>

#include "test_util.h"

namespace standins::test {

// Builds the fixture MIDlet suite the way Build does: compile, preverify, jar with the manifest, JAD.
struct SuiteBuilder {
    TempDir dir;
    std::string project = dir / "";  // the project folder with its trailing "/"

    std::string tmpclasses() const { return project + "tmpclasses"; }
    std::string classes() const { return project + "classes"; }
    std::string jar() const { return project + "Space.jar"; }
    std::string jad() const { return project + "Space.jad"; }

    void compile() {
        fs::create_directories(tmpclasses() + "/Game");
        ToolRun javac = compileForPhone(
            tmpclasses(), {(kData / "midlet/Space.java").string(), (kData / "midlet/Board.java").string()});
        ASSERT_EQ(javac.status, 0) << javac.output << javac.errors;
    }

    ToolRun preverify() {
        return run({kPreverify, "-classpath",
                    lib("midpapi20.jar") + ";" + lib("cldcapi10.jar") + ";" + tmpclasses(), "-d", classes(),
                    tmpclasses()});
    }

    // Archives `fromDir` with `manifest` and writes a JAD that records the jar's true size unless `jadText`
    // is given.
    void package(const std::string& fromDir, const std::string& manifest, const std::string& jadText = "") {
        writeFile(project + "MANIFEST.MF", manifest);
        fs::remove(jar());
        ToolRun archive = run({kJar, "cmf", project + "MANIFEST.MF", jar(), "-C", fromDir, "."});
        ASSERT_EQ(archive.status, 0) << archive.output << archive.errors;
        writeFile(jad(), jadText.empty() ? defaultJad(fs::file_size(jar())) : jadText);
    }

    static std::string defaultJad(uintmax_t size) {
        return "MIDlet-1: Space,,Game.Space\nMIDlet-Name: Space\nMIDlet-Version: 1.0\nMIDlet-Vendor: "
               "Brinmoor\n"
               "MIDlet-Jar-Size: " +
               std::to_string(size) + "\nMIDlet-Jar-URL: Space.jar\n";
    }

    ToolRun emulate() { return run({kEmulator, "-classpath", jar(), "-Xdescriptor:" + jad()}); }
};

}  // namespace standins::test
