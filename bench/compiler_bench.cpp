// compiler_bench: how fast Compile-Linux translates large programs, and how that compares with the Java
// compiler that has to compile what it wrote.
//
// For each size it writes a program of that many statements (declarations, record types, functions with
// arguments and results, canvases with actions, IF/ELSEIF/ELSE, FOR, WHILE, assignments with value
// built-ins and conversions, arrays, forms and widgets, images and sprites inside TRY, drawing), runs the
// kit's Compile-Linux on it in a kit folder of its own whose Build-Linux does nothing, and reports the
// wall time, statements per second and peak memory of the compiler; then times the kit's javac on the
// Java the compiler wrote.
//
//   compiler_bench [--sizes 10000,100000,1000000] [--repeat 3] [--no-javac] [--keep DIR]
//
// The compiler runs --repeat times per size and the fastest run is reported (the machine may be shared);
// its peak memory is the same on every run.
// --keep DIR leaves each program and its Java in DIR/<size>/ (to compare outputs between two builds).
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "kit/process.h"
#include "test_helpers.h"

namespace {

namespace fs = std::filesystem;

// ---------------------------------------------------------------------------------------------------
// The program generator.

// Names in the language are letters only: 0 -> A, 25 -> Z, 26 -> BA, ...
std::string letters(std::size_t i) {
    std::string text;
    do {
        text.insert(text.begin(), static_cast<char>('A' + i % 26));
        i /= 26;
    } while (i > 0);
    return text;
}

// A fixed pseudo-random sequence, so that every run writes the same program.
class Random {
public:
    std::uint32_t next() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(state_ >> 33);
    }
    std::size_t below(std::size_t n) { return n == 0 ? 0 : next() % n; }

private:
    std::uint64_t state_ = 0x2545F4914F6CDD1DULL;
};

class ProgramWriter {
public:
    explicit ProgramWriter(std::size_t statements) : target_(statements) {
        ints_ = std::clamp<std::size_t>(statements / 100, 50, 1000);
        floats_ = ints_ / 4;
        strings_ = ints_ / 2;
        booleans_ = ints_ / 4;
        arrays_ = ints_ / 10;
        grids_ = ints_ / 20;
        types_ = 10;
        records_ = ints_ / 10;
        recordArrays_ = ints_ / 20;
        canvases_ = std::clamp<std::size_t>(statements / 20000, 2, 50);
        functions_ = std::max<std::size_t>(10, statements / 200);
    }

    std::string write() {
        declarations();
        widgets();
        for (std::size_t c = 0; c < canvases_; ++c) canvas(c);
        mainBody();
        // Functions fill the rest, evenly; each keeps its Java method well under the 64 KB code limit.
        for (std::size_t f = 0; f < functions_; ++f) {
            std::size_t remaining = target_ > count_ ? target_ - count_ : 0;
            function(f, std::max<std::size_t>(remaining / (functions_ - f), 12));
        }
        return std::move(text_);
    }

    std::size_t statements() const { return count_; }

private:
    void line(const std::string& statement) {
        text_ += statement;
        text_ += '\n';
        ++count_;
    }

