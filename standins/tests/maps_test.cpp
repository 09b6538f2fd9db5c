// The tile-map library of generated programs: its class files, their fitness for a phone, and what its
// loader and viewer make of generated map files (run on the desktop JVM over the API stubs).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>

#include "classfile.h"
#include "kit/support_classes.h"
#include "test_util.h"

namespace standins::test {
namespace {

// The class files Build copies when a program uses the map library, each once.
const std::vector<std::string> kMapLibrary = [] {
    std::vector<std::string> names;
    for (std::string_view name : kit::mapClassNames()) {
        if (std::find(names.begin(), names.end(), name) == names.end()) names.emplace_back(name);
    }
    return names;
}();

// Copies the library from the kit's Include folder into `folder`/Game as class files, as Build does.
void installMapLibrary(const fs::path& folder) {
    fs::create_directories(folder / "Game");
    for (const auto& name : kMapLibrary) {
        fs::copy_file(kKit / "Include" / (name + ".inc"), folder / "Game" / (name + ".class"),
                      fs::copy_options::overwrite_existing);
    }
}

// --- Map files -----------------------------------------------------------------------------------------

std::string be32(uint32_t v) {
    return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}

struct BlockSpec {
    int graphics[4] = {0, 0, 0, 0};
    int flags = 0;
    int user[7] = {0, 0, 0, 0, 0, 0, 0};
};

struct AnimSpec {
    int type = 1, delay = 0, count = 0, user = 0;
    std::vector<int> frames;
    int current = 0;
};

using Chunks = std::vector<std::pair<std::string, std::string>>;

// A map in "number" form; `chunks()` writes it in the file layout of its map type and byte order.
struct MapSpec {
    int type = 1;
    bool lsb = false;
    int width = 3, height = 2, blockWidth = 2, blockHeight = 2, depth = 16, structSize = 32;
    int keyIndex = 0, keyRGB = 0xFF00FF;
    std::string author;
    std::string colours;  // CMAP data
    std::vector<BlockSpec> blocks;
    std::vector<AnimSpec> anims;
    std::vector<std::string> graphics;       // raw BGFX data of each graphic
    std::map<int, std::vector<int>> layers;  // 0 = BODY; a cell is a block, or -(anim + 1)

    std::string n16(int v) const {
        std::string s = {char(v >> 8), char(v)};
        if (lsb) std::swap(s[0], s[1]);
        return s;
    }
    std::string n32(int v) const {
        std::string s = be32(uint32_t(v));
        if (lsb) std::reverse(s.begin(), s.end());
        return s;
    }
    int graphicSize() const { return blockWidth * blockHeight * ((depth + 1) / 8); }

