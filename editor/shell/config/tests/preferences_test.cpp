// The preferences dialog offscreen: the checks of Save, what it writes, and its Scan.
#include "preferences.h"

#include <QLineEdit>

#include "colours.h"
#include "config_fixture.h"
#include "references.h"
#include "scripted_prompter.h"
#include "start_up.h"

namespace editor {
namespace {

using testing::ConfigTest;
using testing::part;
using testing::readFile;
using testing::WizardWatch;
using testing::writeFile;

class PreferencesTest : public ConfigTest {
protected:
    void SetUp() override {
        makeTools();
        references.TesvoZoridLocation = kit();
        references.JavaLocation = kit("java/");
        references.MobileLocation = kit("wtk/");
        references.lookAndFeel = "2003";
    }
    void type(Preferences& dialog, const char* field, const QString& text) {
        part<QLineEdit>(&dialog, field)->setText(text);
    }
    QColor background(Preferences& dialog, const char* field) {
        return part<QLineEdit>(&dialog, field)->palette().color(QPalette::Base);
    }
    QString status(Preferences& dialog) { return part<QLabel>(&dialog, "label8")->text(); }

    References references;
};

TEST_F(PreferencesTest, ShowsTheFieldsAndTheDefaultLook) {
    Preferences dialog(nullptr, references);
    EXPECT_EQ(dialog.windowTitle(), "Tesvo Zorid Preferences");
    EXPECT_FALSE(dialog.isModal());
    EXPECT_EQ(part<QLineEdit>(&dialog, "textfield1")->text(), kit());
    EXPECT_EQ(part<QLineEdit>(&dialog, "textfield2")->text(), kit("java/"));
    EXPECT_EQ(part<QLineEdit>(&dialog, "textfield3")->text(), kit("wtk/"));
    auto* looks = part<QComboBox>(&dialog, "combobox1");
    EXPECT_EQ(testing::items(&dialog, "combobox1"),
              QStringList({"Default", "Microsoft® Visual Studio", "Microsoft® Office 2003"}));
    EXPECT_EQ(looks->currentText(), "Default") << "whatever the current look";
    EXPECT_EQ(status(dialog), "");
    EXPECT_EQ(part<QLabel>(&dialog, "label8")->palette().color(QPalette::WindowText), colours::attention);
    dialog.show();
    part<QPushButton>(&dialog, "button3")->click();
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(PreferencesTest, TheFirstFailingFolderStopsTheSave) {
    struct Row {
        QString kitField, javaField, toolkitField;
        const char* failing;
        const char* message;
    };
    const Row rows[] = {
        {"", kit("java/"), kit("wtk/"), "textfield1",
         "Config file was not saved because the location you specified could not be found"},
        {kit("gone/"), kit("java/"), kit("wtk/"), "textfield1",
         "Config file was not saved because the location you specified could not be found"},
        {kit(), kit("java"), kit("wtk/"), "textfield2",
         "Config file was not saved because the location of javac was not correctly specified"},
        {kit(), kit("java/"), kit("wtk"), "textfield3",
         "Config file was not saved because the location of bin/preverify was not correctly specified"},
        {kit(), kit("java/"), kit("java/"), "textfield3",
         "Config file was not saved because the location of bin/preverify was not correctly specified"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.failing);
        Preferences dialog(nullptr, references);
        type(dialog, "textfield1", row.kitField);
        type(dialog, "textfield2", row.javaField);
        type(dialog, "textfield3", row.toolkitField);
        part<QPushButton>(&dialog, "button1")->click();
        EXPECT_EQ(status(dialog), row.message);
        bool reached = false;
        for (const char* field : {"textfield1", "textfield2", "textfield3"}) {
            if (reached) {
                EXPECT_NE(background(dialog, field), colours::accepted) << field << " was not tested";
                EXPECT_NE(background(dialog, field), colours::failure) << field;
            } else {
                const bool failing = QLatin1String(field) == QLatin1String(row.failing);
                EXPECT_EQ(background(dialog, field), failing ? colours::failure : colours::accepted) << field;
                reached = failing;
            }
        }
        EXPECT_FALSE(QFile::exists(config()));
    }
    EXPECT_EQ(references.JavaLocation, kit("java/"));
}

TEST_F(PreferencesTest, SaveWritesTheFourLinesAndTheNextWriterKeepsThem) {
    writeFile(kit("other java/javac"), "tool");
    const struct {
        int item;
        const char* word;
    } rows[] = {{0, "Default"}, {1, "XP"}, {2, "2003"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.word);
        Preferences dialog(nullptr, references);
        type(dialog, "textfield2", kit("other java/"));
        type(dialog, "textfield1", kit("java"));  // any existing folder is taken as typed
        part<QComboBox>(&dialog, "combobox1")->setCurrentIndex(row.item);
        part<QPushButton>(&dialog, "button1")->click();
        EXPECT_EQ(status(dialog), "Save Successfull!");
        EXPECT_EQ(QString::fromUtf8(readFile(config())),
                  kit("other java/") + "\n" + kit("wtk/") + "\n" + kit("java") + "\n" + row.word + "\n");
        EXPECT_EQ(references.JavaLocation, kit("other java/"));
        EXPECT_EQ(references.MobileLocation, kit("wtk/"));
        EXPECT_EQ(references.lookAndFeel, QString(row.word));
        EXPECT_EQ(references.TesvoZoridLocation, kit());
    }
    // A look command or a wizard's Verify writes next: what the user saved stays, line 3 is derived.
    ASSERT_TRUE(writeConfig(references));
    EXPECT_EQ(QString::fromUtf8(readFile(config())),
              kit("other java/") + "\n" + kit("wtk/") + "\n" + kit() + "\n2003\n");
    EXPECT_TRUE(reporter.reports.isEmpty());
}

TEST_F(PreferencesTest, AFailedSaveIsReportedAndChangesNothing) {
    writeFile(config(), "old\n");
    Preferences dialog(nullptr, references);
    // The file's folder is a regular file now: the save cannot even begin.
    testing::KitFolder unwritable(config());
    type(dialog, "textfield1", kit());
    type(dialog, "textfield2", kit("java/"));
    type(dialog, "textfield3", kit("wtk/"));
    part<QComboBox>(&dialog, "combobox1")->setCurrentIndex(1);
    part<QPushButton>(&dialog, "button1")->click();
    ASSERT_EQ(reporter.reports.size(), 1);
    EXPECT_EQ(reporter.reports[0].detail, "Saving Configuration File");
    EXPECT_EQ(status(dialog), "");
    EXPECT_EQ(references.lookAndFeel, QString("2003"));
    EXPECT_EQ(readFile(config()), "old\n");
}

TEST_F(PreferencesTest, ScanOpensTheWizardAndAVerifiedChoiceFillsTheFields) {
    writeFile(kit("jdk2/bin/javac"), "tool");
    writeFile(kit("WTK3/bin/preverify"), "tool");
    QDir(kit("wtk")).removeRecursively();  // the only toolkit is the one the test looks for
    ui::testing::ScriptedPrompter prompter;
    Preferences dialog(nullptr, references);
    dialog.show();
    WizardWatch watch([&](NewInstall& wizard) {
        ASSERT_TRUE(ui::testing::waitUntil([&] { return testing::scanFinished(&wizard); }));
        part<QPushButton>(&wizard, "verify")->click();
    });
    part<QPushButton>(&dialog, "button2")->click();
    EXPECT_EQ(watch.shown, 1);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(part<QLineEdit>(&dialog, "textfield2")->text(), kit("jdk2/bin/"));
    EXPECT_EQ(part<QLineEdit>(&dialog, "textfield3")->text(), kit("WTK3/"));
    EXPECT_EQ(part<QLineEdit>(&dialog, "textfield1")->text(), kit());
    EXPECT_FALSE(QFile::exists(config())) << "nothing is written until Save";
    dialog.close();
}

}  // namespace
}  // namespace editor