    std::string gi(std::size_t i) const { return "GI" + letters(i % ints_); }
    std::string gf(std::size_t i) const { return "GF" + letters(i % floats_) + "#"; }
    std::string gs(std::size_t i) const { return "GS" + letters(i % strings_) + "$"; }
    std::string gb(std::size_t i) const { return "GB" + letters(i % booleans_); }
    std::string array(std::size_t i) const { return "AR" + letters(i % arrays_); }
    std::string grid(std::size_t i) const { return "GR" + letters(i % grids_); }
    std::string record(std::size_t i) const { return "RC" + letters(i % records_) + "%"; }
    std::string recordArray(std::size_t i) const { return "RA" + letters(i % recordArrays_) + "%"; }
    std::string image(std::size_t i) const { return "IM" + letters(i % kImages); }
    std::string sprite(std::size_t i) const { return "SP" + letters(i % kSprites); }
    std::string form(std::size_t i) const { return "FM" + letters(i % kForms); }
    std::string button(std::size_t i) const { return "BT" + letters(i % kButtons); }
    std::string textbox(std::size_t i) const { return "TB" + letters(i % kTextboxes); }
    std::string list(std::size_t i) const { return "LS" + letters(i % kLists); }
    std::string fn(std::size_t i) const { return "FN" + letters(i % functions_); }
    std::string pick(std::initializer_list<const char*> words) {
        return *(words.begin() + random_.below(words.size()));
    }
    std::size_t any() { return random_.next(); }
    std::string small() { return std::to_string(random_.below(20)); }
    // A function of the given kind (0 int, 1 string, 2 float, 3 no result), any but `self`.
    std::string functionOfKind(std::size_t kind, std::size_t self) {
        std::size_t f = (random_.below(functions_ / 4 + 1) * 4 + kind) % functions_;
        if (f % 4 != kind || f == self) f = kind;  // functions 0..3 are one of each kind
        return fn(f);
    }

    void declarations() {
        line("REM a generated program for the compiler benchmark");
        for (std::size_t t = 0; t < types_; ++t) {
            line("TYPE TY" + letters(t));
            line("DIM FA");
            line("DIM FB$");
            line("DIM FC#");
            line("BOOLEAN FD" + letters(t));  // a BOOLEAN field name may not repeat across types
            line("DIM FE = " + std::to_string(t));
            line("ENDTYPE");
        }
        for (std::size_t i = 0; i < ints_; ++i) line("DIM " + gi(i) + (i % 3 == 0 ? " = " + small() : ""));
        for (std::size_t i = 0; i < floats_; ++i) line("DIM " + gf(i) + (i % 2 == 0 ? " = 1.5" : ""));
        for (std::size_t i = 0; i < strings_; ++i) line("DIM " + gs(i) + (i % 2 == 0 ? " = \"s\"" : ""));
        for (std::size_t i = 0; i < booleans_; ++i) line("BOOLEAN " + gb(i) + (i % 2 == 0 ? " = TRUE" : ""));
        for (std::size_t i = 0; i < arrays_; ++i) line("DIM " + array(i) + "[20]");
        for (std::size_t i = 0; i < grids_; ++i) line("DIM " + grid(i) + "[4,5]");
        for (std::size_t i = 0; i < records_; ++i) line("DIM " + record(i) + " = TY" + letters(i % types_));
        for (std::size_t i = 0; i < recordArrays_; ++i)
            line("DIM " + recordArray(i) + "[4] = TY" + letters(i % types_));
    }

    void widgets() {
        for (std::size_t i = 0; i < kButtons; ++i)
            line("BUTTON " + button(i) + ", \"B" + letters(i) + "\", " + std::to_string(i % 8 + 1));
        for (std::size_t i = 0; i < kForms; ++i) line("FORM " + form(i) + ", \"Form " + letters(i) + "\"");
        for (std::size_t i = 0; i < kTextboxes; ++i)
            line("TEXTBOX " + textbox(i) + ", \"T" + letters(i) + "\", \"\", 20, " + std::to_string(i % 4));
        for (std::size_t i = 0; i < kLabels; ++i) line("LABEL LB" + letters(i) + ", \"Label\", \"Text\"");
        for (std::size_t i = 0; i < kLists; ++i)
            line("LIST " + list(i) + ", \"Pick\", " + std::to_string(i % 2 + 1));
    }

