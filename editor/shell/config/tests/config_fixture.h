#pragma once
// What the configuration tests share: a kit folder of their own with tools made on request, the scan's
// root walk pointed at an empty folder, failure reports recorded, and the wizard answered while it runs
// modally.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "editor_testing.h"
#include "gui_harness.h"
#include "new_install.h"
#include "ui_defaults.h"

namespace editor::testing {

template <typename T>
T* part(QWidget* window, const char* name) {
    T* found = window->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

inline QStringList items(QWidget* wizard, const char* list) {
    QStringList texts;
    auto* box = part<QComboBox>(wizard, list);
    for (int i = 0; i < box->count(); ++i) texts.append(box->itemText(i));
    return texts;
}

inline bool scanFinished(QWidget* wizard) {
    return part<QLabel>(wizard, "label2")->text() == "Finished";
}

// Acts on the first-run wizard once it is shown (the modal showing runs the event loop); closes it through
// its close box unless told otherwise. Counts the showings.
class WizardWatch {
public:
    explicit WizardWatch(std::function<void(NewInstall&)> act = [](NewInstall& wizard) { wizard.close(); })
        : act_(std::move(act)) {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* wizard = qobject_cast<NewInstall*>(window);
                if (!wizard || !wizard->isVisible()) continue;
                ++shown;
                timer_.stop();
                act_(*wizard);
                return;
            }
        });
        timer_.start();
    }
    int shown = 0;

private:
    std::function<void(NewInstall&)> act_;
    QTimer timer_;
};

// Puts the application's style, palette and the defaults table back as they were.
class LookGuard {
public:
    LookGuard() : style_(QApplication::style()->name()), palette_(QApplication::palette()) {}
    ~LookGuard() {
        if (QApplication::style()->name() != style_) QApplication::setStyle(QStyleFactory::create(style_));
        QApplication::setPalette(palette_);
        ui::clearDefaults();
    }

private:
    QString style_;
    QPalette palette_;
};

class ConfigTest : public ::testing::Test {
protected:
    QString kit(const QString& relative = {}) const { return dir.path() + "/" + relative; }
    QString config() const { return kit("Config.cfg"); }
    // A Java tool folder and a toolkit under the kit folder.
    void makeTools(const QString& java = "java/", const QString& toolkit = "wtk/") {
        writeFile(kit(java + "javac"), "tool");
        writeFile(kit(toolkit + "bin/preverify"), "tool");
    }

    QTemporaryDir dir;
    QTemporaryDir emptyRoot;
    KitFolder kitFolder{dir.path()};
    ScanRoot scanRoot{emptyRoot.path()};
    RecordingReporter reporter;
    LookGuard look;
};

}  // namespace editor::testing
