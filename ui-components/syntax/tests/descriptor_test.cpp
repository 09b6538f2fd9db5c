// The descriptor format: properties text, the vocabulary of token classes, and the colouring it yields.
#include <gtest/gtest.h>

#include "colouring_support.h"
#include "sc_predefined_token.h"

namespace {

using ui::sc::parseDescriptor;
using ui::sc::parseProperties;
using ui::sc::ScPredefinedToken;
using ui::sc::StyleModel;
using ui::sc::testing::descriptorText;
using ui::sc::testing::render;

QString entries(const ui::sc::PropertyList& list) {
    QStringList shown;
    for (const auto& [key, value] : list.entries()) shown << key + u'=' + value;
    return shown.join(u'|');
}

TEST(PropertiesText, ReadsTheFormat) {
    struct Row {
        QByteArray text;
        QString expected;
    };
    const Row rows[] = {
        {"# comment\n! also\n\n  a = 1\nb:2\nc 3\n", "a=1|b=2|c=3"},
        {"list=one:\\\n    two:\\\n\tthree\n", "list=one:two:three"},
        {"# a comment ends at its line \\\nx=1\n", "x=1"},
        {"k\\=ey\\:s\\ x=v\\tw\\nz\\u0041\\q\n", "k=ey:s x=v\tw\nzAq"},
        {"a=1\r\nb=2\rc=3\na=4\n", "a=4|b=2|c=3"},
        {"empty=\nlast=ends\\", "empty=|last=ends"},
        {"caf\xe9=latin\n", QString::fromLatin1("caf\xe9=latin")},
        {"\xef\xbb\xbfutf=caf\xc3\xa9\n", QString::fromUtf8("utf=caf\xc3\xa9")},
        {"\xef\xbb\xbf"
         "caf\xe9=latin\n",
         QString::fromLatin1("caf\xe9=latin")},  // the mark of a Latin-1 file
    };
    for (const Row& row : rows) {
        const ui::sc::PropertiesParse parse = parseProperties(row.text);
        EXPECT_TRUE(parse.error.isNull()) << row.text.toStdString();
        EXPECT_EQ(entries(parse.properties), row.expected) << row.text.toStdString();
    }
    EXPECT_FALSE(parseProperties("bad=\\u00zz\n").error.isNull());
    EXPECT_FALSE(parseProperties("short=\\u00").error.isNull());
}

TEST(Descriptor, ColoursSampleLines) {
    struct Row {
        const char* descriptor;
        QStringList lines;
        const char* expected;
    };
    const Row rows[] = {
        // Words stand whole; the longest match wins; case by ignoreCase.
        {"ignoreCase=true\ntoken_K=IF:THEN:SPRITE:SPRITE.MOVE\n",
         {"if X THEN iffy", "Sprite.Move s"},
         "[if]K [THEN]K | [Sprite.Move]K"},
        {"token_K=IF\n", {"IF if"}, "[IF]K"},
        {"token_K=SPRITE:SPRITE.MOVE\n", {"SPRITE.MOVED MYSPRITE"}, "[SPRITE]K"},
        // Runs, and the three predefined lists expanded.
        {"token_N=(0;1;2)\n", {"x1 12 20"}, "[12]N [20]N"},
        {"token_N=_NUMBER_\ntoken_O=_OPERATOR_\n", {"a=1,5+b%2"}, "[1,5]N [+]O [%]O [2]N"},
        {"token_S=_LITTERAL_\n", {"x \"a\\\"b\" y \"open"}, "[\"a\\\"b\"]S [\"open]S"},
        // Ignored tokens, the written colon, ties going to the first class declared.
        {"token_N=(0;1;.)\nignoreTokenMatch_.=true\n", {"p.x .1 1."}, "[.1]N [1.]N"},
        {"token_O=_DD_:+\nignoreTokenMatch__DD_=true\n", {"a:b+c"}, "[+]O"},
        {"token_O=_DD_:+\n", {"a:b"}, "[:]O"},
        {"token_A=go\ntoken_B=go\n", {"go"}, "[go]A"},
        // Delimited tokens: to the line's end, on one line, across lines, with an escape.
        {"token_C=[//;_RC_]\ntoken_O=/\n", {"a / b // c / d"}, "[/]O [// c / d]C"},
        {"token_C=[[/*;*/]]\ntoken_K=x\n", {"x /* a", "b", "c */ x"}, "[x]K [/* a]C | [b]C | [c */]C [x]K"},
        {"token_C=[/*;*/]\ntoken_K=x\n", {"/* a", "x"}, "[/* a]C | [x]K"},
        {"token_S=[';'{{\\\\}}]\n", {"'\\'' 'b'"}, "['\\'']S ['b']S"},
        {"ignoreCase=true\nC_tokenMatchIni=REMSTART\nC_tokenMatchEnd=REMEND\ntoken_K=PRINT\n",
         {"remstart", "PRINT x", "remend", "PRINT"},
         "[remstart]C | [PRINT x]C | [remend]C | [PRINT]K"},
        {"ignoreCase=true\ntoken_C=[REM;_RC_]\n",
         {"REM note", "REMARK x", "x REM"},
         "[REM note]C |  | [REM]C"},
        // A class with no colour entry is still a token, painted in the text's colour.
        {"token_K=a\nK_underline=true\n", {"a"}, "[a]K"},
    };
    for (const Row& row : rows) {
        StyleModel model;
        const std::optional<QString> error = parseDescriptor(descriptorText(row.descriptor), model);
        ASSERT_FALSE(error) << row.descriptor << ": " << error->toStdString();
        EXPECT_EQ(render(model, row.lines), QString::fromUtf8(row.expected)) << row.descriptor;
    }
}

TEST(Descriptor, StylesAndColourNames) {
    StyleModel model;
    ASSERT_FALSE(parseDescriptor(descriptorText("A_color=pink\ntoken_A=a\nA_underline=true\nA_border=TRUE\n"
                                                "token_B=b\nB_color=Orange\nB_underline=false\n"),
                                 model));
    EXPECT_EQ(model.classes[0].style, (ui::sc::TokenStyle{QColor(255, 175, 175), true, true}));
    EXPECT_EQ(model.classes[1].style, (ui::sc::TokenStyle{QColor(255, 200, 0), false, false}));

    const std::pair<const char*, QColor> colours[] = {
        {"white", QColor(255, 255, 255)}, {"lightGray", QColor(192, 192, 192)},
        {"gray", QColor(128, 128, 128)},  {"darkGray", QColor(64, 64, 64)},
        {"black", QColor(0, 0, 0)},       {"red", QColor(255, 0, 0)},
        {"pink", QColor(255, 175, 175)},  {"orange", QColor(255, 200, 0)},
        {"yellow", QColor(255, 255, 0)},  {"green", QColor(0, 255, 0)},
        {"magenta", QColor(255, 0, 255)}, {"cyan", QColor(0, 255, 255)},
        {"blue", QColor(0, 0, 255)},
    };
    for (const auto& [name, colour] : colours) EXPECT_EQ(ui::sc::namedColour(name), colour) << name;
    EXPECT_FALSE(ui::sc::namedColour("purple"));
}

TEST(Descriptor, BadDescriptorsAreRefusedWhole) {
    struct Row {
        const char* descriptor;
        const char* message;
    };
    const Row rows[] = {
        {"token_A=a\nB_color=red\n", "Unknown token B_color for color description"},
        {"token_A=a\nB_underline=true\n", "Unknown token B_underline for color description"},
        {"token_A=a\nA_color=purple\n", "Invalid token purple"},
        {"token_A=x:[abc\n", "Invalid token [abc"},
        {"token_A=[abc]\n", "Invalid token [abc]"},
        {"token_A=[;x]\n", "Invalid token [;x]"},
        {"token_A=[[a;b]\n", "Invalid token [[a;b]"},
        {"token_A=[a;b}}]\n", "Invalid token [a;b}}]"},
        {"token_A=(x\n", "Invalid token (x"},
        {"token_A=(a;;b)\n", "Invalid token (a;;b)"},
        {"token_A=()\n", "Invalid token ()"},
        {"token_A=a_RC_b\n", "Invalid token a_RC_b"},
        {"C_tokenMatchIni=REMSTART\n", "Invalid token REMSTART"},
        {"C_tokenMatchEnd=REMEND\n", "Invalid token REMEND"},
    };
    for (const Row& row : rows) {
        StyleModel model;
        ASSERT_FALSE(parseDescriptor(descriptorText("token_OLD=old\n"), model));
        const std::optional<QString> error = parseDescriptor(descriptorText(row.descriptor), model);
        EXPECT_EQ(error.value_or("accepted"), QString::fromUtf8(row.message)) << row.descriptor;
        EXPECT_EQ(render(model, {"old"}), "[old]OLD") << row.descriptor;
    }
}

TEST(PredefinedToken, WrittenFormsAndTheTable) {
    EXPECT_EQ(ScPredefinedToken::getValidToken(":"), "_DD_");
    EXPECT_EQ(ScPredefinedToken::getValidToken("\n"), "_RC_");
    EXPECT_EQ(ScPredefinedToken::getValidToken("::"), "::");
    EXPECT_EQ(ScPredefinedToken::getValidToken("\n\n"), "\n\n");
    EXPECT_EQ(ScPredefinedToken::getValidToken("IF"), "IF");
    EXPECT_TRUE(ScPredefinedToken::getValidToken(QString()).isNull());

    EXPECT_EQ(ScPredefinedToken::predefinedToken("_NUMBER_"), "(0;1;2;3;4;5;6;7;8;9;.;,)");
    EXPECT_EQ(ScPredefinedToken::predefinedToken("_OPERATOR_"), "+:-:/:*:%");
    EXPECT_EQ(ScPredefinedToken::predefinedToken("_LITTERAL_"), QString::fromUtf8("[\";\"{{\\}}]"));
    EXPECT_EQ(ScPredefinedToken::predefinedToken("_LITTERAL_")->size(), 10);
    EXPECT_FALSE(ScPredefinedToken::predefinedToken("_LITERAL_"));

    // A descriptor may name a list added later, also one naming another; a list naming itself is refused.
    ScPredefinedToken::addPredefinedToken("_SIGN_", "_OPERATOR_:=");
    ScPredefinedToken::addPredefinedToken("_LOOP_", "a:_LOOP_");
    StyleModel model;
    ASSERT_FALSE(parseDescriptor(descriptorText("token_O=_SIGN_\n"), model));
    EXPECT_EQ(render(model, {"a=b*c"}), "[=]O [*]O");
    EXPECT_EQ(parseDescriptor(descriptorText("token_L=_LOOP_\n"), model).value_or(""),
              "Invalid token a:_LOOP_");
    ScPredefinedToken::removePredefinedToken("_SIGN_", "");
    ScPredefinedToken::removePredefinedToken("_LOOP_", "");

    const QString number = *ScPredefinedToken::predefinedToken("_NUMBER_");
    ScPredefinedToken::removePredefinedToken("_NUMBER_", "anything");
    EXPECT_FALSE(ScPredefinedToken::predefinedToken("_NUMBER_"));
    ASSERT_FALSE(parseDescriptor(descriptorText("token_N=_NUMBER_\n"), model));
    EXPECT_EQ(render(model, {"12 _NUMBER_"}), "[_NUMBER_]N");
    ScPredefinedToken::addPredefinedToken("_NUMBER_", number);
    EXPECT_EQ(ScPredefinedToken::predefinedToken("_NUMBER_"), number);
}

}  // namespace
