#include "small_dialogs.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <functional>

#include "colours.h"
#include "environment.h"
#include "error_dialogs.h"
#include "file_copy.h"
#include "files.h"
#include "references.h"

namespace editor {
namespace {

// A label that acts on a click (a press and a release over it); the pointer shows it is a link.
class LinkLabel : public QLabel {
public:
    LinkLabel(QWidget* parent, std::function<void()> clicked) : QLabel(parent), clicked_(std::move(clicked)) {
        setTextFormat(Qt::PlainText);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override { pressed_ = event->button() == Qt::LeftButton; }
    void mouseReleaseEvent(QMouseEvent* event) override {
        const bool click =
            pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
        pressed_ = false;
        if (click) clicked_();
    }

private:
    std::function<void()> clicked_;
    bool pressed_ = false;
};

}  // namespace

// ManualEntry

ManualEntry::ManualEntry(QWidget* owner, const QString& key, References& references)
    : DialogFrame(owner, "Project File", frames::manualEntry), references_(references) {
    initialize();
    label3->setText(getLocalizedText("Please enter a value for '") + key + "'");
    connect(okButton, &QPushButton::clicked, this, [this] { actionPerformed(okButton); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { actionPerformed(cancelButton); });
}

void ManualEntry::createComponents() {
    panel1 = newPanel("panel1");
    label1 = newLabel("label1");
    spacer1 = newPanel("spacer1");
    label2 = newWrappingLabel("label2");
    spacer2 = newPanel("spacer2");
    label3 = newLabel("label3");
    textfield1 = new QLineEdit(this);
    textfield1->setObjectName("textfield1");
    filler = newPanel("filler");
    buttonBar = newPanel("buttonBar");
    leftFiller = newPanel("leftFiller");
    rightFiller = newPanel("rightFiller");
    okButton = new QPushButton(this);
    okButton->setObjectName("okButton");
    cancelButton = new QPushButton(this);
    cancelButton->setObjectName("cancelButton");
}

void ManualEntry::initComponents() {
    label1->setText(getLocalizedText("Project File Error"));
    setTitleFont(label1, dialogTitleScale);
    label2->setText(getLocalizedText(
        "The project file you have specified does not have a required entry for the editor to successfully "
        "load your project. Please specify this entry yourself, or press 'Cancel' to stop the loading of "
        "this project."));
    label3->setText(getLocalizedText("Please enter a value for ''"));
    okButton->setText(getLocalizedText("OK"));
    okButton->setDefault(true);
    cancelButton->setText(getLocalizedText("Cancel"));
}

void ManualEntry::layoutComponents() {
    QGridLayout* rows = newRows(panel1);
    addRow(rows, 0, label1);
    addRow(rows, 1, spacer1);
    addRow(rows, 2, label2);
    addRow(rows, 3, spacer2);
    addRow(rows, 4, label3);
    addRow(rows, 5, textfield1);
    addFiller(rows, 6, filler);
    addButtonBar(rows, 7, buttonBar);
    layoutButtonBar(buttonBar, leftFiller, {okButton, cancelButton}, rightFiller);
}

void ManualEntry::actionPerformed(QPushButton* source) {
    if (source == cancelButton) {
        reject();
        return;
    }
    if (textfield1->text().isEmpty()) {
        colours::setBackground(textfield1, colours::attention);
        return;
    }
    references_.fixed = textfield1->text();
    accept();
}

// Closing the window answers like Cancel: the last prompt's answer must not stand in for this one.
void ManualEntry::reject() {
    references_.fixed = QString();
    DialogFrame::reject();
}

// OpenImage

OpenImage::OpenImage(QWidget* owner, const QString& imagePath, References& references)
    : DialogFrame(owner, "Open Image?", frames::openImage),
      references_(references),
      filename(imagePath),
      file(QFileInfo(imagePath).fileName()) {
    initialize();
    button3->setEnabled(references_.saved && !files().status(copyTarget()).exists);
    connect(button1, &QPushButton::clicked, this, [this] { actionPerformed(button1); });
    connect(button2, &QPushButton::clicked, this, [this] { actionPerformed(button2); });
    connect(button3, &QPushButton::clicked, this, [this] { actionPerformed(button3); });
}

QString OpenImage::copyTarget() const {
    return references_.LoadedPath + file;
}

void OpenImage::createComponents() {
    panel1 = newPanel("panel1");
    label1 = newWrappingLabel("label1");
    separator1 = new CustomSeparator(0, this);
    separator1->setObjectName("separator1");
    label2 = newLabel("label2");
    filler = newPanel("filler");
    buttonBar = newPanel("buttonBar");
    barFiller = newPanel("barFiller");
    button1 = new QPushButton(this);
    button1->setObjectName("button1");
    button2 = new QPushButton(this);
    button2->setObjectName("button2");
    button3 = new QPushButton(this);
    button3->setObjectName("button3");
}

void OpenImage::initComponents() {
    label1->setText(getLocalizedText(
        "You have clicked on an image file supported by Tesvo Zorid. If this image is used by your "
        "application, but is not currently in the same location then click 'Copy'. The image will then be "
        "copied into the directory alongside your source code. If you have started a new project, and not "
        "saved then this option will be unavailable. If you would like to open an image editing program to "
        "modify your image, click 'Edit Image'. Finally, to ignore this action then press 'Cancel'"));
    label2->setText(getLocalizedText("What would you like to do?"));
    button3->setText(getLocalizedText("Copy"));
    button2->setText(getLocalizedText("Edit Image"));
    button1->setText(getLocalizedText("Cancel"));
}

void OpenImage::layoutComponents() {
    QGridLayout* rows = newRows(panel1);
    addRow(rows, 0, label1);
    addRow(rows, 1, separator1);
    addRow(rows, 2, label2);
    addFiller(rows, 3, filler);
    addButtonBar(rows, 4, buttonBar);
    layoutButtonBar(buttonBar, barFiller, {button3, button2, button1});
}

void OpenImage::actionPerformed(QPushButton* source) {
    if (source == button3) {
        if (std::optional<QString> failure = FileCopy::copy(filename, copyTarget())) {
            showError(this, *failure, "Copy Image");
        }
    } else if (source == button2) {
        openLocalFile(filename, button2->text());
    }
    if (source == button1) {
        reject();
    } else {
        accept();
    }
}

// About

About::About(QWidget* owner) : DialogFrame(owner, "About Tesvo Zorid", frames::about) {
    initialize();
    versionLine->setText(getLocalizedText("Tesvo Zorid Version: ") + version);
    connect(button1, &QPushButton::clicked, this, &About::accept);
}

void About::createComponents() {
    panel1 = newPanel("panel1");
    heading = newLabel("heading");
    spacer1 = newPanel("spacer1");
    description = newWrappingLabel("description");
    spacer2 = newPanel("spacer2");
    versionLine = newLabel("versionLine");
    spacer3 = newPanel("spacer3");
    makerLink = new LinkLabel(this, [this] { openAddress(productPage(), windowTitle()); });
    makerLink->setObjectName("makerLink");
    filler = newPanel("filler");
    buttonBar = newPanel("buttonBar");
    barFiller = newPanel("barFiller");
    button1 = new QPushButton(this);
    button1->setObjectName("button1");
}

void About::initComponents() {
    heading->setText(getLocalizedText("Tesvo Zorid"));
    setTitleFont(heading, dialogTitleScale);
    heading->setAlignment(Qt::AlignCenter);
    description->setText(getLocalizedText(
        "Tesvo Zorid allows you to create and test games and applications for mobile phones, PDA's and "
        "smartphones on your Windows, Linux or Mac computer using the Tesvo Zorid language or Java. Tesvo "
        "Zorid is designed for new programmers and advance developers alike, featuring built in support for "
        "sprites, graphics, sounds, music, animation, video, network and multiplayer. The language uses the "
        "easy to use ZORID command set with a twist, the special commands makes it easier than ever to start "
        "programming great games! Tesvo Zorid's intelligent build system also enables professional "
        "programmers to develop in Java using the Tesvo Zorid extensive API set."));
    versionLine->setText(getLocalizedText("Tesvo Zorid Version"));
    versionLine->setAlignment(Qt::AlignCenter);
    makerLink->setText(getLocalizedText("Visit Tesvo Zorid on the web: www.tesvozorid.example"));
    makerLink->setAlignment(Qt::AlignCenter);
    colours::setTextColour(makerLink, QColor(51, 51, 255));
    button1->setText(getLocalizedText("Dismiss"));
}

void About::layoutComponents() {
    QGridLayout* rows = newRows(panel1);
    addRow(rows, 0, heading);
    addRow(rows, 1, spacer1);
    addRow(rows, 2, description);
    addRow(rows, 3, spacer2);
    addRow(rows, 4, versionLine);
    addRow(rows, 5, spacer3);
    addRow(rows, 6, makerLink);
    addFiller(rows, 7, filler);
    addButtonBar(rows, 8, buttonBar);
    layoutButtonBar(buttonBar, barFiller, {button1});
}

// AboutRuntime

AboutRuntime::AboutRuntime(QWidget* owner) : DialogFrame(owner, "About Qt", frames::aboutRuntime) {
    initialize();
    connect(okButton, &QPushButton::clicked, this, [this] { openAddress(runtimePage(), okButton->text()); });
    connect(cancelButton, &QPushButton::clicked, this, &AboutRuntime::accept);
}

QString AboutRuntime::runtimePage() {
    return "https://www.qt.io/";
}

void AboutRuntime::createComponents() {
    panel1 = newPanel("panel1");
    heading = newLabel("heading");
    spacer1 = newPanel("spacer1");
    description = newWrappingLabel("description");
    filler = newPanel("filler");
    buttonBar = newPanel("buttonBar");
    leftFiller = newPanel("leftFiller");
    rightFiller = newPanel("rightFiller");
    okButton = new QPushButton(this);
    okButton->setObjectName("okButton");
    cancelButton = new QPushButton(this);
    cancelButton->setObjectName("cancelButton");
}

void AboutRuntime::initComponents() {
    heading->setText(getLocalizedText("Qt ") + qVersion());
    setTitleFont(heading, dialogTitleScale);
    description->setText(getLocalizedText(
        "The Tesvo Zorid Editor has been compiled ahead of time into a native executable. It runs on the Qt "
        "libraries, a cross-platform application framework that draws its windows, menus and dialogs and "
        "gives it its files, processes and network connections."));
    okButton->setText(getLocalizedText("More Information"));
    cancelButton->setText(getLocalizedText("Dismiss"));
}

void AboutRuntime::layoutComponents() {
    QGridLayout* rows = newRows(panel1);
    addRow(rows, 0, heading);
    addRow(rows, 1, spacer1);
    addRow(rows, 2, description);
    addFiller(rows, 3, filler);
    addButtonBar(rows, 4, buttonBar);
    layoutButtonBar(buttonBar, leftFiller, {okButton, cancelButton}, rightFiller);
}

}  // namespace editor