    std::string mphd() const {
        return std::string{1, 0, char(lsb ? 1 : 0), char(type)} + n16(width) + n16(height) + n16(0) + n16(0) +
               n16(blockWidth) + n16(blockHeight) + n16(depth) + n16(structSize) + n16(int(blocks.size())) +
               n16(int(graphics.size())) +
               std::string{char(keyIndex), char(keyRGB >> 16), char(keyRGB >> 8), char(keyRGB)};
    }
    std::string bkdt() const {
        std::string data;
        for (const auto& b : blocks) {
            std::string one;
            for (int g : b.graphics) one += n32(type == 0 ? g * graphicSize() : g);
            one += n32(b.user[0]) + n32(b.user[1]) + n16(b.user[2]) + n16(b.user[3]);
            one += std::string{char(b.user[4]), char(b.user[5]), char(b.user[6]), char(b.flags)};
            one.resize(structSize, '\0');
            data += one;
        }
        return data;
    }
    // Frame lists first, then the end marker, then the structures with anim 0 last.
    std::string andt() const {
        std::string frames;
        std::vector<int> starts;
        for (const auto& a : anims) {
            starts.push_back(int(frames.size()));
            for (int f : a.frames) frames += n32(type == 0 ? f * structSize : f);
        }
        int length = int(frames.size() + 16 * (anims.size() + 1));
        std::string structs = std::string{char(-1)} + std::string(15, '\0');
        for (size_t k = anims.size(); k-- > 0;) {
            const AnimSpec& a = anims[k];
            int start = starts[k] - length;
            structs += std::string{char(a.type), char(a.delay), char(a.count), char(a.user)};
            structs += n32(start + 4 * a.current) + n32(start) + n32(start + 4 * int(a.frames.size()));
        }
        return frames + structs;
    }
    std::string cells(int layer) const {
        std::string data;
        for (int v : layers.at(layer)) data += n16(type == 0 ? (v >= 0 ? v * structSize : v * 16) : v);
        return data;
    }
    Chunks chunks() const {
        Chunks list;
        if (!author.empty()) list.push_back({"ATHR", author});
        list.push_back({"MPHD", mphd()});
        if (!colours.empty()) list.push_back({"CMAP", colours});
        list.push_back({"BKDT", bkdt()});
        if (!anims.empty()) list.push_back({"ANDT", andt()});
        std::string gfx;
        for (const auto& g : graphics) gfx += g;
        list.push_back({"BGFX", gfx});
        for (const auto& [layer, values] : layers) {
            list.push_back({layer == 0 ? "BODY" : "LYR" + std::to_string(layer), cells(layer)});
        }
        return list;
    }
};

std::string form(const Chunks& chunks, const std::string& type = "FMAP") {
    std::string body = type;
    for (const auto& [id, data] : chunks) body += id + be32(uint32_t(data.size())) + data;
    return "FORM" + be32(uint32_t(body.size())) + body;
}

void remove(Chunks& chunks, const std::string& id) {
    std::erase_if(chunks, [&](const auto& chunk) { return chunk.first == id; });
}

std::string& data(Chunks& chunks, const std::string& id) {
    return std::find_if(chunks.begin(), chunks.end(), [&](const auto& c) { return c.first == id; })->second;
}

// 3 x 2 cells of 2 x 2 pixels, four 16-bit graphics, four blocks, two animations, layers 0 and 3.
MapSpec baseMap() {
    MapSpec map;
    map.author = std::string("Brinmoor\0Level one\0", 19);
    for (int g = 0; g < 4; ++g) map.graphics.push_back(std::string(map.graphicSize(), char(g)));
    map.blocks = {{{0, 0, 0, 0}, 0, {}},
                  {{1, 0, 0, 0}, 0x01, {100000, -2, 65535, 4, 5, 6, 255}},
                  {{2, 3, 0, 0}, 0x16, {}},
                  {{3, 0, 0, 1}, 0x80, {}}};
    map.anims = {{1, 1, 0, 7, {1, 2, 3}, 1}, {6, 0, 0, -1, {2, 0}, 0}};
    map.layers[0] = {0, 1, -1, 2, 3, -2};
    map.layers[3] = {3, 3, 3, 0, 0, 1};
    return map;
}

std::string baseDump(const std::string& name) {
    return "== " + name +
           "\n"
           "JavaMappy: skipped chunk EDHD\n"
           "map 3x2 blocks 2x2 depth 16\n"
           "author Brinmoor\n"
           "author Level one\n"
           "block 0: 0 0 0 0 flags 00000000 user 0 0 0 0 0 0 0\n"
           "block 1: 1 0 0 0 flags 00000001 user 100000 -2 65535 4 5 6 255\n"
           "block 2: 2 3 0 0 flags 00010110 user 0 0 0 0 0 0 0\n"
           "block 3: 3 0 0 1 flags 10000000 user 0 0 0 0 0 0 0\n"
           "anim 0: type 1 delay 1 count 0 user 7 frames 1 2 3 current 1\n"
           "anim 1: type 6 delay 0 count 0 user -1 frames 2 0 current 0\n"
           "layer 0:\n"
           " 0 1 -1\n"
           " 2 3 -2\n"
           "layer 3:\n"
           " 3 3 3\n"
           " 0 0 1\n";
}

// The base map with an editor chunk the library skips.
std::string baseFile(const MapSpec& map) {
    Chunks chunks = map.chunks();
    chunks.insert(chunks.begin() + 2, {"EDHD", std::string(6, 'e')});
    return form(chunks);
}

// One map file per row, loaded by one desktop run of the dump program; each row's output is compared.
struct Row {
    std::string name;
    std::string file;
    std::vector<std::string> commands;
    std::string expected;  // without the "== name" line when it starts with "error"
};

class MapLoader : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        classes_ = new TempDir;
        installMapLibrary(classes_->path());
        // The dump program is a desktop program: it compiles against the JDK, the phone API stubs and, for
        // the renderers' drawing, stand-in Image and Graphics classes that print what they are asked to do.
        fs::path standIns = kData / "maps/lcdui/javax/microedition/lcdui";
        ToolRun javac = run({kJavac, "-source", "1.4", "-target", "1.4", "-classpath",
                             lib("midpapi20.jar") + ":" + classes_->path(), "-d", *classes_ / "dump",
                             (kData / "maps/MapDump.java").string(), (standIns / "Image.java").string(),
                             (standIns / "Graphics.java").string()});
        compiled_ = javac.status == 0;
        compileErrors_ = javac.output + javac.errors;
    }
    static void TearDownTestSuite() {
        delete classes_;
        classes_ = nullptr;
    }

