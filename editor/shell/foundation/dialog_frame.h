#pragma once
// The frame every editor dialog is built on: a size derived from the screen by a fixed rule, margins that
// scale with it, one column of rows, a button bar at the right, centred on the primary screen when shown.
#include <QDialog>
#include <QList>
#include <QMargins>
#include <QSize>
#include <QString>

class QGridLayout;
class QLabel;

namespace editor {

// The reference width of a screen and the aspect correction of 1280 x 1024 screens, whose pixels are not
// square on the monitors they were made for.
struct ScreenMetrics {
    int screenSize;
    double pixelAspectRatio;
};

ScreenMetrics screenMetrics(int width, int height);
// The minimum size of a dialog with the factors `widthFactor` x `heightFactor`.
QSize windowSizeFor(const ScreenMetrics& screen, double widthFactor, double heightFactor);
// Margins given in thousandths of the screen size, in pixels.
QMargins translateMargins(const ScreenMetrics& screen, int top, int left, int bottom, int right);
// A heading's point size: `pointSize` times `factor`, in single precision.
float titleFontSize(int pointSize, float factor);

inline constexpr float errorTitleScale = 1.7f;
inline constexpr float dialogTitleScale = 1.6f;
inline constexpr float panelTitleScale = 1.3f;

// Each dialog's size factors and window behaviour. The factors are used exactly as written: some are one
// double off the quotient they stand for, and the truncated sizes show it.
struct FrameRule {
    double widthFactor;
    double heightFactor;
    bool modal;
    bool resizable;
};

namespace frames {
inline constexpr FrameRule error{0.37109375, 0.1578125, true, false};
inline constexpr FrameRule warning{0.37109375, 0.1671875, true, false};
inline constexpr FrameRule newInstall{0.3640625, 0.30546875, true, true};
inline constexpr FrameRule preferences{0.3640625, 0.33515625, false, true};
inline constexpr FrameRule manualEntry{0.30703125, 0.18671875000000002, true, false};
inline constexpr FrameRule openImage{0.31796875, 0.15078125, true, false};
inline constexpr FrameRule about{0.34687500000000004, 0.34296875, false, true};
inline constexpr FrameRule aboutRuntime{0.30234375, 0.18046875, true, true};
inline constexpr FrameRule proxySettings{0.3484375, 0.12421875, true, false};
inline constexpr FrameRule projectScreen{0.2609375, 0.16953125, true, false};
inline constexpr FrameRule update{0.3640625, 0.33671875, true, false};
inline constexpr FrameRule typeCreator{0.36484374999999997, 0.33671875, true, false};
inline constexpr FrameRule addProject{0.3078125, 0.14609375, false, true};
inline constexpr FrameRule openProject{0.36484374999999997, 0.13125, true, false};
// Panels inside other windows: sized by the same rule, the window behaviour is their host's.
inline constexpr FrameRule j2me{0.171875, 0.31640625, false, true};
inline constexpr FrameRule j2mePanel{0.19296875, 0.31640625, false, true};
// sqrt(0.1 * 4 / 3) and sqrt(0.1 * 3 / 4)
inline constexpr FrameRule j2meCompile{0.3651483716701107, 0.2738612787525831, true, false};
}  // namespace frames

// The frame's row building, for panels inside other windows that follow its rules (DialogFrame's members
// of the same names are these, with the dialog as parent).
namespace frame {
QLabel* newLabel(QWidget* parent, const char* name);
QLabel* newWrappingLabel(QWidget* parent, const char* name);
void setTitleFont(QLabel* label, float factor);
QGridLayout* newRows(QWidget* panel);
void addRow(const ScreenMetrics& screen, QGridLayout* rows, int row, QWidget* widget, int column = 0,
            int columnSpan = 1);
void addFiller(QGridLayout* rows, int row, QWidget* filler);
}  // namespace frame

// A horizontal (orientation 0) or vertical rule between rows.
class CustomSeparator : public QWidget {
    Q_OBJECT
public:
    explicit CustomSeparator(int orientation, QWidget* parent = nullptr);
};

class DialogFrame : public QDialog {
    Q_OBJECT
public:
    const QString& titleText() const { return titleText_; }
    int screenSize() const { return screen_.screenSize; }
    double pixelAspectRatio() const { return screen_.pixelAspectRatio; }
    QSize windowSize() const { return windowSize_; }

    // Showing packs the window, grows it to windowSize() where it is smaller and centres it on the primary
    // screen; a modal dialog is shown with exec().
    void setVisible(bool visible) override;

protected:
    DialogFrame(QWidget* owner, const QString& title, const FrameRule& rule);

    // The derived constructor calls this first: it runs the building steps in their order, then gives the
    // window its title, modality, size rule and the content panel `panel1`.
    void initialize();
    void calculateScreenSize();
    void calculateWindowSize();
    virtual void createComponents() = 0;
    virtual void initComponents() = 0;
    virtual void layoutComponents() = 0;

    QMargins translateMargins(int top, int left, int bottom, int right) const;
    // Dialog texts are fixed texts of their classes, not message-table keys.
    static QString getLocalizedText(const QString& text) { return text; }

    // Building blocks for the rows of a panel.
    QWidget* newPanel(const char* name);
    QLabel* newLabel(const char* name);
    // Any other component: made with the dialog as parent and named, so tests find it by name.
    template <typename Part>
    Part* newPart(const char* name) {
        auto* part = new Part(this);
        part->setObjectName(name);
        return part;
    }
    // A label for long texts: wraps at word boundaries and can be selected, as a read-only text area.
    QLabel* newWrappingLabel(const char* name);
    void setTitleFont(QLabel* label, float factor);
    // One column of rows in `panel`, nothing between them but the cells' own margins.
    QGridLayout* newRows(QWidget* panel);
    // A row with the cell margins of the frame (2 each way). In label-and-field rows the label takes column
    // 0 and the field column 1; a `columnSpan` of -1 reaches the last column.
    void addRow(QGridLayout* rows, int row, QWidget* widget, int column = 0, int columnSpan = 1);
    // The filler row that takes the spare height, and the button bar: rows without margins, as wide as all
    // columns.
    void addFiller(QGridLayout* rows, int row, QWidget* filler);
    void addButtonBar(QGridLayout* rows, int row, QWidget* bar);
    // Lays out `bar`: `filler`, then the buttons, then `trailingFiller` if any (which centres them).
    void layoutButtonBar(QWidget* bar, QWidget* filler, const QList<QWidget*>& buttons,
                         QWidget* trailingFiller = nullptr);

    QWidget* panel1 = nullptr;  // the dialog's rows, which createComponents makes

private:
    void placeOnScreen();

    QString title_;
    FrameRule rule_;
    QString titleText_;
    ScreenMetrics screen_{0, 1.0};
    QSize windowSize_;
    bool placed_ = false;
};

}  // namespace editor
