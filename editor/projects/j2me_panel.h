#pragma once
// The J2ME options panel below the project tree: five check boxes for the option flags of projects
// written in Java. Not a dialog, but laid out by the dialog frame's rules.
#include <QCheckBox>
#include <QSize>
#include <QWidget>

#include "dialog_frame.h"

class QLabel;

namespace editor {

class CustomSeparator;
class References;

class J2MEPanel : public QWidget {
    Q_OBJECT
public:
    // The boxes start unticked and disabled.
    explicit J2MEPanel(References& references, QWidget* parent = nullptr);

    int screenSize() const { return screen_.screenSize; }
    double pixelAspectRatio() const { return screen_.pixelAspectRatio; }
    QSize windowSize() const { return windowSize_; }

    // The language switch enables and disables the boxes all together.
    void enableOptions(bool enabled);
    // The boxes tick as the project's flags are set.
    void showOptions();
    // Every box unticked, the flags left as they are.
    void clearOptions();

private:
    void initialize();
    void calculateScreenSize();
    void calculateWindowSize();
    void createComponents();
    void initComponents();
    void layoutComponents();
    // Whichever box was clicked, all five flags take their boxes' states.
    void actionPerformed();

    References& references_;
    ScreenMetrics screen_{0, 1.0};
    QSize windowSize_;
    QWidget* panel1 = nullptr;              // the rows of the panel
    QWidget* panel2 = nullptr;              // the filler under them
    QLabel* label1 = nullptr;               // "J2ME Options"
    QLabel* label2 = nullptr;               // what the options do
    QLabel* label3 = nullptr;               // "Options below require CLDC 1.1"
    QLabel* label4 = nullptr;               // "High compatibility options"
    QLabel* label5 = nullptr;               // "Options below require JSR-182 extensions"
    CustomSeparator* separator1 = nullptr;  // under the explanation
    CustomSeparator* separator2 = nullptr;  // under the JSR-182 heading
    CustomSeparator* separator3 = nullptr;  // above the CLDC 1.1 heading
    CustomSeparator* separator4 = nullptr;  // under the CLDC 1.1 heading
    CustomSeparator* separator5 = nullptr;  // under the high-compatibility heading
    CustomSeparator* separator7 = nullptr;  // above the JSR-182 heading
    CustomSeparator* separator8 = nullptr;  // above the title
    QCheckBox* checkbox1 = nullptr;         // usesInclude
    QCheckBox* checkbox2 = nullptr;         // usesMappy
    QCheckBox* checkbox3 = nullptr;         // usesFloats
    QCheckBox* checkbox4 = nullptr;         // usesMM
    QCheckBox* checkbox5 = nullptr;         // uses3D
};

}  // namespace editor