    void check(const std::vector<Row>& rows) {
        ASSERT_TRUE(compiled_) << compileErrors_;
        TempDir maps;
        std::vector<std::string> argv = {
            TZ_JAVA, "-Xshare:auto", "-cp",
            (*classes_ / "dump") + ":" + lib("midpapi20.jar") + ":" + classes_->path(), "Game.MapDump"};
        for (const auto& row : rows) {
            if (row.file.empty()) {
                argv.push_back("loadnull");
            } else {
                writeFile(maps / row.name, row.file);
                argv.insert(argv.end(), {"load", maps / row.name});
            }
            argv.insert(argv.end(), row.commands.begin(), row.commands.end());
        }
        ToolRun dump = run(argv);
        ASSERT_EQ(dump.status, 0) << dump.errors;
        EXPECT_EQ(dump.errors, "");
        std::map<std::string, std::string> sections;
        std::string current;
        std::istringstream lines(dump.output);
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind("== ", 0) == 0) current = line.substr(3);
            sections[current] += line + "\n";
        }
        for (const auto& row : rows) {
            std::string name = row.file.empty() ? "null" : row.name;
            std::string expected =
                row.expected.rfind("error", 0) == 0 ? "== " + name + "\n" + row.expected : row.expected;
            EXPECT_EQ(sections[name], expected) << name;
        }
    }

    static TempDir* classes_;
    static bool compiled_;
    static std::string compileErrors_;
};

TempDir* MapLoader::classes_ = nullptr;
bool MapLoader::compiled_ = false;
std::string MapLoader::compileErrors_;

TEST_F(MapLoader, ReadsBothMapTypesAndByteOrdersAlike) {
    MapSpec numbers = baseMap();
    MapSpec offsets = baseMap();
    offsets.type = 0;
    offsets.lsb = true;
    MapSpec wideStructs = baseMap();
    wideStructs.structSize = 40;
    wideStructs.type = 0;
    check({{"numbers.fmp", baseFile(numbers), {"dump"}, baseDump("numbers.fmp")},
           {"offsets.fmp", baseFile(offsets), {"dump"}, baseDump("offsets.fmp")},
           {"wide.fmp", baseFile(wideStructs), {"dump"}, baseDump("wide.fmp")}});
}

