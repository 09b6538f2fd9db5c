// The kit's jar (tools/jar.cpp): the JDK's jar command lines, written natively. KitJar checks it on its
// own; JarAgainstJdk holds it against the JDK's jar, on manifests, on generated folders and on whole
// builds of the kit's programs.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

#include <map>
#include <random>
#include <set>

#include "file_size_limit.h"
#include "suite.h"
#include "test_helpers.h"
#include "test_util.h"

namespace standins::test {
namespace {

using namespace std::string_literals;

const std::string kJdkJar = TZ_JDK_JAR;
const std::string kKitCreatedBy = "Created-By: Tesvo Zorid\r\n";

// Runs `argv` with `dir` as the working directory, as Build's resource script runs the jar.
ToolRun runIn(const fs::path& dir, const std::vector<std::string>& argv) {
    fs::path before = fs::current_path();
    fs::current_path(dir);
    ToolRun result = run(argv);
    fs::current_path(before);
    return result;
}

std::string crlf(std::string_view text) {
    std::string out;
    for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

using Entries = std::vector<std::pair<std::string, std::string>>;

// The entries of a jar in their order, with their contents; empty when it is no zip file.
Entries readEntries(const fs::path& jar) {
    Entries entries;
    int error = 0;
    zip_t* archive = zip_open(jar.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive) return entries;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        std::string name = zip_get_name(archive, i, 0), data;
        if (zip_file_t* file = zip_fopen_index(archive, i, 0)) {
            char buffer[8192];
            for (zip_int64_t n; (n = zip_fread(file, buffer, sizeof buffer)) > 0;) data.append(buffer, n);
            zip_fclose(file);
        }
        entries.emplace_back(name, data);
    }
    zip_discard(archive);
    return entries;
}

std::vector<std::string> names(const Entries& entries) {
    std::vector<std::string> out;
    for (const auto& entry : entries) out.push_back(entry.first);
    return out;
}

// What a phone's installer needs of each local header that the central directory does not tell it:
// no data descriptor (the sizes stand in the header), a deflated or stored entry, "/" in names. One line
// per problem.
std::string localHeaderProblems(const std::string& bytes) {
    auto u16 = [&](size_t at) {
        return static_cast<unsigned>(static_cast<unsigned char>(bytes[at])) |
               static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 1])) << 8;
    };
    auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
    std::string problems;
    size_t at = 0;
    for (; at + 30 <= bytes.size() && u32(at) == 0x04034b50;) {
        unsigned flags = u16(at + 6), method = u16(at + 8), compressed = u32(at + 18), size = u32(at + 22);
        std::string name = bytes.substr(at + 30, u16(at + 26));
        if (flags & 8) problems += name + ": sizes in a data descriptor\n";
        if (size > 0 && method != 8) problems += name + ": not deflated\n";
        if (size == 0 && method != 0) problems += name + ": empty but not stored\n";
        if (name.find('\\') != std::string::npos) problems += name + ": a backslash\n";
        at += 30 + name.size() + u16(at + 28) + compressed;
    }
    if (at + 4 > bytes.size() || u32(at) != 0x02014b50)
        problems += "no central directory after the entries\n";
    return problems;
}

// Every file under `dir` with its contents, to show that a failed run changed nothing.
std::map<std::string, std::string> snapshot(const fs::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        std::string name = entry.path().lexically_relative(dir).string();
        files[name] = entry.is_regular_file() ? readFile(entry.path()) : std::string("<folder>");
    }
    return files;
}

// --- Manifests --------------------------------------------------------------------------------------------

struct ManifestRow {
    const char* what;
    std::string input;
    std::string written;  // the jar's META-INF/MANIFEST.MF, lines ending in "\n" here; "" when refused
};

std::string repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