    void drawing() {
        switch (random_.below(12)) {
            case 0:
                line("CLS");
                break;
            case 1:
                line("SETCOLOR 255, " + small() + ", " + gi(any()));
                break;
            case 2:
                line("DRAWLINE 0, 0, " + gi(any()) + ", 10");
                break;
            case 3:
                line("DRAWRECTANGLE 1, 2, " + small() + ", 4");
                break;
            case 4:
                line("DRAWFILLEDRECTANGLE 1, 2, 3, " + gi(any()));
                break;
            case 5:
                line("DRAWROUNDRECTANGLE 1, 2, 30, 40, 5, 5");
                break;
            case 6:
                line("DRAWARC 10, 10, 20, 20, 0, " + small());
                break;
            case 7:
                line("DRAWTEXT " + gs(any()) + ", 0, " + small());
                break;
            case 8:
                line("IMAGE.DRAW " + image(any()) + ", 10, " + gi(any()));
                break;
            case 9:
                line("SPRITE.DRAW " + sprite(any()));
                break;
            case 10:
                line("SETGREY " + small());
                break;
            default:
                line("FONT " + pick({"SYSTEM", "MONO", "PROP"}) + ", " + pick({"BOLD", "ITALIC", "PLAIN"}) +
                     ", " + pick({"SMALL", "MEDIUM", "LARGE"}));
        }
    }

    void canvas(std::size_t c) {
        line("CANVAS CV" + letters(c));
        line("ACTION PAINT");
        for (int i = 0; i < 40; ++i) drawing();
        line("ENDACTION");
        line("ACTION KEYPRESSED");
        line("IF GETKEY() = UPKEY() THEN");
        line(gi(c) + " = " + gi(c) + " - 1");
        line("ELSEIF GETKEY() = DOWNKEY() THEN");
        line(gi(c) + " = " + gi(c) + " + 1");
        line("ENDIF");
        line("REPAINT");
        line("ENDACTION");
        line("ACTION LOOP 50");
        line(gi(c + 1) + " = " + gi(c + 1) + " + 1");
        line("REPAINT");
        line("ENDACTION");
        line("ENDCANVAS");
    }

    void mainBody() {
        line("TRY");
        for (std::size_t i = 0; i < kImages; ++i)
            line("IMAGE " + image(i) + ", \"/img" + letters(i) + ".png\"");
        line("IMAGE.ARRAY TILES, \"/tile.png\", 4");
        line("CATCH IO");
        line("PRINT \"no images\"");
        line("ENDCATCH");
        line("ENDTRY");
        for (std::size_t i = 0; i < kSprites; ++i) line("SPRITE " + sprite(i) + ", " + image(i));
        line("SPRITE.ARRAY ENEMIES, " + image(0) + ", 5");
        for (std::size_t i = 0; i < kForms; ++i) line("BUTTON.SHOW " + form(i) + ", " + button(i));
        line("SETDISPLAY CVA");
        line("LISTENER CVA");
        for (std::size_t f = 0; f < std::min<std::size_t>(functions_, 40); f += 4)
            line(fn(f + 3) + "(" + small() + ")");
    }