TEST_F(MapLoader, DecodesEveryPixelFormatWithItsTransparentColour) {
    auto pixels = [](int depth, std::string data, std::string colours = "") {
        MapSpec map;
        map.width = map.height = 1;
        map.blockWidth = 3;
        map.blockHeight = 1;
        map.depth = depth;
        map.keyIndex = 1;
        map.colours = colours;
        map.graphics = {data};
        map.blocks = {BlockSpec{}};
        map.layers[0] = {0};
        return form(map.chunks());
    };
    using namespace std::string_literals;
    auto row = [](const std::string& name, const std::string& file, const std::string& argb) {
        return Row{name, file, {"pixels"}, "== " + name + "\ngraphic 0: " + argb + "\n"};
    };
    // Each graphic: an ordinary pixel, the transparent colour (alpha 0, colour kept), and a third one.
    check({
        row("8.fmp", pixels(8, "\x00\x01\x07"s, "\x01\x02\x03\xff\x00\xff"s), "ff010203 00ff00ff ff000000"),
        row("15.fmp", pixels(15, "\x04\x43\x7c\x1f\x7f\xff"s), "ff081018 00ff00ff ffffffff"),
        row("16.fmp", pixels(16, "\x08\x43\xf8\x1f\xff\xff"s), "ff080818 00ff00ff ffffffff"),
        row("24.fmp", pixels(24, "\x01\x02\x03\xff\x00\xff\xff\xff\xfe"s), "ff010203 00ff00ff fffffffe"),
        row("32.fmp", pixels(32, "\x00\x01\x02\x03\x00\xff\x00\xff\x80\xff\xff\xfe"s),
            "ff010203 00ff00ff fffffffe"),
    });
}

TEST_F(MapLoader, StepsEachAnimationTypeAndHonoursTheDelay) {
    MapSpec map = baseMap();
    map.anims = {
        {1, 0, 0, 0, {1, 2, 3}, 0},  // loop forward
        {1, 1, 0, 0, {1, 2, 3}, 0},  // loop forward, every second tick
        {2, 0, 0, 0, {1, 2, 3}, 0},  // loop reverse
        {3, 0, 0, 0, {1, 2, 3}, 0},  // once, then back to the first frame and still
        {4, 0, 0, 0, {1, 2, 3}, 0},  // once, holding the last frame
        {5, 0, 0, 0, {1, 2, 3}, 0},  // ping-pong
        {6, 0, 0, 0, {1, 2, 3}, 2},  // ping-pong, reverse half first
        {0, 0, 0, 0, {1, 2, 3}, 1},  // none
        {5, 0, 0, 0, {2}, 0},        // ping-pong of one frame
    };
    check({{"anims.fmp",
            form(map.chunks()),
            {"anim", "6"},
            "== anims.fmp\n"
            "anim 0: 1 2 3 1 2 3 1\n"
            "anim 1: 1 2 2 3 3 1 1\n"
            "anim 2: 1 3 2 1 3 2 1\n"
            "anim 3: 1 2 3 1 1 1 1\n"
            "anim 4: 1 2 3 3 3 3 3\n"
            "anim 5: 1 2 3 2 1 2 3\n"
            "anim 6: 3 2 1 2 3 2 1\n"
            "anim 7: 2 2 2 2 2 2 2\n"
            "anim 8: 2 2 2 2 2 2 2\n"}});
}