// Learnt from the JDK's jar, and checked against it by JarAgainstJdk.ManifestsAreTheJdksOwn (which
// takes the entry sections in any order).
const std::vector<ManifestRow>& manifestRows() {
    static const std::string a64 = repeat("a", 64), e40 = repeat("\xc3\xa9", 40);
    static const std::vector<ManifestRow> rows = {
        {"Build's manifest, its attributes kept in their order",
         "Manifest-Version: 1.0\nMicroEdition-Configuration: CLDC-1.0\nMIDlet-Name: Sky\n"
         "Created-By: 1.3.1 (Sun Microsystems Inc.)\nMIDlet-Vendor: Brinmoor\nMIDlet-1: Sky,,Game.Sky\n"
         "MIDlet-Version: 1.0\nMicroEdition-Profile: MIDP-1.0\n",
         "Manifest-Version: 1.0\nMicroEdition-Configuration: CLDC-1.0\nMIDlet-Name: Sky\n"
         "Created-By: 1.3.1 (Sun Microsystems Inc.)\nMIDlet-Vendor: Brinmoor\nMIDlet-1: Sky,,Game.Sky\n"
         "MIDlet-Version: 1.0\nMicroEdition-Profile: MIDP-1.0\n\n"},
        {"an empty manifest", "", "Manifest-Version: 1.0\nCreated-By: Tesvo Zorid\n\n"},
        {"the version added first, Created-By last", "MIDlet-Name: Sky\nMIDlet-1: Sky,,Game.Sky\n",
         "Manifest-Version: 1.0\nMIDlet-Name: Sky\nMIDlet-1: Sky,,Game.Sky\nCreated-By: Tesvo Zorid\n\n"},
        {"names without case: the first place, the last value, the version first",
         "a: 1\nA: 2\nManifest-version: 3\ncreated-by: me\n",
         "Manifest-Version: 3\na: 2\ncreated-by: me\n\n"},
        {"line ends LF, CR LF and CR; the value after \": \" as it is", "A:  b \r\nC: d\rE: f\n",
         "Manifest-Version: 1.0\nA:  b \nC: d\nE: f\nCreated-By: Tesvo Zorid\n\n"},
        {"continuation lines joined", "A: b\n c\n  d\nE: f\n \n",
         "Manifest-Version: 1.0\nA: bc d\nE: f\nCreated-By: Tesvo Zorid\n\n"},
        {"a last line without its end is not read", "A: b\nC: d",
         "Manifest-Version: 1.0\nA: b\nCreated-By: Tesvo Zorid\n\n"},
        {"nor is the line it would continue", "A: b\nC: d\n e",
         "Manifest-Version: 1.0\nA: b\nCreated-By: Tesvo Zorid\n\n"},
        {"72 bytes stay one line, 73 wrap", "X: " + repeat("b", 69) + "\nY: " + repeat("c", 70) + "\n",
         "Manifest-Version: 1.0\nX: " + repeat("b", 69) + "\nY: " + repeat("c", 69) +
             "\n c\nCreated-By: Tesvo Zorid\n\n"},
        {"a long value wraps into lines of 72 bytes", "X-Long: " + a64 + repeat("b", 71) + "cc\n",
         "Manifest-Version: 1.0\nX-Long: " + a64 + "\n " + repeat("b", 71) +
             "\n cc\nCreated-By: Tesvo Zorid\n\n"},
        {"wrapped by bytes, inside a character too", "X-Utf: " + e40 + "\n",
         "Manifest-Version: 1.0\nX-Utf: " + repeat("\xc3\xa9", 32) + "\xc3\n \xa9" + repeat("\xc3\xa9", 7) +
             "\nCreated-By: Tesvo Zorid\n\n"},
        {"malformed UTF-8 read as U+FFFD",
         "A: b\xff"
         "c\xc3\nB: \xed\xa0\x80|\xc0\xaf|\xf4\x90\x80\x80|\xe2\x82\n",
         "Manifest-Version: 1.0\nA: b\xef\xbf\xbd"
         "c\xef\xbf\xbd\nB: \xef\xbf\xbd|" +
             repeat("\xef\xbf\xbd", 2) + "|" + repeat("\xef\xbf\xbd", 4) +
             "|\xef\xbf\xbd\nCreated-By: Tesvo Zorid\n\n"},
        {"sections kept, one of each entry, their names continued and wrapped",
         "A: b\n\n\nName: x\nB: c\n\nname: y\n z\n\nNAME: x\nC: d\n\nName: " + repeat("n", 70) + "\n",
         "Manifest-Version: 1.0\nA: b\nCreated-By: Tesvo Zorid\n\nName: x\nB: c\nC: d\n\nName: yz\n\n"
         "Name: " +
             repeat("n", 66) + "\n nnnn\n\n"},
        {"the longest line: 511 bytes", "A: " + repeat("b", 508) + "\n",
         "Manifest-Version: 1.0\nA: " + repeat("b", 69) + repeat("\n " + repeat("b", 71), 6) + "\n " +
             repeat("b", 13) + "\nCreated-By: Tesvo Zorid\n\n"},
        // Refused.
        {"a line of 512 bytes", "A: " + repeat("b", 509) + "\n", ""},
        {"an unended last line of 512 bytes", "A: b\nC: " + repeat("d", 509), ""},
        {"no \": \"", "A:b\n", ""},
        {"no colon", "A b\n", ""},
        {"a name with a blank", "A B: c\n", ""},
        {"a name of 71 characters", repeat("N", 71) + ": c\n", ""},
        {"a name that is not ASCII", "A\xff: b\n", ""},
        {"a continuation first", " x\nA: b\n", ""},
        {"a section without its name", "A: b\n\nB: c\n", ""},
        {"blank lines first", "\n\nA: b\n", ""},
    };
    return rows;
}

