// The search engine on plain texts, and the panel on text widgets that are never shown.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QtTest/QTest>
#include <stdexcept>

#include "find_replace_panel.h"

namespace {

using ui::findreplace::findMatch;
using ui::findreplace::FindReplacePanel;
using ui::findreplace::SearchOptions;
using ui::findreplace::TextRange;

// The panel's controls, found by their texts and names.
class Controls {
public:
    explicit Controls(FindReplacePanel& panel) : panel_(panel) {}

    template <typename Widget = QAbstractButton>
    Widget* control(const QString& text) const {
        for (Widget* widget : panel_.findChildren<Widget*>()) {
            if (widget->text() == text) return widget;
        }
        ADD_FAILURE() << "no control " << text.toStdString();
        return nullptr;
    }
    void check(const QString& text, bool on = true) const { control(text)->setChecked(on); }
    bool enabled(const QString& text) const { return control(text)->isEnabled(); }
    QComboBox* find() const { return panel_.findChild<QComboBox*>("find"); }
    QComboBox* replace() const { return panel_.findChild<QComboBox*>("replace"); }
    QString status() const { return panel_.findChild<QLabel*>("status")->text(); }
    void search(const QString& text) const { find()->setEditText(text); }
    void replaceWith(const QString& text) const { replace()->setEditText(text); }
    QStringList replacements() const {
        QStringList items;
        for (int i = 0; i < replace()->count(); ++i) items << replace()->itemText(i);
        return items;
    }

private:
    FindReplacePanel& panel_;
};

void select(QPlainTextEdit& edit, int start, int end) {
    QTextCursor cursor(edit.document());
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
}

TextRange selection(const QPlainTextEdit& edit) {
    return {edit.textCursor().selectionStart(), edit.textCursor().selectionEnd()};
}

TEST(SearchEngine, OneStepInEachDirection) {
    const QString text = "Abc abc xabc\nabc";
    struct Row {
        const char* needle;
        SearchOptions options;
        int from;
        TextRange expected;
    };
    SearchOptions caseOn, word, regex, back, wrap, backWrap;
    caseOn.caseSensitive = true;
    word.wholeWord = true;
    regex.regularExpressions = true;
    back.backward = true;
    wrap.wrap = true;
    backWrap.backward = backWrap.wrap = true;
    const Row rows[] = {
        {"abc", {}, 0, {0, 3}},
        {"abc", caseOn, 0, {4, 7}},
        {"abc", {}, 1, {4, 7}},
        {"abc", word, 5, {13, 16}},
        {"abc", {}, 14, {}},
        {"abc", wrap, 14, {0, 3}},
        {"abc", back, 12, {9, 12}},
        {"abc", back, 3, {0, 3}},
        {"abc", back, 2, {}},
        {"abc", backWrap, 2, {13, 16}},
        {"a.c", {}, 0, {}},
        {"a.c", regex, 0, {0, 3}},
        {"^abc", regex, 1, {13, 16}},
        {"c$", regex, 0, {11, 12}},
        {"", wrap, 0, {}},
        {"(", regex, 0, {}},
        {"x*", regex, 0, {0, 0}},
        {"x*", regex, 8, {8, 9}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(findMatch(text, row.needle, row.options, row.from, 0, static_cast<int>(text.size())),
                  row.expected)
            << row.needle << " from " << row.from;
    }
    // Within a scope: matches outside it, or running past its end, are not found.
    EXPECT_EQ(findMatch(text, "abc", {}, 0, 2, 11), (TextRange{4, 7}));
    EXPECT_EQ(findMatch(text, "abc", wrap, 8, 2, 11), (TextRange{4, 7}));
    EXPECT_EQ(findMatch(text, "xabc", {}, 0, 0, 11), TextRange{});
}

TEST(FindReplacePanel, RefusesANullComponent) {
    try {
        FindReplacePanel panel(static_cast<QPlainTextEdit*>(nullptr));
        ADD_FAILURE() << "accepted";
    } catch (const std::invalid_argument& refusal) {
        EXPECT_STREQ(refusal.what(), "Can't use a null textComponent !");
    }
    EXPECT_THROW(FindReplacePanel("x", static_cast<QTextEdit*>(nullptr)), std::invalid_argument);
}

TEST(FindReplacePanel, FindSelectsHitsAndReportsMisses) {
    QPlainTextEdit edit("motif aa abc abc\naa test");
    FindReplacePanel panel("abc", &edit);
    Controls c(panel);
    EXPECT_EQ(c.find()->currentText(), "abc");
    EXPECT_FALSE(c.enabled("Replace"));
    panel.setReplaceMode(true);
    EXPECT_TRUE(panel.find());
    EXPECT_EQ(selection(edit), (TextRange{9, 12}));
    EXPECT_TRUE(c.enabled("Replace"));
    EXPECT_TRUE(c.enabled("Replace/Find"));
    EXPECT_TRUE(panel.find());
    EXPECT_EQ(selection(edit), (TextRange{13, 16}));
    EXPECT_FALSE(panel.find());
    EXPECT_EQ(c.status(), "String Not Found");
    EXPECT_FALSE(c.enabled("Replace"));

    c.check("Wrap search");
    EXPECT_TRUE(panel.find());
    EXPECT_EQ(selection(edit), (TextRange{9, 12}));
    EXPECT_EQ(c.status(), "");
    c.check("Backward");
    c.check("Wrap search", false);
    select(edit, 20, 20);  // a cursor moved by hand is where the next search starts
    EXPECT_TRUE(panel.find());
    EXPECT_EQ(selection(edit), (TextRange{13, 16}));
    EXPECT_EQ(c.find()->count(), 1);  // the search text is kept once

    c.check("Incremental");
    select(edit, 0, 0);
    c.check("Forward");
    c.search("a");
    EXPECT_EQ(selection(edit), (TextRange{6, 7}));
    c.search("aa");
    EXPECT_EQ(selection(edit), (TextRange{6, 8}));
    c.search("aaz");
    EXPECT_EQ(c.status(), "String Not Found");
}

TEST(FindReplacePanel, EachFindStartsFromTheCaretOrTheSelectionAfterAMissToo) {
    QPlainTextEdit edit("cat dog cat");
    FindReplacePanel panel("cat", &edit);
    Controls c(panel);
    EXPECT_TRUE(panel.find());
    EXPECT_TRUE(panel.find());
    EXPECT_EQ(selection(edit), (TextRange{8, 11}));
    EXPECT_FALSE(panel.find());
    select(edit, 0, 0);  // the caret back at the start
    EXPECT_TRUE(panel.find());
    EXPECT_EQ(selection(edit), (TextRange{0, 3}));
    EXPECT_EQ(c.status(), "");
    c.search("zebra");
    EXPECT_FALSE(panel.find());
    c.search("dog");  // a new text after a miss, from where the selection stands
    EXPECT_TRUE(panel.find());
    EXPECT_EQ(selection(edit), (TextRange{4, 7}));

    // Turning round takes the hit's other side: the one before it, not the same one again.
    QPlainTextEdit turning("ab ab ab");
    FindReplacePanel round("ab", &turning);
    Controls r(round);
    EXPECT_TRUE(round.find());
    EXPECT_TRUE(round.find());
    EXPECT_EQ(selection(turning), (TextRange{3, 5}));
    r.check("Backward");
    EXPECT_TRUE(round.find());
    EXPECT_EQ(selection(turning), (TextRange{0, 2}));
    r.check("Forward");
    EXPECT_TRUE(round.find());
    EXPECT_EQ(selection(turning), (TextRange{3, 5}));

    // An empty hit is stepped over in either direction, not found again.
    QPlainTextEdit lines("a\nb\nc");
    FindReplacePanel starts("^", &lines);
    Controls l(starts);
    l.check("Regular expressions");
    select(lines, 2, 2);
    EXPECT_TRUE(starts.find());
    EXPECT_EQ(selection(lines), (TextRange{2, 2}));
    EXPECT_TRUE(starts.find());
    EXPECT_EQ(selection(lines), (TextRange{4, 4}));
    l.check("Backward");
    EXPECT_TRUE(starts.find());
    EXPECT_EQ(selection(lines), (TextRange{2, 2}));
}

TEST(FindReplacePanel, FindModeReplacesNothingAndReplaceModeTakesTheTypedText) {
    QPlainTextEdit edit("MOVES 1\nPRINT \"Moves\"\nMOVES 2");
    FindReplacePanel panel("MOVES", &edit);
    Controls c(panel);
    const auto replaceButtons = [&c] {
        return QList<bool>{c.enabled("Replace"), c.enabled("Replace/Find"), c.enabled("Replace All")};
    };
    EXPECT_EQ(replaceButtons(), QList<bool>({false, false, false}));
    EXPECT_TRUE(panel.find());  // a hit in find mode enables no replace button
    EXPECT_EQ(replaceButtons(), QList<bool>({false, false, false}));
    EXPECT_FALSE(c.replace()->isEnabled());

    panel.setReplaceMode(true);  // the hit found before can be replaced at once
    EXPECT_EQ(replaceButtons(), QList<bool>({true, true, true}));
    c.replace()->lineEdit()->clear();
    QTest::keyClicks(c.replace()->lineEdit(), "STEPS");
    c.control("Replace")->click();
    EXPECT_EQ(edit.toPlainText(), "STEPS 1\nPRINT \"Moves\"\nMOVES 2");
    c.control("Replace All")->click();
    EXPECT_EQ(edit.toPlainText(), "STEPS 1\nPRINT \"STEPS\"\nSTEPS 2");
    EXPECT_EQ(c.status(), "2 Match replaced");

    panel.setReplaceMode(false);
    EXPECT_EQ(replaceButtons(), QList<bool>({false, false, false}));
}

TEST(FindReplacePanel, ReplaceTakesTheSelectionOnly) {
    QPlainTextEdit edit("one two one");
    FindReplacePanel panel("one", &edit);
    Controls c(panel);
    panel.setReplaceMode(true);
    c.replaceWith("1");
    panel.replace();  // no selection: nothing happens
    EXPECT_EQ(edit.toPlainText(), "one two one");
    EXPECT_FALSE(c.enabled("Replace"));
    EXPECT_FALSE(c.enabled("Replace/Find"));

    ASSERT_TRUE(panel.find());
    EXPECT_TRUE(panel.replaceFind());
    EXPECT_EQ(edit.toPlainText(), "1 two one");
    EXPECT_EQ(selection(edit), (TextRange{6, 9}));
    EXPECT_TRUE(c.enabled("Replace/Find"));
    c.replaceWith("");
    panel.replace();  // an empty replacement deletes the hit and is not kept
    EXPECT_EQ(edit.toPlainText(), "1 two ");
    EXPECT_EQ(c.replacements(), QStringList{"1"});
    EXPECT_FALSE(c.enabled("Replace"));
    EXPECT_FALSE(panel.replaceFind());

    // Replacing backward goes on before the replaced text, not into it.
    QPlainTextEdit backward("ab ab ab");
    FindReplacePanel back("ab", &backward);
    Controls b(back);
    b.check("Backward");
    b.replaceWith("abab");
    select(backward, 8, 8);
    ASSERT_TRUE(back.find());
    while (back.replaceFind()) {
    }
    EXPECT_EQ(backward.toPlainText(), "abab abab abab");
}

TEST(FindReplacePanel, ReplaceAllCountsEveryDirectionAndWrap) {
    for (const bool backward : {false, true}) {
        for (const bool wrap : {false, true}) {
            SCOPED_TRACE(testing::Message() << "backward " << backward << " wrap " << wrap);
            QPlainTextEdit edit("ab x ab\nab");
            FindReplacePanel panel("ab", &edit);
            Controls c(panel);
            c.check("Backward", backward);
            c.check("Wrap search", wrap);
            select(edit, 5, 5);
            c.replaceWith("[ab]");  // holds the search text: the search goes on behind it
            EXPECT_EQ(panel.replaceAll(), 3);
            EXPECT_EQ(c.status(), "3 Match replaced");
            EXPECT_EQ(edit.toPlainText(), "[ab] x [ab]\n[ab]");
            EXPECT_EQ(c.replacements(), QStringList{"[ab]"});
            EXPECT_TRUE(c.control("Backward")->isChecked() == backward);  // the controls stay as set

            edit.document()->undo();  // one undo step takes the whole replacement back
            EXPECT_EQ(edit.toPlainText(), "ab x ab\nab");
            c.search("zz");
            EXPECT_EQ(panel.replaceAll(), 0);
            EXPECT_EQ(c.status(), "String Not found");
        }
    }
}

TEST(FindReplacePanel, SelectedLinesBoundReplaceAll) {
    QPlainTextEdit edit("a a\na a\na a\na a");
    FindReplacePanel panel("a", &edit);
    Controls c(panel);
    c.replaceWith("bb");
    c.check("Selected lines");
    select(edit, 5, 9);  // from the second line into the third
    EXPECT_EQ(panel.replaceAll(), 4);
    EXPECT_EQ(edit.toPlainText(), "a a\nbb bb\nbb bb\na a");
    EXPECT_TRUE(c.control("All")->isChecked());
    EXPECT_EQ(c.status(), "4 Match replaced");

    c.check("Selected lines");
    select(edit, 0, 4);  // a selection ending where a line starts leaves that line out
    EXPECT_EQ(panel.replaceAll(), 2);
    EXPECT_EQ(edit.toPlainText(), "bb bb\nbb bb\nbb bb\na a");
}

TEST(FindReplacePanel, ReplaceAllOverTheOptionMatrix) {
    enum Either { Off, On, Both };
    struct Row {
        const char* text;
        const char* find;
        const char* with;
        bool regex;
        Either caseSensitive;
        Either wholeWord;
        const char* expected;
        int count;
    };
    const Row rows[] = {
        {"Ab ab abc", "ab", "x", false, Off, Off, "x x xc", 3},
        {"Ab ab abc", "ab", "x", false, On, Off, "Ab x xc", 2},
        {"Ab ab abc", "ab", "x", false, Off, On, "x x abc", 2},
        {"Ab ab abc", "ab", "x", false, On, On, "Ab x abc", 1},
        {"a.c abc", "a.c", "!", false, Both, Both, "! abc", 1},
        {"a.c abc", "a.c", "!", true, Both, Off, "! !", 2},
        // Empty matches: each place once, one character on after each.
        {"baac", "a*", "X", true, Both, Off, "XbXXcX", 4},
        {"one\ntwo", "^", "> ", true, Both, Off, "> one\n> two", 2},
        {"one\ntwo", "$", ";", true, Both, Off, "one;\ntwo;", 2},
        {"", "^", "x", true, Both, Both, "x", 1},
        // Nothing to find: an empty text, an invalid expression.
        {"abc", "", "x", false, Both, Both, "abc", 0},
        {"abc", "", "x", true, Both, Both, "abc", 0},
        {"a(b", "(", "x", true, Both, Both, "a(b", 0},
        {"a(b", "(", "x", false, Both, Off, "axb", 1},
    };
    auto values = [](Either either) {
        return either == Both ? std::vector<bool>{false, true} : std::vector<bool>{either == On};
    };
    for (const Row& row : rows) {
        for (bool caseSensitive : values(row.caseSensitive)) {
            for (bool wholeWord : values(row.wholeWord)) {
                for (bool backward : {false, true}) {
                    for (bool wrap : {false, true}) {
                        SCOPED_TRACE(testing::Message()
                                     << row.text << " / " << row.find << " case " << caseSensitive << " word "
                                     << wholeWord << " backward " << backward << " wrap " << wrap);
                        QPlainTextEdit edit(row.text);
                        FindReplacePanel panel(row.find, &edit);
                        Controls c(panel);
                        c.check("Regular expressions", row.regex);
                        c.check("Case sensitive", caseSensitive);
                        c.check("Whole word", wholeWord);
                        c.check("Backward", backward);
                        c.check("Wrap search", wrap);
                        c.replaceWith(row.with);
                        EXPECT_EQ(panel.replaceAll(), row.count);
                        EXPECT_EQ(edit.toPlainText(), row.expected);
                        EXPECT_EQ(c.status(), row.count == 0
                                                  ? QString("String Not found")
                                                  : QString::number(row.count) + " Match replaced");
                    }
                }
            }
        }
    }
}

TEST(FindReplacePanel, ModesAndComponents) {
    QPlainTextEdit first("alpha");
    QTextEdit second;
    second.setPlainText("beta alpha");
    FindReplacePanel panel("alpha", &first);
    Controls c(panel);
    EXPECT_FALSE(panel.isReplaceMode());
    EXPECT_FALSE(c.replace()->isEnabled());
    panel.setReplaceMode(true);
    EXPECT_TRUE(panel.isReplaceMode());
    EXPECT_TRUE(c.replace()->isEnabled());
    panel.setReplaceMode(false);
    EXPECT_FALSE(c.replace()->isEnabled());

    EXPECT_TRUE(panel.find());
    panel.updateTextComponent(&second);
    EXPECT_TRUE(panel.find());
    EXPECT_EQ(second.textCursor().selectionStart(), 5);
    c.replaceWith("gamma");
    EXPECT_EQ(panel.replaceAll(), 1);
    EXPECT_EQ(second.toPlainText(), "beta gamma");
    EXPECT_EQ(first.toPlainText(), "alpha");

    panel.dispose();
    EXPECT_FALSE(panel.find());
    EXPECT_EQ(panel.replaceAll(), 0);
    panel.replace();
    EXPECT_THROW(panel.updateTextComponent(static_cast<QTextEdit*>(nullptr)), std::invalid_argument);
}

}  // namespace