TEST_F(MapLoader, ViewerScrollsWithinTheMapDrawsLayerZeroAndAnswersQueries) {
    check({{"view.fmp",
            form(baseMap().chunks()),
            {"view", "4",    "4",    "at",    "1",  "1",  "draw", "false", "at",    "100",
             "-5",   "draw", "true", "query", "0",  "1",  "0",    "0",     "query", "0",
             "2",    "0",    "3",    "query", "0",  "2",  "1",    "4",     "query", "0",
             "0",    "1",    "2",    "query", "0",  "3",  "0",    "0",     "query", "0",
             "-1",   "0",    "0",    "query", "3",  "0",  "0",    "7",     "query", "1",
             "0",    "0",    "0",    "query", "8",  "0",  "0",    "0",     "query", "0",
             "1",    "0",    "-1",   "view",  "10", "10", "at",   "5",     "5"},
            "== view.fmp\n"
            "prepare 4 graphics of 2x2\n"
            "at 1,0\n"
            // anim 0 moves on to block 3, anim 1 turns at its first frame to block 0
            "draw 0 at -1,0\n"
            "draw 1 at 1,0\n"
            "draw 3 at 3,0\n"
            "draw 1 at 3,0 keyed\n"
            "draw 2 at -1,2\n"
            "draw 3 at -1,2 keyed\n"
            "draw 3 at 1,2\n"
            "draw 1 at 1,2 keyed\n"
            "draw 0 at 3,2\n"
            "at 2,0\n"
            // anim 0 waits out its delay, anim 1 swings back to block 2
            "draw 1 at 0,0 keyed\n"
            "draw 3 at 2,0 keyed\n"
            "draw 1 at 2,0 keyed\n"
            "draw 3 at 0,2 keyed\n"
            "draw 1 at 0,2 keyed\n"
            "draw 2 at 2,2 keyed\n"
            "draw 3 at 2,2 keyed\n"
            "query 0 1,0 0: flag 1 image 1\n"
            "query 0 2,0 3: flag 0 image 1\n"
            "query 0 2,1 4: flag 1 image -1\n"
            "query 0 0,1 2: flag 1 image 0\n"
            "query 0 3,0 0: flag 0 image -1\n"
            "query 0 -1,0 0: flag 0 image -1\n"
            "query 3 0,0 7: flag 1 image -1\n"
            "query 1 0,0 0: flag 0 image -1\n"
            "query 8 0,0 0: flag 0 image -1\n"
            "query 0 1,0 -1: flag 0 image -1\n"
            "prepare 4 graphics of 2x2\n"
            "at 0,0\n"}});
}

TEST_F(MapLoader, RenderersDrawImagesAndSeeThroughRuns) {
    MapSpec map;
    map.width = 2;
    map.height = 1;
    map.blockHeight = 1;
    using namespace std::string_literals;
    map.graphics = {"\xff\xff\xf8\x1f"s, "\xf8\x00\xf8\x00"s};  // white and transparent; red twice
    map.blocks = {{{0, 0, 0, 0}, 0, {}}, {{1, 0, 0, 0}, 0, {}}};
    map.layers[0] = {1, 0};
    // A fresh renderer per command; image names count on through the run.
    check({{"paint.fmp",
            form(map.chunks()),
            {"paint", "MIDP10", "4", "false", "paint", "MIDP10", "4", "true", "paint", "J2ME", "4", "false",
             "paint", "J2ME", "4", "true"},
            "== paint.fmp\n"
            "createImage image0 2x1\n"
            "image0 fillRect 0,0 1x1 ffffff\n"
            "image0 fillRect 1,0 1x1 ff00ff\n"
            "createImage image1 2x1\n"
            "image1 fillRect 0,0 2x1 ff0000\n"
            "screen drawImage image1 at 0,0 anchor 20\n"
            "screen drawImage image0 at 2,0 anchor 20\n"
            "screen colour 123456\n"
            "createImage image2 2x1\n"
            "image2 fillRect 0,0 1x1 ffffff\n"
            "image2 fillRect 1,0 1x1 ff00ff\n"
            "createImage image3 2x1\n"
            "image3 fillRect 0,0 2x1 ff0000\n"
            "screen drawImage image3 at 0,0 anchor 20\n"
            "screen fillRect 2,0 1x1 ffffff\n"
            "screen colour 123456\n"
            "createRGBImage image4 2x1 alpha ffffffff ff00ff\n"
            "createRGBImage image5 2x1 alpha ffff0000 ffff0000\n"
            "screen drawImage image5 at 0,0 anchor 20\n"
            "screen fillRect 2,0 2x1 ff00ff\n"
            "screen drawImage image4 at 2,0 anchor 20\n"
            "screen colour 123456\n"
            "createRGBImage image6 2x1 alpha ffffffff ff00ff\n"
            "createRGBImage image7 2x1 alpha ffff0000 ffff0000\n"
            "screen drawImage image7 at 0,0 anchor 20\n"
            "screen drawImage image6 at 2,0 anchor 20\n"
            "screen colour 123456\n"}});
}