TEST(KitJar, WritesTheManifestAsTheJdksJarDoes) {
    TempDir dir;
    writeFile(dir / "classes/a.txt", "a");
    for (const auto& row : manifestRows()) {
        SCOPED_TRACE(row.what);
        writeFile(dir / "MANIFEST.MF", row.input);
        fs::remove(dir / "out.jar");
        ToolRun result = run({kJar, "cmf", dir / "MANIFEST.MF", dir / "out.jar", "-C", dir / "classes", "."});
        if (row.written.empty()) {
            EXPECT_EQ(result.status, 1);
            EXPECT_EQ(result.errors.rfind("jar: the manifest " + dir / "MANIFEST.MF" + ": ", 0), 0u)
                << result.errors;
            EXPECT_NE(result.errors.find(" (line "), std::string::npos) << result.errors;
            EXPECT_FALSE(fs::exists(dir / "out.jar"));
            continue;
        }
        ASSERT_EQ(result.status, 0) << result.errors;
        Entries entries = readEntries(dir / "out.jar");
        ASSERT_EQ(names(entries), (std::vector<std::string>{"META-INF/", "META-INF/MANIFEST.MF", "a.txt"}));
        EXPECT_EQ(entries[1].second, crlf(row.written));
    }
}

// --- Entries ----------------------------------------------------------------------------------------------

// A project folder with compiled classes and resources, as Build leaves it before the jar runs.
void layOutProject(const fs::path& project) {
    for (const char* name : {"Game/Main.class", "Game/Main$1.class", "Game/a.class", "Game/B.class",
                             "a/sub/s", "a-b/y", "a.c/z", "a0", "Z.class", "_u", "META-INF/other"})
        writeFile(project / "classes" / name, std::string(name) + repeat(" compressible", 40));
    writeFile(project / "classes/empty", "");
    writeFile(project / "classes/META-INF/MANIFEST.MF", "Stray: manifest\n");
    fs::create_directories(project / "classes/emptydir");
    for (const char* name : {"hero.png", "sfx/shot.wav", "d.png/e", "d.png/in/f", "Z.class"})
        writeFile(project / name, std::string(name) + " resource");
    writeFile(project / "MANIFEST.MF", "MIDlet-Name: Sky\n");
}

// The two runs of Build and then an update that replaces an entry, with the kit's jar or the JDK's.
void buildSuite(const std::string& jarTool, const fs::path& project, const std::string& jar) {
    ToolRun made = runIn(project, {jarTool, "cmf", "MANIFEST.MF", jar, "-C", "classes", "."});
    ASSERT_EQ(made.status, 0) << made.errors;
    ToolRun added = runIn(project, {jarTool, "uf", jar, "hero.png", "d.png", "sfx/shot.wav"});
    ASSERT_EQ(added.status, 0) << added.errors;
    ToolRun replaced = runIn(project, {jarTool, "uf", jar, "Z.class"});
    ASSERT_EQ(replaced.status, 0) << replaced.errors;
}