    // One statement that is not a block.
    void simple(std::size_t self) {
        switch (random_.below(22)) {
            case 0:
                line(gi(any()) + " = " + gi(any()) + " + ABS(A - " + small() + ") * 2");
                break;
            case 1:
                line(gi(any()) + " = MAX(" + gi(any()) + ", MIN(B, 10)) + LEN(" + gs(any()) + ")");
                break;
            case 2:
                line(gi(any()) + " = INT(\"42\") + RND(1, 6) - " + array(any()) + "[3]");
                break;
            case 3:
                line("LI = LI + " + functionOfKind(0, self) + "(" + gi(any()) + ", " + small() + ")");
                break;
            case 4:
                line(gs(any()) + " = UPPER(" + gs(any()) + ") + STR$(" + gi(any()) + ")");
                break;
            case 5:
                line(gs(any()) + " = LEFT(" + gs(any()) + ", 2) + LOWER(" + gs(any()) + ") + \"!\"");
                break;
            case 6:
                line(gs(any()) + " = " + functionOfKind(1, self) + "(" + gs(any()) + ", " + small() + ")");
                break;
            case 7:
                line("LS$ = TRIM(" + gs(any()) + ") + MID(LS$, 0, 1) + " + record(any()) + ".FB$");
                break;
            case 8:
                line(gf(any()) + " = " + gf(any()) + " * 1.5 + " + functionOfKind(2, self) + "(" + gf(any()) +
                     ")");
                break;
            case 9:
                line(gb(any()) + " = " + pick({"TRUE", "FALSE"}));
                break;
            case 10:
                line(array(any()) + "[" + small() + "] = " + array(any()) + "[2] + A");
                break;
            case 11:
                line(grid(any()) + "[1, " + std::to_string(random_.below(5)) + "] = " + array(any()) +
                     "[1] * 2");
                break;
            case 12:
                line(record(any()) + ".FA = " + record(any()) + ".FA + " + small());
                break;
            case 13:
                line(recordArray(any()) + "[" + std::to_string(random_.below(4)) + "].FB$ = \"n\" + STR$(B)");
                break;
            case 14:
                line(functionOfKind(3, self) + "(" + gi(any()) + ")");
                break;
            case 15:
                line("PRINT " + gs(any()));
                break;
            case 16:
                line("LIST.APPEND " + list(any()) + ", " + gs(any()));
                break;
            case 17:
                line(gs(any()) + " = TEXTBOX.GETVALUE(" + textbox(any()) + ")");
                break;
            case 18:
                line(pick({"BUTTON.SHOW ", "BUTTON.HIDE "}) + form(any()) + ", " + button(any()));
                break;
            case 19:
                line("SPRITE.MOVE " + sprite(any()) + ", 1, -" + small());
                break;
            case 20:
                line("SPRITE.POSITION " + sprite(any()) + ", " + gi(any()) + ", 20");
                break;
            default:
                drawing();
        }
    }

    void ifBlock(std::size_t self) {
        line("IF " + gi(any()) + " > " + small() + " AND " + gb(any()) + " = TRUE THEN");
        simple(self);
        simple(self);
        line("ELSEIF " + gs(any()) + " = \"a\" OR B < " + small() + " THEN");
        simple(self);
        line("ELSE");
        simple(self);
        line("ENDIF");
    }

    void block(std::size_t self) {
        switch (random_.below(9)) {
            case 0:
                ifBlock(self);
                break;
            case 1:
                line("FOR I = 0 TO " + small());
                simple(self);
                line(array(any()) + "[I] = I * 2");
                line("NEXT");
                break;
            case 2:
                line("FOR J = 10 TO 0 DEC 2");
                line(grid(any()) + "[1, 2] = J + " + gi(any()));
                line("NEXT");
                break;
            case 3:
                line("LW = 0");
                line("WHILE LW < " + small());
                line("LW = LW + 1");
                simple(self);
                line("ENDWHILE");
                break;
            case 4:
                line("TRY");
                line("IMAGE " + image(any()) + ", \"/img" + letters(any() % kImages) + ".png\"");
                line("SPRITE.SETFRAME " + sprite(any()) + ", 1");
                line("CATCH IO");
                line("PRINT \"no image\"");
                line("ENDCATCH");
                line("ENDTRY");
                break;
            default:
                simple(self);
        }
    }

    void function(std::size_t f, std::size_t budget) {
        std::size_t start = count_;
        switch (f % 4) {
            case 0:
                line("FUNCTION " + fn(f) + "(A, B)");
                break;
            case 1:
                line("FUNCTION " + fn(f) + "(T$, B)");
                break;
            case 2:
                line("FUNCTION " + fn(f) + "(V#)");
                break;
            default:
                line("FUNCTION " + fn(f) + "(A)");
                break;
        }
        if (f % 4 == 1) line("DIM A = B + 1");
        if (f % 4 == 2) line("DIM A = 2");
        if (f % 4 >= 2) line("DIM B = A * 2");
        line("DIM LI = A + 1");
        line("DIM LW");
        line("DIM LS$ = \"x\"");
        while (count_ - start + 7 < budget) block(f);
        switch (f % 4) {
            case 0:
                line("ENDFUNCTION LI");
                break;
            case 1:
                line("ENDFUNCTION LS$");
                break;
            case 2:
                line("ENDFUNCTION V#");
                break;
            default:
                line("ENDFUNCTION");
                break;
        }
    }