TEST_F(MapLoader, PicksTheRendererByTheProfile) {
    check({{"renderer.fmp",
            form(baseMap().chunks()),
            {"renderer", "MIDP-2.0", "renderer", "MIDP-1.0"},
            "== renderer.fmp\nrenderer Game.J2MERenderer\nrenderer Game.MIDP10Renderer\n"}});
}

TEST_F(MapLoader, RefusesBrokenMapsWithAReason) {
    const MapSpec base = baseMap();
    const std::string whole = form(base.chunks());
    auto edited = [&](auto edit, MapSpec map) {
        edit(map);
        return form(map.chunks());
    };
    auto editedChunks = [&](auto edit) {
        Chunks chunks = base.chunks();
        edit(chunks);
        return form(chunks);
    };
    size_t lyr3 = whole.find("LYR3");
    const std::string exception = "error Game.JavaMappyException: ";
    const std::string chunk = "error Game.ChunkLoadException: chunk ";
    std::vector<Row> rows = {
        {"list.fmp", "LIST" + whole.substr(4), {}, exception + "not a map: no FORM header\n"},
        {"short.fmp", "FORM\0\0", {}, exception + "not a map: the file is too short\n"},
        {"ilbm.fmp", form(base.chunks(), "ILBM"), {}, chunk + "FORM: not a map form (type ILBM)\n"},
        {"cut-in-body.fmp", whole.substr(0, lyr3 - 3), {}, chunk + "BODY: the file ends inside it\n"},
        {"cut-at-chunk.fmp", whole.substr(0, lyr3), {}, chunk + "FORM: the file ends inside it\n"},
        {"cut-in-header.fmp",
         whole.substr(0, lyr3 + 5),
         {},
         chunk + "FORM: the file ends inside a chunk header\n"},
        {"huge-athr.fmp",
         editedChunks([](Chunks& c) {
             c.insert(c.begin(), {"ATHR", ""});
         }).replace(12 + 4, 4, be32(0x7ffffff0)),
         {},
         chunk + "ATHR: the file ends inside it\n"},
        {"negative.fmp",
         editedChunks([](Chunks& c) {
             c.insert(c.begin(), {"ATHR", ""});
         }).replace(12 + 4, 4, be32(0xfffffffc)),
         {},
         chunk + "ATHR: negative length -4\n"},
        {"early-bkdt.fmp",
         editedChunks([](Chunks& c) { std::swap(c[1], c[2]); }),
         {},
         chunk + "BKDT: comes before MPHD\n"},
        {"no-mphd.fmp", form({{"ATHR", "me"}}), {}, exception + "the map has no MPHD chunk\n"},
        {"no-body.fmp",
         editedChunks([](Chunks& c) { remove(c, "BODY"); }),
         {},
         exception + "the map has no BODY chunk\n"},
        {"no-bkdt.fmp",
         editedChunks([](Chunks& c) { remove(c, "BKDT"); }),
         {},
         exception + "the map has no BKDT chunk\n"},
        {"no-bgfx.fmp",
         editedChunks([](Chunks& c) { remove(c, "BGFX"); }),
         {},
         exception + "the map has no BGFX chunk\n"},
        {"no-cmap.fmp",
         edited(
             [](MapSpec& m) {
                 m.depth = 8;
                 m.graphics.assign(4, std::string(4, '\0'));
             },
             base),
         {},
         exception + "the 8-bit map has no CMAP chunk\n"},
        {"bad-cell.fmp",
         edited([](MapSpec& m) { m.layers[0][1] = 9; }, base),
         {},
         exception + "layer 0 cell (1, 0) uses block 9 of 4\n"},
        {"bad-anim-cell.fmp",
         edited([](MapSpec& m) { m.layers[3][4] = -5; }, base),
         {},
         exception + "layer 3 cell (1, 1) uses animated block 4 of 2\n"},
        {"bad-graphic.fmp",
         edited([](MapSpec& m) { m.blocks[2].graphics[3] = 4; }, base),
         {},
         exception + "block 2 uses graphic 4 of 4\n"},
        {"bad-frame.fmp",
         edited([](MapSpec& m) { m.anims[1].frames[1] = 7; }, base),
         {},
         exception + "animated block 1 shows block 7 of 4\n"},
        {"bad-type.fmp",
         edited([](MapSpec& m) { m.anims[1].type = 10; }, base),
         {},
         chunk + "ANDT: animated block 1 has type 10\n"},
        {"no-end.fmp",
         editedChunks([](Chunks& c) { data(c, "ANDT").replace(20, 1, "\x01"); }),
         {},
         chunk + "ANDT: no end marker\n"},
        {"bad-positions.fmp",
         editedChunks([](Chunks& c) { data(c, "ANDT").replace(data(c, "ANDT").size() - 4, 4, be32(-8)); }),
         {},
         chunk + "ANDT: animated block 0 has broken frame positions\n"},
        {"compressed.fmp",
         edited([](MapSpec& m) { m.type = 2; }, base),
         {},
         chunk + "MPHD: compressed layers (map type 2) are not supported\n"},
        {"depth.fmp", edited([](MapSpec& m) { m.depth = 12; }, base), {}, chunk + "MPHD: colour depth 12\n"},
        {"flat.fmp",
         edited([](MapSpec& m) { m.blockHeight = 0; }, base),
         {},
         chunk + "MPHD: block size 2 x 0\n"},
        {"small-structs.fmp",
         edited([](MapSpec& m) { m.structSize = 16; }, base),
         {},
         chunk + "MPHD: block structure size 16\n"},
        {"short-mphd.fmp",
         editedChunks([](Chunks& c) { data(c, "MPHD").resize(20); }),
         {},
         chunk + "MPHD: too short (20 bytes)\n"},
        {"short-bgfx.fmp",
         editedChunks([](Chunks& c) { data(c, "BGFX").pop_back(); }),
         {},
         chunk + "BGFX: 31 bytes cannot hold 4 graphics of 2 x 2 at 16 bits\n"},
        {"short-bkdt.fmp",
         editedChunks([](Chunks& c) { data(c, "BKDT").pop_back(); }),
         {},
         chunk + "BKDT: 127 bytes cannot hold 4 blocks of 32\n"},
        {"short-body.fmp",
         editedChunks([](Chunks& c) { data(c, "BODY").pop_back(); }),
         {},
         chunk + "BODY: 11 bytes cannot hold 3 x 2 cells\n"},
        {"odd-cell.fmp",
         [&] {
             MapSpec offsets = base;
             offsets.type = 0;
             Chunks chunks = offsets.chunks();
             data(chunks, "BODY").replace(0, 2, std::string("\0\x05", 2));
             return form(chunks);
         }(),
         {},
         chunk + "BODY: cell (0, 0) holds offset 5, not a multiple of 32\n"},
        {"", "", {}, exception + "no map: the resource was not found\n"},
    };
    check(rows);
}

