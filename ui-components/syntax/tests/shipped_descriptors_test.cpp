// The Editor's own descriptors, as the build lays them into the kit folder.
#include <gtest/gtest.h>

#include <QFile>
#include <QSet>

#include "colouring_support.h"
#include "driver/library.h"
#include "sc_editor_kit.h"
#include "statements/keyword_table.h"

namespace {

using ui::sc::StyleModel;
using ui::sc::testing::render;

StyleModel shipped(const char* name) {
    QFile file(QStringLiteral(TZ_KIT_DIR "/Editor/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    const ui::sc::PropertiesParse parse = ui::sc::parseProperties(file.readAll());
    EXPECT_TRUE(parse.error.isNull()) << parse.error.toStdString();
    StyleModel model;
    const std::optional<QString> error = ui::sc::parseDescriptor(parse.properties, model);
    EXPECT_FALSE(error) << error->toStdString();
    return model;
}

QSet<QString> words(const StyleModel& model, const QString& tokenClass) {
    QSet<QString> found;
    const int index = model.classIndex(tokenClass);
    for (const ui::sc::TokenMember& member : model.members) {
        if (member.tokenClass == index && member.kind == ui::sc::TokenMember::Word) found.insert(member.text);
    }
    return found;
}

QSet<QString> toSet(const std::vector<std::string>& list) {
    QSet<QString> set;
    for (const std::string& word : list) set.insert(QString::fromStdString(word));
    return set;
}

TEST(ShippedDescriptors, TheLanguagesWordsAreTheCompilers) {
    const StyleModel model = shipped("TB.syn");
    compiler::Library library;
    library.instantiate();

    QSet<QString> keywords = toSet(library.creators());
    for (const compiler::KeywordEntry& entry : compiler::keywordTable()) {
        if (!entry.keyword.empty())
            keywords.insert(QString::fromUtf8(entry.keyword.data(), entry.keyword.size()));
    }
    // The words inside statements: platform sections, conditions, FOR loops and truth values.
    keywords += QSet<QString>{"#IF", "THEN", "AND", "OR", "TO", "INC", "DEC", "TRUE", "FALSE"};
    EXPECT_EQ(words(model, "KEYWORD"), keywords);
    EXPECT_EQ(words(model, "BUILTIN"), toSet(library.Returners()));
    EXPECT_EQ(words(model, "CONVERSION"), toSet(library.Changers()));
}

TEST(ShippedDescriptors, TheLanguage) {
    const StyleModel model = shipped("TB.syn");
    EXPECT_TRUE(model.ignoreCase);
    const std::pair<QStringList, const char*> rows[] = {
        {{"IF x >= 10 AND y<>2 THEN"},
         "[IF]KEYWORD [>=]OPERATOR [10]NUMBER [AND]KEYWORD [<>]OPERATOR [2]NUMBER "
         "[THEN]KEYWORD"},
        {{"print \"Hello_World\" ' greet"}, "[print]KEYWORD [\"Hello_World\"]STRING [' greet]COMMENT"},
        {{"Rem a note", "REMARK"}, "[Rem a note]COMMENT | "},
        {{"A$ = Str$(LEN(b$) + 1)"}, "[=]OPERATOR [Str$]CONVERSION [LEN]BUILTIN [+]OPERATOR [1]NUMBER"},
        {{"SPRITE.POSITION s, SPRITE.POSX(s) - 1, 3.5"},
         "[SPRITE.POSITION]KEYWORD [SPRITE.POSX]BUILTIN [-]OPERATOR [1]NUMBER [3.5]NUMBER"},
        {{"p.x = rnd(1,6) * 2 / 3 % 4"},
         "[=]OPERATOR [rnd]BUILTIN [1]NUMBER [6]NUMBER [*]OPERATOR [2]NUMBER [/]OPERATOR [3]NUMBER "
         "[%]OPERATOR [4]NUMBER"},
        {{"REMSTART", "PRINT \"hidden\"", "REMEND", "3D.START"},
         "[REMSTART]COMMENT | [PRINT \"hidden\"]COMMENT | [REMEND]COMMENT | [3D.START]KEYWORD"},
        {{"#IF J2ME OR WEB", "#ENDIF"}, "[#IF]KEYWORD [OR]KEYWORD | [#ENDIF]KEYWORD"},
        {{"FOR i = 10 TO 0 DEC 2", "NEXT"},
         "[FOR]KEYWORD [=]OPERATOR [10]NUMBER [TO]KEYWORD [0]NUMBER [DEC]KEYWORD [2]NUMBER | [NEXT]KEYWORD"},
        {{"IMAGE.DRAW img, WIDTH / 2, GETKEY"},
         "[IMAGE.DRAW]KEYWORD [WIDTH]BUILTIN [/]OPERATOR [2]NUMBER "
         "[GETKEY]BUILTIN"},
    };
    for (const auto& [lines, expected] : rows) EXPECT_EQ(render(model, lines), QString::fromUtf8(expected));
}

TEST(ShippedDescriptors, Java) {
    const StyleModel model = shipped("J2ME.syn");
    EXPECT_FALSE(model.ignoreCase);
    const std::pair<QStringList, const char*> rows[] = {
        {{"public static int x = 42; // the answer"},
         "[public]KEYWORD [static]KEYWORD [int]KEYWORD [=]OPERATOR [42]NUMBER [// the answer]COMMENT"},
        {{"String s = \"a\\\"b\" + 'c' + '\\'';"},
         "[=]OPERATOR [\"a\\\"b\"]STRING [+]OPERATOR ['c']STRING [+]OPERATOR ['\\'']STRING"},
        {{"/** doc", " * more", " */ return null;"},
         "[/** doc]COMMENT | [ * more]COMMENT | [ */]COMMENT "
         "[return]KEYWORD [null]LITERAL"},
        {{"If (ok) { Return; }"}, ""},
        {{"b = a ? true : !c.done;"}, "[=]OPERATOR [?]OPERATOR [true]LITERAL [:]OPERATOR [!]OPERATOR"},
        {{"x1 = 3.5 * y2;"}, "[=]OPERATOR [3.5]NUMBER [*]OPERATOR"},
    };
    for (const auto& [lines, expected] : rows) EXPECT_EQ(render(model, lines), QString::fromUtf8(expected));
}

}  // namespace