TEST(KitJar, OrdersEntriesAsTheJdksJarAndWritesThemForAPhone) {
    TempDir dir;
    layOutProject(dir.path());
    ASSERT_NO_FATAL_FAILURE(buildSuite(kJar, dir.path(), "Sky.jar"));

    // Under -C, each folder's entry and then its contents sorted by name (bytes); a named file gets no
    // entries for its folders, a named folder does; the inputs' own manifest gives way to the command's.
    const std::vector<std::string> expected = {"META-INF/",
                                               "META-INF/MANIFEST.MF",
                                               "Game/",
                                               "Game/B.class",
                                               "Game/Main$1.class",
                                               "Game/Main.class",
                                               "Game/a.class",
                                               "META-INF/other",
                                               "Z.class",
                                               "_u",
                                               "a/",
                                               "a/sub/",
                                               "a/sub/s",
                                               "a-b/",
                                               "a-b/y",
                                               "a.c/",
                                               "a.c/z",
                                               "a0",
                                               "empty",
                                               "emptydir/",
                                               "hero.png",
                                               "d.png/",
                                               "d.png/e",
                                               "d.png/in/",
                                               "d.png/in/f",
                                               "sfx/shot.wav"};
    const fs::path jar = dir.folder() / "Sky.jar";
    Entries entries = readEntries(jar);
    EXPECT_EQ(names(entries), expected);
    for (const auto& [name, data] : entries) {
        if (name.ends_with('/')) {
            EXPECT_EQ(data, "") << name;
        } else if (name == "META-INF/MANIFEST.MF") {
            EXPECT_EQ(data, crlf("Manifest-Version: 1.0\nMIDlet-Name: Sky\nCreated-By: Tesvo Zorid\n\n"));
        } else {
            fs::path source = name == "Z.class" || !fs::exists(dir.folder() / "classes" / name)
                                  ? dir.folder() / name
                                  : dir.folder() / "classes" / name;
            EXPECT_EQ(data, readFile(source)) << name;
        }
    }
    const std::string bytes = readFile(jar);
    EXPECT_EQ(localHeaderProblems(bytes), "");
    EXPECT_EQ(bytes.substr(30, 13), "META-INF/\xfe\xca\0\0"s) << "META-INF/ marks a jar";
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(static_cast<mode_t>(fs::status(jar).permissions() & fs::perms::all), 0666 & ~mask);

    ToolRun listing = run({kJar, "tf", jar});
    EXPECT_EQ(listing.status, 0);
    std::string lines;
    for (const auto& name : expected) lines += name + "\n";
    EXPECT_EQ(listing.output, lines);
    EXPECT_EQ(run({"unzip", "-tq", jar}).status, 0);
}

// A symbolic link in the jar's place is replaced, never written through.
TEST(KitJar, ReplacesALinkInItsPlace) {
    TempDir dir;
    writeFile(dir / "classes/a.txt", "a");
    writeFile(dir / "elsewhere.txt", "keep me");
    fs::create_symlink(dir / "elsewhere.txt", dir / "out.jar");
    ToolRun result = run({kJar, "cf", dir / "out.jar", "-C", dir / "classes", "."});
    ASSERT_EQ(result.status, 0) << result.errors;
    EXPECT_FALSE(fs::is_symlink(dir / "out.jar"));
    EXPECT_EQ(names(readEntries(dir / "out.jar")),
              (std::vector<std::string>{"META-INF/", "META-INF/MANIFEST.MF", "a.txt"}));
    EXPECT_EQ(readFile(dir / "elsewhere.txt"), "keep me");
}

TEST(KitJar, RefusesOtherCommandLinesWithStatusTwo) {
    TempDir dir;
    writeFile(dir / "a.txt", "a");
    const std::vector<std::vector<std::string>> rows = {
        {},
        {"xf", "out.jar"},
        {"cvf", "out.jar", "a.txt"},
        {"-cf", "out.jar", "a.txt"},
        {"cfm", "out.jar", "a.txt", "a.txt"},
        {"cf", "out.jar"},
        {"uf", "out.jar"},
        {"cmf", "a.txt"},
        {"cf", "out.jar", "-C", "."},
        {"tf"},
        {"tf", "out.jar", "a.txt"},
        {"--create", "--file", "out.jar", "a.txt"},
    };
    for (const auto& row : rows) {
        std::vector<std::string> argv = {kJar};
        argv.insert(argv.end(), row.begin(), row.end());
        ToolRun result = runIn(dir.path(), argv);
        EXPECT_EQ(result.status, 2) << argv.size();
        EXPECT_NE(result.errors.find("this kit's jar takes only these command lines"), std::string::npos);
        EXPECT_FALSE(fs::exists(dir / "out.jar"));
    }
}