// --- The class files -------------------------------------------------------------------------------------

TEST(MapLibrary, IncludeFolderHoldsExactlyTheCopiedClassFiles) {
    std::set<std::string> expected(kMapLibrary.begin(), kMapLibrary.end());
    ASSERT_EQ(expected.size(), 40u);
    std::set<std::string> found;
    for (const auto& entry : fs::directory_iterator(kKit / "Include")) {
        std::string name = entry.path().stem().string();
        // The other support classes (Include, IncludeSound, ...) share the folder.
        if (entry.path().extension() == ".inc" && name.rfind("Include", 0) != 0) found.insert(name);
    }
    EXPECT_EQ(found, expected);
}

TEST(MapLibrary, PreverifiesForACldc10Phone) {
    TempDir dir;
    installMapLibrary(dir / "tmpclasses");
    ToolRun preverify =
        run({kPreverify, "-classpath", lib("midpapi20.jar") + ";" + lib("cldcapi10.jar") + ";", "-d",
             dir / "classes", dir / "tmpclasses"});
    ASSERT_EQ(preverify.status, 0) << preverify.errors;
    for (const auto& name : kMapLibrary) {
        ClassInfo info = readClass(readFile(dir.folder() / "classes/Game" / (name + ".class")));
        ASSERT_TRUE(info.valid) << name << ": " << info.error;
        EXPECT_TRUE(preverifyProblems(info).empty()) << name;
        EXPECT_EQ(info.name, "Game/" + name);
    }
    // CLDC 1.0 has no floating point: no float or double anywhere in the code or the signatures.
    std::vector<std::string> argv = {TZ_JAVAP, "-c", "-p", "-s", "-classpath", dir / "classes"};
    for (const auto& name : kMapLibrary) argv.push_back("Game." + name);
    ToolRun javap = run(argv);
    ASSERT_EQ(javap.status, 0) << javap.errors;
    for (const char* word : {"float", "double", "fconst", "dconst", "fload", "dload", "i2f", "i2d"}) {
        EXPECT_EQ(javap.output.find(word), std::string::npos) << word;
    }
}

