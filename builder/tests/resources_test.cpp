#include "resources.h"

#include <gtest/gtest.h>

namespace build {
namespace {

using Names = std::vector<std::string>;

// Rows of (Java text -> the resource names it loads), as generated programs and hand-written MIDlets
// write their loads.
TEST(LoadedResources, LiteralNamesOfTheLoadingCalls) {
    const std::pair<std::string, Names> rows[] = {
        {"try{ SHIP = Image.createImage(\"/ship.png\"); }catch(IOException imageError){ }", {"/ship.png"}},
        {"incSound.LoadSound(\"shot.wav\", 1);\nincMidi.LoadMidi(\"tune.mid\");", {"shot.wav", "tune.mid"}},
        {"InputStream inputStream = Include.resource(this, \"level.fmp\");", {"level.fmp"}},
        {"in = getClass().getResourceAsStream( \"/data/level 1.txt\" );", {"/data/level 1.txt"}},
        {"Object3D[] roots = javax.microedition.m3g.Loader.load(\"/scene.m3g\");", {"/scene.m3g"}},
        {"a = Image.createImage(\"a.png\"); b = Image.createImage(\"b.png\"); c = "
         "Image.createImage(\"a.png\");",
         {"a.png", "b.png"}},
        {"x = Image.createImage(\"say \\\"hi\\\".png\");", {"say \"hi\".png"}},
        {"incSound.LoadSound(\"http://example.org/a.wav\", 2);", {"http://example.org/a.wav"}},
        // Names put together at run time, other calls, and loads that are not code.
        {"Image.createImage(\"tile\" + i + \".png\"); Image.createImage(name);", {}},
        {"Image.createImage(data, 0, data.length); Image.createImage(\"x.png\".trim());", {}},
        {"// Image.createImage(\"old.png\");\n/* incMidi.LoadMidi(\"old.mid\"); */", {}},
        {"g.drawString(\"Image.createImage(\\\"no.png\\\")\", 0, 0, 0); char q = '\"';", {}},
        {"list.load(\"x.m3g\"); Other.resource(this, \"y.fmp\"); Include.resource(\"z.fmp\");", {}},
        {"Include.resource(pick(a, b), \"w.fmp\"); Include.resource(this, \"cut", {"w.fmp"}},
    };
    for (const auto& [source, names] : rows) EXPECT_EQ(loadedResources(source), names) << source;
}

TEST(LoadedResources, NamesBecomeFilesInsideTheProject) {
    const std::pair<std::string, std::optional<std::string>> files[] = {
        {"/ship.png", "ship.png"},
        {"ship.png", "ship.png"},
        {"/models/a b.m3g", "models/a b.m3g"},
        {"/", std::nullopt},
        {"", std::nullopt},
        {"capture://video", std::nullopt},
        {"http://h/a.wav", std::nullopt},
    };
    for (const auto& [name, file] : files) EXPECT_EQ(resourceFile(name), file) << name;

    for (const char* inside : {"ship.png", "models/a b.m3g", "..a.png", ".hidden"})
        EXPECT_TRUE(insideProject(inside)) << inside;
    for (const char* outside : {"../ship.png", "a/../../b", "./a.png", "a//b", "a/", "/etc/passwd"})
        EXPECT_FALSE(insideProject(outside)) << outside;
}

}  // namespace
}  // namespace build