// Whatever stops it, the jar leaves the folder as it was: the old jar whole, no new one, nothing beside.
TEST(KitJar, BadInputLeavesTheOldJarOrNone) {
    TempDir dir;
    const fs::path project = dir.path();
    writeFile(project / "MANIFEST.MF", "MIDlet-Name: Sky\n");
    writeFile(project / "bad.mf", "MIDlet-Name Sky\n");
    writeFile(project / "classes/Game/Sky.class", "class");
    writeFile(project / "a.png", "image");
    writeFile(project / "plain", "a file");
    fs::create_directories(project / "folder");
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0644), 0);
    writeFile(project / "odd/bad\xff.png", "image");
    // Incompressible, so that its jar outgrows the file-size limit below.
    std::mt19937 random(7);
    std::string noise(256 * 1024, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    writeFile(project / "big/noise.bin", noise);
    ToolRun old = runIn(project, {kJar, "cmf", "MANIFEST.MF", "old.jar", "-C", "classes", "."});
    ASSERT_EQ(old.status, 0) << old.errors;

    struct Row {
        std::vector<std::string> args;
        std::string message;  // what the line on standard error holds
        rlim_t sizeLimit = 0;
    };
    const std::vector<Row> rows = {
        {{"cmf", "missing.mf", "new.jar", "-C", "classes", "."},
         "jar: the manifest missing.mf: No such file"},
        {{"cmf", "folder", "new.jar", "-C", "classes", "."}, "jar: the manifest folder: Is a directory"},
        {{"cmf", "bad.mf", "new.jar", "-C", "classes", "."},
         "jar: the manifest bad.mf: invalid header field"},
        {{"cmf", "MANIFEST.MF", "old.jar", "-C", "classes", ".", "gone.png"}, "jar: gone.png: No such file"},
        {{"cmf", "MANIFEST.MF", "new.jar", "-C", "plain/x", "."}, "jar: plain/x: Not a directory"},
        {{"cmf", "MANIFEST.MF", "plain/new.jar", "-C", "classes", "."},
         "jar: plain/new.jar: Not a directory"},
        {{"cmf", "MANIFEST.MF", "folder", "-C", "classes", "."}, "jar: folder: Is a directory"},
        {{"cmf", "MANIFEST.MF", "new.jar", "big"}, "jar: new.jar: File too large", 64 * 1024},
        {{"uf", "old.jar", "plain/a.png"}, "jar: plain/a.png: Not a directory"},
        {{"uf", "old.jar", "pipe"}, "jar: pipe: not a file or a folder"},
        {{"uf", "old.jar", "a.png", "./a.png"}, "jar: duplicate entry: a.png"},
        {{"uf", "old.jar", "odd"}, "jar: odd/bad\xff.png: a jar holds only names in UTF-8"},
        {{"uf", "gone.jar", "a.png"}, "jar: gone.jar: No such file"},
        {{"uf", "plain", "a.png"}, "jar: plain: "},
        {{"uf", "folder", "a.png"}, "jar: folder: Is a directory"},
        {{"uf", "old.jar", "big"}, "jar: old.jar: File too large", 64 * 1024},
    };
    const auto before = snapshot(project);
    for (const auto& row : rows) {
        std::vector<std::string> argv = {kJar};
        argv.insert(argv.end(), row.args.begin(), row.args.end());
        ToolRun result;
        if (row.sizeLimit) {
            tz::testing::FileSizeLimit limit(row.sizeLimit);
            result = runIn(project, argv);
        } else {
            result = runIn(project, argv);
        }
        SCOPED_TRACE(row.message);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.errors.rfind(row.message, 0), 0u) << result.errors;
        EXPECT_EQ(std::count(result.errors.begin(), result.errors.end(), '\n'), 1) << result.errors;
        EXPECT_TRUE(snapshot(project) == before);
    }
    // What the limit stopped fits without it.
    ToolRun unlimited = runIn(project, {kJar, "uf", "old.jar", "big"});
    EXPECT_EQ(unlimited.status, 0) << unlimited.errors;
    EXPECT_EQ(readEntries(project / "old.jar").back(),
              (std::pair<std::string, std::string>{"big/noise.bin", noise}));
}

// --- Against the JDK's jar -----------------------------------------------------------------------------

// What the JDK's jar writes as Created-By when the manifest has none.
std::string jdkCreatedBy(const TempDir& dir) {
    writeFile(dir / "probe/a", "a");
    run({kJdkJar, "cf", dir / "probe.jar", "-C", dir / "probe", "."});
    Entries entries = readEntries(dir / "probe.jar");
    if (entries.size() < 2) return "";
    const std::string& manifest = entries[1].second;
    size_t at = manifest.find("Created-By: ");
    return at == std::string::npos ? "" : manifest.substr(at, manifest.find('\n', at) + 1 - at);
}

