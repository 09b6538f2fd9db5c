#pragma once
// What the main-window tests share: a kit folder of their own (tools for Config.cfg, the kit's Editor data
// folder), a project folder, every seam recorded (boxes, failure reports, exit, project roads and tools),
// and the main window started in it with the roads and tools a fixture chooses.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QPointer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <memory>

#include "config_fixture.h"
#include "editor_testing.h"
#include "main_window.h"
#include "project_roads.h"
#include "references.h"
#include "scripted_prompter.h"
#include "services.h"
#include "window_parts.h"

namespace editor::testing {

// The project side's calls, in order; writeProject answers `writes`.
class RecordingRoads : public ProjectRoads {
public:
    bool writeProject(Editor&, int run, const Targets& targets) override {
        calls << QString("writeProject %1%2").arg(run).arg(targets.tb && !targets.j2me ? " TB" : "");
        return writes;
    }
    bool save(Editor& editor) override {
        calls << QString("save saved=%1").arg(editor.references().saved);
        return saves;
    }
    void loadProject(Editor&, const QString& path) override { calls << "loadProject " + path; }
    void openProject(Editor&, const QString& path) override { calls << "openProject " + path; }
    void addProject(Editor&, const QString& path) override { calls << "addProject " + path; }
    void build(Editor&, int run) override { calls << QString("build %1").arg(run); }
    void convert(Editor&) override { calls << "convert"; }
    void projectProperties(Editor&) override { calls << "projectProperties"; }
    QStringList calls;
    bool writes = true;
    bool saves = true;
};

// The project side's tools, recorded; the options panel is a plain widget.
class RecordingTools : public ProjectTools {
public:
    QWidget* newOptionsPanel(References&) override {
        calls << "newOptionsPanel";
        panel = new QWidget;
        return panel;
    }
    void enableOptions(bool java) override { calls << QString("enableOptions %1").arg(java); }
    void clearOptions() override { calls << "clearOptions"; }
    void openJ2MESettings(Editor&) override { calls << "openJ2MESettings"; }
    void openTypeCreator(Editor&) override { calls << "openTypeCreator"; }
    void openFtpTool(Editor&) override { calls << "openFtpTool"; }
    void openUpdateCheck(Editor&) override { calls << "openUpdateCheck"; }
    QStringList calls;
    QPointer<QWidget> panel;  // the last panel made, while its window lives
};

// What the process writes on standard output while it lives.
class CapturedOutput {
public:
    CapturedOutput() {
        file_.open();
        std::fflush(stdout);
        saved_ = ::dup(1);
        ::dup2(file_.handle(), 1);
    }
    ~CapturedOutput() { stop(); }
    QStringList lines() {
        stop();
        file_.seek(0);
        return QString::fromUtf8(file_.readAll()).split('\n', Qt::SkipEmptyParts);
    }

private:
    void stop() {
        if (saved_ < 0) return;
        std::fflush(stdout);
        ::dup2(saved_, 1);
        ::close(saved_);
        saved_ = -1;
    }
    QTemporaryFile file_;
    int saved_ = -1;
};

class EditorTest : public ::testing::Test {
protected:
    EditorTest() {
        writeFile(kit("java/javac"), "tool");
        writeFile(kit("wtk/bin/preverify"), "tool");
        writeFile(kit("Config.cfg"), (kit("java/") + "\n" + kit("wtk/") + "\n" + kit() + "\n\n").toUtf8());
        for (const char* name : {"TB.syn", "TB.bss"}) {
            writeFile(kit("Editor/") + name, readFile(QString(TZ_KIT_DIR) + "/Editor/" + name));
        }
    }
    ~EditorTest() override { stop(); }

    QString kit(const QString& relative = {}) const { return kitDir.path() + "/" + relative; }
    QString project(const QString& relative = {}) const { return projectDir.path() + "/" + relative; }
    QString templateText() const { return QString::fromUtf8(readFile(kit("Editor/TB.bss"))); }

    Editor& start() {
        stop();
        window = std::make_unique<Editor>(services, references, roadsInUse, toolsInUse);
        references.LoadedPath = project();
        return *window;
    }
    void stop() { window.reset(); }
    QTabWidget& tabs() const { return *tabWidget(*window); }
    QStringList titles() const {
        QStringList all;
        for (int i = 0; i < tabs().count(); ++i) all << tabs().tabText(i);
        return all;
    }
    // Tab slot i as a user sees it.
    QString text(int slot) const { return window->tabText(slot); }

    QTemporaryDir kitDir;
    QTemporaryDir projectDir;
    QTemporaryDir home;
    QTemporaryDir emptyRoot;
    Services services{{.kitFolder = kitDir.path(), .scanRoot = emptyRoot.path(), .homeFolder = home.path()}};
    RecordingReporter reporter;
    RecordingExit exits;
    RecordingRoads roads;
    RecordingTools tools;
    // What the next start gives the window.
    ProjectRoads* roadsInUse = &roads;
    ProjectTools* toolsInUse = &tools;
    LookGuard look;
    ui::testing::ScriptedPrompter prompter;
    References references;
    std::unique_ptr<Editor> window;
};

}  // namespace editor::testing