TEST(MapLibrary, MidletCallingItAsGeneratedCodeDoesBuildsIntoASuite) {
    TempDir dir;
    std::string project = dir / "";
    installMapLibrary(project + "tmpclasses");
    installMapLibrary(project + "classes");
    ToolRun javac = compileForPhone(project + "tmpclasses", {(kData / "maps/MapGame.java").string()});
    ASSERT_EQ(javac.status, 0) << javac.output << javac.errors;
    ToolRun preverify = run({kPreverify, "-classpath",
                             lib("midpapi20.jar") + ";" + lib("cldcapi10.jar") + ";" + project + "tmpclasses",
                             "-d", project + "classes", project + "tmpclasses"});
    ASSERT_EQ(preverify.status, 0) << preverify.errors;

    writeFile(project + "MANIFEST.MF",
              "Manifest-Version: 1.0\nMicroEdition-Configuration: CLDC-1.0\nMIDlet-Name: MapGame\n"
              "MIDlet-Vendor: Brinmoor\nMIDlet-1: MapGame,,Game.MapGame\nMIDlet-Version: 1.0\n"
              "MicroEdition-Profile: MIDP-2.0\n");
    writeFile(project + "classes/level.fmp", form(baseMap().chunks()));
    ToolRun archive =
        run({kJar, "cmf", project + "MANIFEST.MF", project + "MapGame.jar", "-C", project + "classes", "."});
    ASSERT_EQ(archive.status, 0) << archive.errors;
    writeFile(project + "MapGame.jad",
              "MIDlet-1: MapGame,,Game.MapGame\nMIDlet-Name: MapGame\nMIDlet-Version: 1.0\n"
              "MIDlet-Vendor: Brinmoor\nMIDlet-Jar-Size: " +
                  std::to_string(fs::file_size(project + "MapGame.jar")) + "\nMIDlet-Jar-URL: MapGame.jar\n");
    ToolRun emulator =
        run({kEmulator, "-classpath", project + "MapGame.jar", "-Xdescriptor:" + project + "MapGame.jad"});
    EXPECT_EQ(emulator.status, 0) << emulator.output;
    EXPECT_NE(emulator.output.find("Classes: 42, all preverified"), std::string::npos) << emulator.output;
}

}  // namespace
}  // namespace standins::test