std::string withKitCreatedBy(std::string manifest, const std::string& jdkLine) {
    size_t at = manifest.find(jdkLine);
    if (!jdkLine.empty() && at != std::string::npos) manifest.replace(at, jdkLine.size(), kKitCreatedBy);
    return manifest;
}

// A manifest with its entry sections sorted: the JDK's jar writes them in the order of a hash table,
// the kit's jar in the order they come; what they say is the same.
std::string sortedSections(const std::string& manifest) {
    std::vector<std::string> sections;
    for (size_t at = 0; at < manifest.size();) {
        size_t end = manifest.find("\r\n\r\n", at);
        end = end == std::string::npos ? manifest.size() : end + 4;
        sections.push_back(manifest.substr(at, end - at));
        at = end;
    }
    if (!sections.empty()) std::sort(sections.begin() + 1, sections.end());
    std::string text;
    for (const auto& section : sections) text += section;
    return text;
}

TEST(JarAgainstJdk, ManifestsAreTheJdksOwn) {
    TempDir dir;
    const std::string createdBy = jdkCreatedBy(dir);
    ASSERT_NE(createdBy, "");
    writeFile(dir / "classes/a.txt", "a");
    for (const auto& row : manifestRows()) {
        SCOPED_TRACE(row.what);
        writeFile(dir / "MANIFEST.MF", row.input);
        fs::remove(dir / "out.jar");
        ToolRun result =
            run({kJdkJar, "cmf", dir / "MANIFEST.MF", dir / "out.jar", "-C", dir / "classes", "."});
        if (row.written.empty()) {
            EXPECT_NE(result.status, 0);
            continue;
        }
        ASSERT_EQ(result.status, 0) << result.errors;
        Entries entries = readEntries(dir / "out.jar");
        ASSERT_GE(entries.size(), 2u);
        EXPECT_EQ(sortedSections(withKitCreatedBy(entries[1].second, createdBy)),
                  sortedSections(crlf(row.written)));
    }
}

// The same folders, resources and updates through both jars give the same entries in the same order.
void expectSameJars(const fs::path& kitJar, const fs::path& jdkJar, const std::string& jdkCreatedByLine) {
    Entries kit = readEntries(kitJar), jdk = readEntries(jdkJar);
    ASSERT_FALSE(jdk.empty()) << jdkJar;
    ASSERT_EQ(names(kit), names(jdk));
    for (size_t i = 0; i < kit.size(); ++i) {
        if (kit[i].first == "META-INF/MANIFEST.MF")
            EXPECT_EQ(kit[i].second, withKitCreatedBy(jdk[i].second, jdkCreatedByLine));
        else
            EXPECT_TRUE(kit[i].second == jdk[i].second) << kit[i].first << " differs";
    }
    EXPECT_EQ(localHeaderProblems(readFile(kitJar)), "");
}

