// The J2ME compilation settings and the type creator, driven through their buttons.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "colours.h"
#include "editor_fixture.h"
#include "j2me_compile.h"
#include "type_creator.h"

namespace editor {
namespace {

using testing::part;

void click(QWidget* dialog, const char* button) {
    part<QPushButton>(dialog, button)->click();
}

void type(QWidget* dialog, const char* field, const QString& text) {
    part<QLineEdit>(dialog, field)->setText(text);
}

QStringList listed(QWidget* dialog, const char* list) {
    QStringList rows;
    auto* widget = part<QListWidget>(dialog, list);
    for (int i = 0; i < widget->count(); ++i) rows << widget->item(i)->text();
    return rows;
}

QColor background(QWidget* dialog, const char* field) {
    return part<QLineEdit>(dialog, field)->palette().color(QPalette::Base);
}

TEST(J2MECompile, ReferencesAreAddedOnceWithinTheLimitAndTheClassToStartNeedsAText) {
    ui::testing::ScriptedPrompter prompter;
    References references;
    references.references = {"/lib/old.jar"};
    {
        J2MECompile dialog(nullptr, references);
        EXPECT_EQ(dialog.windowTitle(), "J2ME Compilation Settings");
        EXPECT_EQ(part<QLineEdit>(&dialog, "textfield1")->text(), "");
        dialog.show();
        for (const char* chosen : {"/lib/a.jar", "/lib/a.jar", "/lib/old.jar"}) {
            prompter.reply(chosen);
            click(&dialog, "button1");
        }
        prompter.reply(std::optional<QString>());
        click(&dialog, "button1");
        EXPECT_EQ(references.references, QStringList({"/lib/old.jar", "/lib/a.jar"}));
        // The project's earlier references are not listed.
        EXPECT_EQ(listed(&dialog, "lstReferencesContent"), QStringList({"/lib/a.jar"}));

        // The eleventh reference is refused with a message.
        for (int i = 2; i < 10; ++i) references.references << QString("/lib/%1.jar").arg(i);
        prompter.clear();
        prompter.reply("/lib/eleventh.jar");
        click(&dialog, "button1");
        EXPECT_EQ(references.references.size(), 10);
        ASSERT_EQ(prompter.questions().size(), 2u);
        EXPECT_EQ(prompter.questions()[1].kind, ui::testing::Question::Error);

        // Remove takes the selected row from the project and the list.
        part<QListWidget>(&dialog, "lstReferencesContent")->setCurrentRow(0);
        click(&dialog, "button2");
        EXPECT_FALSE(references.references.contains("/lib/a.jar"));
        EXPECT_TRUE(listed(&dialog, "lstReferencesContent").isEmpty());
        click(&dialog, "button2");
        EXPECT_EQ(references.references.size(), 9);

        click(&dialog, "okButton");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(background(&dialog, "textfield1"), colours::attention);
        EXPECT_FALSE(references.classStart.has_value());
        type(&dialog, "textfield1", "Game.game");
        click(&dialog, "okButton");
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(references.classStart, "Game.game");
    }
    // Reopened: the class confirmed, an empty list; Cancel after Add keeps the reference.
    references.references.clear();
    J2MECompile again(nullptr, references);
    again.show();
    EXPECT_EQ(part<QLineEdit>(&again, "textfield1")->text(), "Game.game");
    EXPECT_TRUE(listed(&again, "lstReferencesContent").isEmpty());
    prompter.reply("/lib/b.jar");
    click(&again, "button1");
    type(&again, "textfield1", "Other");
    click(&again, "cancelButton");
    EXPECT_FALSE(again.isVisible());
    EXPECT_EQ(references.references, QStringList({"/lib/b.jar"}));
    EXPECT_EQ(references.classStart, "Game.game");
}

class TypeCreatorTest : public testing::EditorTest {
protected:
    void declare(TypeCreator& dialog, const QString& type, const QString& name, bool isStatic = false) {
        ::editor::type(&dialog, "textfield2", type);
        ::editor::type(&dialog, "textfield3", name);
        part<QCheckBox>(&dialog, "checkbox1")->setChecked(isStatic);
        click(&dialog, "addButton");
    }
};

TEST_F(TypeCreatorTest, DeclarationsAreKeptOnceAsTypedAndBecomeTheClassOfANewTab) {
    Editor& editor = start();
    TypeCreator dialog(&editor, editor);
    EXPECT_EQ(dialog.windowTitle(), "Type Creator");
    dialog.show();
    declare(dialog, "int", "x");
    declare(dialog, "int", "count", true);
    declare(dialog, "int", "x", true);
    declare(dialog, "int", "count");
    declare(dialog, "long", "x");
    declare(dialog, "int", " x");
    EXPECT_EQ(dialog.declarations(),
              QStringList({"public int x;", "public static int count;", "public long x;", "public int  x;"}));
    EXPECT_EQ(listed(&dialog, "listview1Content"), dialog.declarations());
    declare(dialog, "", "y");
    EXPECT_EQ(background(&dialog, "textfield2"), colours::attention);
    declare(dialog, "int", "");
    EXPECT_NE(background(&dialog, "textfield2"), colours::attention);
    EXPECT_EQ(background(&dialog, "textfield3"), colours::attention);
    EXPECT_EQ(dialog.declarations().size(), 4);
    auto* list = part<QListWidget>(&dialog, "listview1Content");
    for (int row : {3, 2}) {
        list->setCurrentRow(row);
        click(&dialog, "removeButton");
    }
    EXPECT_EQ(dialog.declarations(), QStringList({"public int x;", "public static int count;"}));

    click(&dialog, "okButton");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(background(&dialog, "textfield1"), colours::attention);
    type(&dialog, "textfield1", "Point");
    click(&dialog, "okButton");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialog.declarations().isEmpty());
    EXPECT_EQ(titles(), QStringList({"Main.bss", "TypePoint.java*"}));
    EXPECT_EQ(tabs().currentIndex(), 1);
    EXPECT_EQ(text(1), "package Game;\npublic class TypePoint{\npublic int x;\npublic static int count;\n}");
    // The fill is one step: undone, the new tab is empty again.
    editor.undo();
    EXPECT_EQ(text(1), "");
}

TEST_F(TypeCreatorTest, ClosingEmptiesTheListAndWithoutAFreeTabTheDialogStays) {
    Editor& editor = start();
    {
        TypeCreator dialog(&editor, editor);
        dialog.show();
        declare(dialog, "int", "x");
        dialog.close();
        EXPECT_TRUE(dialog.declarations().isEmpty());
    }
    TypeCreator dialog(&editor, editor);
    dialog.show();
    type(&dialog, "textfield1", "Empty");
    click(&dialog, "okButton");
    EXPECT_EQ(text(1), "package Game;\npublic class TypeEmpty{\n}");

    // In a Java project the class joins the includes.
    references.compiler = "J2ME";
    while (testing::tabWidget(editor)->count() < Editor::MAXTAB) editor.setUpEditor("more.bss");
    TypeCreator full(&editor, editor);
    full.show();
    declare(full, "int", "x");
    type(&full, "textfield1", "Full");
    click(&full, "okButton");
    EXPECT_TRUE(full.isVisible());
    EXPECT_EQ(full.declarations(), QStringList({"public int x;"}));
    EXPECT_EQ(reporter.reports.size(), 1);
    editor.closeEditor(14);
    click(&full, "okButton");
    EXPECT_FALSE(full.isVisible());
    EXPECT_EQ(references.includes, QStringList({"TypeFull"}));
}

}  // namespace
}  // namespace editor