    static constexpr std::size_t kImages = 40, kSprites = 10, kForms = 5, kButtons = 10, kTextboxes = 10,
                                 kLabels = 5, kLists = 5;
    std::size_t target_, count_ = 0;
    std::size_t ints_, floats_, strings_, booleans_, arrays_, grids_, types_, records_, recordArrays_;
    std::size_t canvases_, functions_;
    Random random_;
    std::string text_;
};

// ---------------------------------------------------------------------------------------------------
// Running and measuring.

struct Run {
    bool started = false;
    int status = -1;
    double seconds = 0;
    long peakKiB = 0;
};

// Runs argv with its output going to `log`; times it and reads its peak resident memory.
Run runMeasured(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv,
                const std::string& log) {
    kit::Command command;
    command.argv = argv;
    command.environment = extraEnv;
    command.input = kit::Stream::Null;
    command.output = kit::Stream::File;
    command.file = log;
    command.errors = kit::Stream::Output;
    Run run;
    auto start = std::chrono::steady_clock::now();
    const kit::Exit exit = kit::run(command);
    if (!exit.started()) return run;
    run.started = true;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.status = exit.status;
    run.peakKiB = exit.peakKiB;
    return run;
}

using tz::testing::readFile;
using tz::testing::writeFile;

std::string lastLines(const std::string& text, std::size_t count) {
    std::size_t at = text.size();
    while (count-- > 0 && at > 0) {
        std::size_t newline = text.rfind('\n', at - 1 > 0 ? at - 2 : 0);
        at = newline == std::string::npos ? 0 : newline + 1;
    }
    return text.substr(at);
}

struct Result {
    std::size_t statements = 0;
    Run compile;
    std::optional<Run> javac;
    std::string javacNote;
};

// A kit folder of its own: a copy of Compile-Linux, and a Build-Linux that stops after translation.
void layOutKit(const fs::path& kit, const fs::path& realKit) {
    fs::create_directories(kit);
    fs::copy_file(realKit / "Compile-Linux", kit / "Compile-Linux", fs::copy_options::overwrite_existing);
    writeFile(kit / "Build-Linux", "#!/bin/sh\nexit 0\n");
    fs::permissions(kit / "Build-Linux", fs::perms::owner_all);
    writeFile(kit / "Config.cfg", (realKit / "jdk/bin/").string() + "\n" + (realKit / "wtk/").string() +
                                      "\n" + kit.string() + "/\n");
}

