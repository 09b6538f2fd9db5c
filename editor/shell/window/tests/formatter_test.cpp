// The formatter: one golden table of (language, text in, text out).
#include "formatter.h"

#include <gtest/gtest.h>

namespace editor {
namespace {

struct Row {
    const char* name;
    const char* language;
    const char* in;
    const char* out;
};

const Row rows[] = {
    {"case ignored, no line end kept none", "TB", "function f\nx=1\nendfunction",
     "function f\n\tx=1\nendfunction"},
    {"line end kept, no TABs after it", "TB", "if a\nx=1\n", "if a\n\tx=1\n"},
    {"no word boundary", "TB", "IFFY=2\nFORMAT$=1\nNEXTLEVEL=3\ny",
     "IFFY=2\n\tFORMAT$=1\n\tNEXTLEVEL=3\n\ty"},
    {"closing word at level 0 stays at 0", "TB", "ENDIF\nx\nIF a\ny\nENDIF\nz",
     "ENDIF\nx\nIF a\n\ty\nENDIF\nz"},
    {"comment blocks", "TB", "REMSTART\nnote\nREMEND", "REMSTART\n\tnote\nREMEND"},
    {"blank line in a block keeps its TABs", "TB", "FOR i=1 TO 2\nIF a\n\n  ENDIF\nNEXT",
     "FOR i=1 TO 2\n\tIF a\n\t\t\n\tENDIF\nNEXT"},
    {"trimmed of blanks and control characters", "TB", "  \t ACTION go \x01\ndo  \r\nENDACTION",
     "ACTION go\n\tdo\nENDACTION"},
    {"CR LF and lone CR end lines", "TB", "canvas c\r\na\rb\r\nendcanvas\r\n",
     "canvas c\n\ta\n\tb\nendcanvas\n"},
    {"braces are no TB words", "TB", "{\nx\n}", "{\nx\n}"},
    {"Java opens only on a line starting with {", "J2ME", "if (a) {\nx();\n}", "if (a) {\nx();\n}"},
    {"Java braces", "J2ME", "class A\n{\nint x;\n{\n  y();\n}\n}\n",
     "class A\n{\n\tint x;\n\t{\n\t\ty();\n\t}\n}\n"},
    {"unknown language: level 0", "PC", "FUNCTION f\n\t{\n x\n", "FUNCTION f\n{\nx\n"},
    {"empty text", "TB", "", ""},
    {"only line ends", "TB", "\n\n", "\n\n"},
};

TEST(Formatter, GoldenTable) {
    for (const Row& row : rows) {
        const QString out = formatSource(QString::fromUtf8(row.in), row.language);
        EXPECT_EQ(out.toStdString(), row.out) << row.name;
        // Formatting twice changes nothing.
        EXPECT_EQ(formatSource(out, row.language), out) << row.name;
    }
}

}  // namespace
}  // namespace editor