TEST(JarAgainstJdk, GeneratedFoldersAndUpdatesGiveTheJdksEntries) {
    TempDir dir;
    const std::string createdBy = jdkCreatedBy(dir);
    layOutProject(dir / "fixed");
    ASSERT_NO_FATAL_FAILURE(buildSuite(kJar, dir / "fixed", "kit.jar"));
    ASSERT_NO_FATAL_FAILURE(buildSuite(kJdkJar, dir / "fixed", "jdk.jar"));
    expectSameJars(dir / "fixed/kit.jar", dir / "fixed/jdk.jar", createdBy);

    // ASCII names only: how the JDK reads other file names depends on the locale it runs in.
    const std::string letters = "aAbZz09_-.$ ";
    for (unsigned seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
        auto name = [&]() {
            std::string text(1, letters[pick(8)]);
            for (size_t n = pick(4); n > 0; --n) text += letters[pick(letters.size())];
            return text;
        };
        // A name may already be taken by a folder or a file: then nothing is made.
        auto make = [&](const fs::path& path, const std::string& text) {
            std::error_code error;
            fs::create_directories(path.parent_path(), error);
            if (!error && !fs::exists(path)) std::ofstream(path, std::ios::binary) << text;
        };
        auto content = [&]() {
            std::string text;
            for (size_t n = pick(3) == 0 ? 0 : pick(3000); n > 0; --n)
                text += pick(2) ? static_cast<char>(random()) : 'x';
            return text;
        };
        const fs::path project = dir.folder() / ("seed" + std::to_string(seed));
        std::vector<std::string> folders = {"classes"}, resources;
        for (int i = 0; i < 14; ++i) {
            const std::string& parent = folders[pick(folders.size())];
            if (pick(3) == 0) {
                std::error_code error;
                std::string folder = parent + "/" + name();
                if (fs::create_directories(project / folder, error)) folders.push_back(folder);
            } else {
                make(project / parent / name(), content());
            }
        }
        // Resources beside the project, some in folders of their own.
        for (int i = 0; i < 5; ++i) {
            resources.push_back((pick(2) ? name() + "/" : "") + name() + ".png");
            make(project / resources.back(), content());
        }
        writeFile(project / "MANIFEST.MF", "MIDlet-Name: Seed\nMIDlet-Version: 1.0\n");
        std::set<std::string> seen;
        std::vector<std::string> once;
        for (const auto& resource : resources)
            if (fs::is_regular_file(project / resource) && seen.insert(resource).second)
                once.push_back(resource);
        for (const auto& jar : {kJar, kJdkJar}) {
            const std::string out = jar == kJar ? "kit.jar" : "jdk.jar";
            ToolRun made = runIn(project, {jar, "cmf", "MANIFEST.MF", out, "-C", "classes", "."});
            ASSERT_EQ(made.status, 0) << made.errors;
            std::vector<std::string> update = {jar, "uf", out};
            update.insert(update.end(), once.begin(), once.end());
            ToolRun added = runIn(project, update);
            ASSERT_EQ(added.status, 0) << added.errors;
        }
        // The resources changed and added again: each replaced in its place.
        for (const auto& resource : once) writeFile(project / resource, "changed " + resource);
        for (const auto& jar : {kJar, kJdkJar}) {
            std::vector<std::string> update = {jar, "uf", jar == kJar ? "kit.jar" : "jdk.jar"};
            update.insert(update.end(), once.rbegin(), once.rend());
            ToolRun replaced = runIn(project, update);
            ASSERT_EQ(replaced.status, 0) << replaced.errors;
        }
        expectSameJars(project / "kit.jar", project / "jdk.jar", createdBy);
    }
}

// --- Whole builds with either jar -------------------------------------------------------------------------

// This build's kit but for its jar, which is the JDK's: copies of the two programs (each reads the
// Config.cfg beside it), links to the rest.
fs::path kitWithTheJdksJar(const fs::path& kit) {
    fs::create_directories(kit / "jdk/bin");
    for (const auto& entry : fs::directory_iterator(kKit)) {
        const std::string name = entry.path().filename();
        if (name == "Compile-Linux" || name == "Build-Linux")
            fs::copy_file(entry.path(), kit / name);
        else if (name != "jdk" && name != "Config.cfg")
            fs::create_symlink(entry.path(), kit / name);
    }
    for (const auto& entry : fs::directory_iterator(kKit / "jdk/bin"))
        if (entry.path().filename() != "jar")
            fs::create_symlink(entry.path(), kit / "jdk/bin" / entry.path().filename());
    fs::create_symlink(kJdkJar, kit / "jdk/bin/jar");
    tz::testing::writeKitConfig(kit);
    return kit;
}

// `size` bytes that deflate cannot shrink much, the same for the same seed.
std::string noise(unsigned seed, size_t size) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

void layOutExample(const fs::path& project) {
    tz::testing::copyExampleProject(fs::path(TZ_EXAMPLES_DIR) / "Skyward", project);
}

// A project "Game" of the kit's language with its source and resources.
void layOutGame(const fs::path& project, const std::string& source,
                const std::vector<std::pair<std::string, std::string>>& resources) {
    writeFile(project / "Game.tbp",
              "// Tesvo Zorid v1.1.0 Project File\nMain=Game\nRun=0\nName=Game\nPlatform=TB\nInc=true\n");
    writeFile(project / "GameX.bss", source);
    for (const auto& [name, bytes] : resources) writeFile(project / name, bytes);
}

void layOutMapProgram(const fs::path& project) {
    layOutGame(project,
               "REM a tile map\nDIM X\nCANVAS SCR\nACTION PAINT\nMAPPY.LOAD \"level.fmp\"\nMAPPY.SETX X\n"
               "MAPPY.DRAW\nENDACTION\nACTION LOOP 40\nX = X + 1\nENDACTION\nENDCANVAS\n",
               {{"level.fmp", "FORM" + noise(1, 6000)}, {"tiles.png", noise(2, 900)}});
}