Result measure(std::size_t size, const fs::path& work, const fs::path& realKit, bool javac, int repeat) {
    Result result;
    fs::path kit = work / "kit";
    fs::path project = work / "project";
    layOutKit(kit, realKit);
    fs::create_directories(project);
    ProgramWriter writer(size);
    writeFile(project / "GX.bss", writer.write());
    result.statements = writer.statements();
    writeFile(project / "G.tbp",
              "// Tesvo Zorid v1.1.0 Project File\nMain=G\nRun=0\nName=G\nPlatform=TB\nInc=true\n");

    fs::path log = work / "compile.log";
    for (int i = 0; i < repeat; ++i) {
        Run run = runMeasured({(kit / "Compile-Linux").string(), (project / "G").string()},
                              {"TZ_KEEP_JAVA=1"}, log.string());
        bool failed = !run.started || run.status != 0;
        if (i == 0 || failed || run.seconds < result.compile.seconds) result.compile = run;
        if (failed) break;
    }
    if (!result.compile.started || result.compile.status != 0) {
        std::cerr << "Compile-Linux failed on the " << size << "-statement program:\n"
                  << lastLines(readFile(log), 8) << "\n";
        return result;
    }
    if (!javac) return result;

    // The Java as Build compiles it: against the phone API, with the support classes of the "Inc" group
    // (Include and its inner classes) on the class path; the map library's classes would shadow API names.
    fs::path support = work / "support/Game";
    fs::create_directories(support);
    for (const auto& entry : fs::directory_iterator(realKit / "Include"))
        if (std::string stem = entry.path().stem().string();
            entry.path().extension() == ".inc" && (stem == "Include" || stem.starts_with("Include$")))
            fs::copy_file(entry.path(), support / (entry.path().stem().string() + ".class"),
                          fs::copy_options::overwrite_existing);
    fs::create_directories(work / "classes");
    std::vector<std::string> argv = {
        (realKit / "jdk/bin/javac").string(),
        "-bootclasspath",
        (realKit / "wtk/lib/midpapi20.jar").string() + ":" + (realKit / "wtk/lib/cldcapi11.jar").string(),
        "-classpath",
        (work / "support").string(),
        "-d",
        (work / "classes").string(),
        "-target",
        "1.4",
        "-source",
        "1.4"};
    for (const auto& entry : fs::directory_iterator(project))
        if (entry.path().extension() == ".java") argv.push_back(entry.path().string());
    fs::path javacLog = work / "javac.log";
    Run run = runMeasured(argv, {}, javacLog.string());
    if (run.status == 0) {
        result.javac = run;
    } else {
        result.javacNote =
            "javac failed (see " + javacLog.string() + "):\n" + lastLines(readFile(javacLog), 6);
    }
    return result;
}

std::vector<std::size_t> parseSizes(const std::string& text) {
    std::vector<std::size_t> sizes;
    std::stringstream in(text);
    for (std::string item; std::getline(in, item, ',');) sizes.push_back(std::stoul(item));
    return sizes;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::size_t> sizes = {10000, 100000, 1000000};
    bool javac = true;
    int repeat = 3;
    std::optional<fs::path> keep;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--sizes" && i + 1 < argc) {
            sizes = parseSizes(argv[++i]);
        } else if (arg == "--repeat" && i + 1 < argc) {
            repeat = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--no-javac") {
            javac = false;
        } else if (arg == "--keep" && i + 1 < argc) {
            keep = fs::absolute(argv[++i]);
        } else {
            std::cerr << "usage: compiler_bench [--sizes N,N,...] [--repeat N] [--no-javac] [--keep DIR]\n";
            return 1;
        }
    }
    const fs::path realKit = TZ_KIT_DIR;
    if (!fs::exists(realKit / "Compile-Linux")) {
        std::cerr << "no Compile-Linux in " << realKit << "\n";
        return 1;
    }

    char pattern[] = "/tmp/tz-bench-XXXXXX";
    fs::path scratch = keep ? *keep : fs::path(::mkdtemp(pattern));
    std::printf("%12s %12s %14s %10s %10s %10s\n", "statements", "compile s", "statements/s", "peak MB",
                "javac s", "compile %");
    int status = 0;
    for (std::size_t size : sizes) {
        fs::path work = scratch / std::to_string(size);
        fs::remove_all(work);
        fs::create_directories(work);
        Result r = measure(size, work, realKit, javac, repeat);
        if (!r.compile.started || r.compile.status != 0) {
            status = 1;
            continue;
        }
        double perSecond = r.compile.seconds > 0 ? static_cast<double>(r.statements) / r.compile.seconds : 0;
        std::printf("%12zu %12.3f %14.0f %10.1f", r.statements, r.compile.seconds, perSecond,
                    static_cast<double>(r.compile.peakKiB) / 1024.0);
        if (r.javac) {
            std::printf(" %10.2f %9.2f%%\n", r.javac->seconds, 100.0 * r.compile.seconds / r.javac->seconds);
        } else {
            std::printf(" %10s %10s\n", "-", "-");
            if (!r.javacNote.empty()) std::printf("    %s\n", r.javacNote.c_str());
        }
        std::fflush(stdout);
    }
    if (!keep) fs::remove_all(scratch);
    return status;
}
