// Build's output as the compiler echoes it: javac's report of a method past 64 KB of byte code becomes the
// kit's message naming the section that holds the method and the line that opens it; everything else passes.
#include "run/build_report.h"

#include <gtest/gtest.h>

#include <sstream>

#include "driver/context.h"
#include "driver/messages.h"
#include "test_helpers.h"

namespace compiler {
namespace {

struct Row {
    std::vector<std::string> build;  // what Build prints
    std::vector<std::string> shown;  // what the compiler prints of it
};

std::string tooLarge(const std::string& section) {
    return res("Error_Code_too_large") + section;
}

const std::vector<std::string> kClosing = {"**", res("Error_detected")};

std::vector<std::string> problem(int number, const std::string& file, int line, const std::string& message) {
    return {"----------",
            std::to_string(number) + ". ERROR in /p/" + file + ".java (at line " + std::to_string(line) + ")",
            "\tpublic void x() {", "\t            ^^^", message};
}

std::vector<std::string> join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(BuildReport, MethodsAndClassesPastTheirSizeNameTheirSection) {
    const std::string exceeding = " is exceeding the 65535 bytes limit";
    const std::vector<std::string> head = {"Compiling", "**"};
    const Row rows[] = {
        // Nothing of javac's: every line as it came.
        {{"Compiling", "**", "Program compiled"}, {"Compiling", "**", "Program compiled"}},
        // The main program's method, a user function's, an action's: the statement that wrote the head.
        {join({head,
               problem(1, "Game", 3, "The code of method startApp()" + exceeding),
               problem(2, "Game", 4, "The code of method ROUTE(int, String)" + exceeding),
               problem(3, "Game", 5, "The code of method paint(Graphics)" + exceeding),
               {"----------", "3 problems (3 errors)", "Internal Error"}}),
         join({head,
               {tooLarge("the main program at line 7"), tooLarge("FUNCTION ROUTE at line 12"),
                tooLarge("ACTION PAINT at line 30")},
               kClosing})},
        {join({head,
               problem(1, "Game", 2, "The code of method run()" + exceeding),
               {"----------", "1 problem (1 error)", "Internal Error"}}),
         join({head, {tooLarge("ACTION LOOP")}, kClosing})},
        // The fields' first values, and a record type's.
        {join({head,
               problem(1, "Game", 1, "The code of constructor Game()" + exceeding),
               {"----------", "1 problem (1 error)", "Internal Error"}}),
         join({head, {tooLarge("the declarations")}, kClosing})},
        {join({head,
               problem(1, "REC", 1, "The code of constructor REC()" + exceeding),
               {"----------", "1 problem (1 error)", "Internal Error"}}),
         join({head, {tooLarge("TYPE REC")}, kClosing})},
        // A class past the constants one class holds: the program's, or a record type's.
        {join({head,
               problem(1, "Game", 8,
                       "Too many constants, the constant pool for Game would exceed 65536 entries"),
               {"----------", "1 problem (1 error)", "Internal Error"}}),
         join({head, {res("Error_Too_many_constants") + "the program"}, kClosing})},
        {join({head,
               problem(1, "REC", 1,
                       "Too many constants, the constant pool for REC would exceed 65536 entries"),
               {"----------", "1 problem (1 error)", "Internal Error"}}),
         join({head, {res("Error_Too_many_constants") + "TYPE REC"}, kClosing})},
        // Another problem is javac's own to tell, and so is Build's word after it.
        {join({head,
               problem(1, "Game", 3, "The code of method startApp()" + exceeding),
               problem(2, "Game", 9, "X cannot be resolved to a variable"),
               {"----------", "2 problems (2 errors)", "Internal Error"}}),
         join({head,
               problem(2, "Game", 9, "X cannot be resolved to a variable"),
               {"----------", "2 problems (2 errors)", tooLarge("the main program at line 7"),
                "Internal Error"},
               kClosing})},
        {join({head,
               problem(1, "Game", 9, "X cannot be resolved to a variable"),
               {"----------", "1 problem (1 error)", "Internal Error"}}),
         join({head,
               problem(1, "Game", 9, "X cannot be resolved to a variable"),
               {"----------", "1 problem (1 error)", "Internal Error"}})},
    };
    for (const Row& row : rows) {
        std::ostringstream out;
        Context ctx(out, false);
        ctx.project.name = "Game";
        // Java lines 1 and 2 come before any statement; 3, 4 and 5 from statements 3, 8 and 20.
        ctx.javaLines = {0, 0, 3, 8, 20};
        ctx.statementLines = {1, 5, 7, 9, 9, 9, 9, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 30};
        BuildReport report(ctx);
        for (const std::string& line : row.build) report.line(line);
        report.finish();
        EXPECT_EQ(tz::testing::splitLines(out.str()), row.shown) << row.build.back();
    }
}

}  // namespace
}  // namespace compiler