void layOutSoundProgram(const fs::path& project) {
    layOutGame(project,
               "REM sounds and a tune\nSOUND.LOAD \"shot.wav\", 1\nSOUND.LOAD \"boom.wav\", 2\n"
               "SOUND.PLAY 1\nMIDI.LOAD \"tune.mid\"\nMIDI.PLAY\n",
               {{"shot.wav", "RIFF" + noise(3, 20000)},
                {"boom.wav", "RIFF" + repeat("quiet ", 3000)},
                {"tune.mid", "MThd" + noise(4, 300)}});
}

void layOutResourcesInFolders(const fs::path& project) {
    layOutGame(project,
               "REM images and a sound in folders of their own\nTRY\nIMAGE SHIP, \"/images/hero.png\"\n"
               "IMAGE BACK, \"/back.png\"\nCATCH IO\nENDCATCH\nENDTRY\nSOUND.LOAD \"sfx/shot.wav\", 1\n"
               "SOUND.PLAY 1\n",
               {{"images/hero.png", noise(5, 700)},
                {"back.png", noise(6, 1500)},
                {"sfx/shot.wav", "RIFF" + noise(7, 4000)}});
}

// A Java project, which Build-Linux builds from its descriptor.
void layOutJavaProject(const fs::path& project) {
    const fs::path data = fs::path(TZ_BUILDER_TEST_DATA) / "java project";
    fs::copy_file(data / "Controls.java", project / "Controls.java");
    std::string descriptor = readFile(data / "Controls.tbx");
    for (size_t at; (at = descriptor.find("@PROJECT@")) != std::string::npos;)
        descriptor.replace(at, 9, project.string() + "/");
    size_t run = descriptor.find("Run=1");
    if (run != std::string::npos) descriptor.replace(run, 5, "Run=0");
    writeFile(project / "Controls.tbx", descriptor);
    writeFile(project / "logo.png", noise(8, 2000));
}

// Each program built by the kit once with its own jar and once with the JDK's: the same suite, which
// the kit's emulator stand-in, unzip and the JAD agree on.
void expectTheSameSuites(const std::string& base, void (*layOut)(const fs::path& project)) {
    const bool java = layOut == layOutJavaProject;
    TempDir dir;
    const std::string createdBy = jdkCreatedBy(dir);
    const fs::path kits[] = {kKit, kitWithTheJdksJar(dir / "jdk kit")};
    fs::path jars[2], jads[2];
    for (int i = 0; i < 2; ++i) {
        const fs::path project =
            dir.folder() / (i == 0 ? "with the kit's jar" : "with the JDK's jar") / "my game";
        fs::create_directories(project);
        layOut(project);
        const fs::path tool = kits[i] / (java ? "Build-Linux" : "Compile-Linux");
        ToolRun build = run({tool.string(), (project / base).string()});
        ASSERT_EQ(build.status, 0) << kits[i] << "\n" << build.output << build.errors;
        ASSERT_NE(build.output.find("\nProgram compiled\n"), std::string::npos) << build.output;
        jars[i] = project / (base + ".jar");
        jads[i] = project / (base + ".jad");
    }
    expectSameJars(jars[0], jars[1], createdBy);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(jars[i]);
        ToolRun emulator = run({kEmulator, "-classpath", jars[i], "-Xdescriptor:" + jads[i].string()});
        EXPECT_EQ(emulator.status, 0) << emulator.output;
        EXPECT_EQ(run({"unzip", "-tq", jars[i]}).status, 0);
        EXPECT_EQ(Attributes::parse(readFile(jads[i])).get("MIDlet-Jar-Size"),
                  std::to_string(fs::file_size(jars[i])));
    }
}

TEST(JarAgainstJdk, ExampleBuildsTheSameSuiteWithEitherJar) {
    expectTheSameSuites("Skyward", layOutExample);
}

TEST(JarAgainstJdk, MapProgramBuildsTheSameSuiteWithEitherJar) {
    expectTheSameSuites("Game", layOutMapProgram);
}

TEST(JarAgainstJdk, SoundProgramBuildsTheSameSuiteWithEitherJar) {
    expectTheSameSuites("Game", layOutSoundProgram);
}

TEST(JarAgainstJdk, ResourcesInFoldersBuildTheSameSuiteWithEitherJar) {
    expectTheSameSuites("Game", layOutResourcesInFolders);
}

TEST(JarAgainstJdk, JavaProjectBuildsTheSameSuiteWithEitherJar) {
    expectTheSameSuites("Controls", layOutJavaProject);
}

}  // namespace
}  // namespace standins::test
