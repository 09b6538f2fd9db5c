#include "expressions/java_file_write.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "driver/context.h"
#include "driver/lookups.h"
#include "guard/outputs.h"
#include "guard/project_name.h"

namespace compiler {

namespace {

constexpr std::string_view kPhoneMainClose = "}catch(Exception err) { err.printStackTrace(); } };";
// The applet's startApp opens no try block, so only the method is closed.
constexpr std::string_view kAppletMainClose = "}";

// Nested in the generated class, the canvas base of every program canvas. On a phone the display calls
// showNotify, hideNotify and the key methods itself.
constexpr std::string_view kPhoneCanvas[] = {
    "class TBCanvas extends Canvas implements KeyRepeater{",
    "public KeyRepeat m_repeat = new KeyRepeat(this);",
    "public TBCanvas() {\tm_repeat.start(); }",
    "public void paint(Graphics b){}",
    "public void performAction(int gameAction){} }",
};

// An AWT canvas gets none of the phone's calls: the canvas turns "showing" changes into showNotify and
// hideNotify (so LOOP runs only while it is on the page), and AWT keys into the phone's key codes, the
// codes GETKEY() and UPKEY() ... give. Its key-repeat thread lives only while it is shown, so a stopped
// or left page keeps no thread. update paints without clearing first, as a phone's repaint does.
constexpr std::string_view kAppletCanvas[] = {
    "class TBCanvas extends Canvas implements KeyRepeater{",
    "public volatile KeyRepeat m_repeat = new KeyRepeat(this);",
    "private boolean m_shown = false;",
    "public TBCanvas() {",
    "addHierarchyListener(new HierarchyListener() {",
    "public void hierarchyChanged(HierarchyEvent e) { updateShown(); } });",
    "addMouseListener(new MouseAdapter() {",
    "public void mousePressed(MouseEvent e) { TBCanvas.this.requestFocus(); } });",
    "addKeyListener(new KeyAdapter() {",
    "public void keyPressed(KeyEvent e) { int key = gameKey(e);",
    "if (key != 0) TBCanvas.this.keyPressed(key); }",
    "public void keyReleased(KeyEvent e) { int key = gameKey(e);",
    "if (key != 0) TBCanvas.this.keyReleased(key); } }); }",
    "private synchronized void updateShown() {",
    "if (isShowing() == m_shown) return;",
    "m_shown = !m_shown;",
    "if (m_shown) { m_repeat = new KeyRepeat(this); m_repeat.start(); showNotify(); requestFocus(); }",
    "else { m_repeat.cancel(); hideNotify(); } }",
    "private int gameKey(KeyEvent e) {",
    "switch (e.getKeyCode()) {",
    "case KeyEvent.VK_UP: case KeyEvent.VK_KP_UP: return -1;",
    "case KeyEvent.VK_DOWN: case KeyEvent.VK_KP_DOWN: return -2;",
    "case KeyEvent.VK_LEFT: case KeyEvent.VK_KP_LEFT: return -3;",
    "case KeyEvent.VK_RIGHT: case KeyEvent.VK_KP_RIGHT: return -4;",
    "case KeyEvent.VK_ENTER: case KeyEvent.VK_SPACE: return -5;",
    "case KeyEvent.VK_BACK_SPACE: case KeyEvent.VK_DELETE: return -8; }",
    "char c = e.getKeyChar();",
    "return c == KeyEvent.CHAR_UNDEFINED || c < ' ' ? 0 : c; }",
    "protected void showNotify(){}",
    "protected void hideNotify(){}",
    "public void keyPressed(int keyCode){}",
    "public void keyReleased(int keyCode){}",
    "public void update(Graphics b){ paint(b); }",
    "public void paint(Graphics b){}",
    "public void performAction(int gameAction){} }",
};

// The key-repeat thread of a canvas: it waits on its monitor until a key is held (or a press is still to
// be performed: a key released before the thread woke still runs its action once) or it is cancelled,
// then performs the key every 50 ms while it is held. Every field it shares with the event thread is read
// and written under the monitor.
constexpr std::string_view kKeyRepeat[] = {
    "interface KeyRepeater { public void performAction(int gameAction); }",
    "class KeyRepeat extends Thread {",
    "private boolean m_cancel = false;",
    "private long m_sleepTime = 50;",
    "private int m_gameAction = 0;",
    "private int m_pressed = 0;",
    "private final KeyRepeater m_ui;",
    "public KeyRepeat(KeyRepeater ui) { m_ui = ui; }",
    "public synchronized void startRepeat(int gameAction) {",
    "m_gameAction = gameAction; m_pressed = gameAction; notifyAll(); }",
    "public synchronized void stopRepeat() { m_gameAction = 0; }",
    "public synchronized void cancel() { m_cancel = true; notifyAll(); }",
    "private synchronized int nextAction() throws InterruptedException {",
    "while (m_gameAction == 0 && m_pressed == 0 && !m_cancel) { wait(); }",
    "int action = m_cancel ? 0 : m_gameAction != 0 ? m_gameAction : m_pressed;",
    "m_pressed = 0;",
    "return action; }",
    "public void run() {",
    "try { for (int action = nextAction(); action != 0; action = nextAction()) {",
    "m_ui.performAction(action);",
    "sleep(m_sleepTime); } } catch (InterruptedException e) { } } }",
};

// The applet's life cycle: a stopped applet hides its canvas, which stops its LOOP; started, it shows it.
constexpr std::string_view kAppletLifeCycle[] = {
    "public void start() { MainPanel.setVisible(true); }",
    "public void stop() { MainPanel.setVisible(false); }",
};

// The applet's IMAGE: a resource that is not there, or not an image, is an IOException as on a phone
// (ImageIO would throw IllegalArgumentException for the first and give null for the second).
constexpr std::string_view kAppletImageRead[] = {
    "Image readImage(String name) throws IOException {",
    "java.net.URL url = getClass().getResource(name);",
    "if (url == null) throw new FileNotFoundException(name);",
    "Image image = javax.imageio.ImageIO.read(url);",
    "if (image == null) throw new IOException(\"Not an image: \" + name);",
    "return image; }",
};

bool identifierStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '$';
}

bool identifierPart(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$';
}

// The end of the text or character literal that starts at `at` (its closing quote included).
std::size_t literalEnd(std::string_view text, std::size_t at) {
    const char quote = text[at];
    std::size_t i = at + 1;
    while (i < text.size() && text[i] != quote) i += text[i] == '\\' ? 2 : 1;
    return std::min(i + 1, text.size());
}

}  // namespace

std::string qualifyProgramNames(std::string_view text, const std::vector<std::string>& hidden,
                                std::string_view className) {
    std::string java;
    java.reserve(text.size());
    bool own = false;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == Helpers::kOwnNameMark) {
            own = true;
            ++i;
        } else if (c == '"' || c == '\'') {
            const std::size_t end = literalEnd(text, i);
            java.append(text.substr(i, end - i));
            i = end;
        } else if (c == '/' && i + 1 < text.size() && (text[i + 1] == '/' || text[i + 1] == '*')) {
            const bool line = text[i + 1] == '/';
            const std::size_t close = line ? text.find('\n', i) : text.find("*/", i + 2);
            const std::size_t end = close == std::string_view::npos ? text.size() : close + (line ? 0 : 2);
            java.append(text.substr(i, end - i));
            i = end;
        } else if (identifierStart(c) || std::isdigit(static_cast<unsigned char>(c))) {
            std::size_t end = i;
            while (end < text.size() && identifierPart(text[end])) ++end;
            const std::string_view word = text.substr(i, end - i);
            const std::size_t before = java.find_last_not_of(" \t");
            const std::size_t after = text.find_first_not_of(" \t", end);
            const bool selected = before != std::string::npos && java[before] == '.';
            const bool called = after != std::string_view::npos && text[after] == '(';
            const bool made =
                before != std::string::npos && before >= 2 && java.compare(before - 2, 3, "new") == 0;
            if (!own && !selected && !called && !made && identifierStart(c) &&
                std::find(hidden.begin(), hidden.end(), word) != hidden.end()) {
                java.append(className);
                java.append(".this.");
            }
            java.append(word);
            own = false;
            i = end;
        } else {
            java += c;
            ++i;
        }
    }
    return java;
}

bool JavaFileWrite::usableClassName(const std::string& name) {
    return guard::isClassName(name);
}

JavaFileWrite::JavaFileWrite(Context& ctx, const std::string& filePath, const std::string& className)
    : ctx_(ctx), out_(filePath, "", "", ctx.project.shown(filePath)), file_(className) {}

std::string_view JavaFileWrite::mainSectionClose(const Project& project) {
    return project.isJ2ME() ? kPhoneMainClose : kAppletMainClose;
}

bool JavaFileWrite::phone() const {
    return ctx_.project.isJ2ME();
}

void JavaFileWrite::line(std::string_view text) {
    out_.put(text);
    out_.put("\n");
    auto& lines = ctx_.javaLines;
    lines.insert(lines.end(), static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1,
                 ctx_.statement);
}

void JavaFileWrite::Write(std::string_view text) {
    line(qualifyProgramNames(text, ctx_.line.hiddenNames, file_));
}

void JavaFileWrite::WriteLn() {
    line("");
}

void JavaFileWrite::WriteHeader() {
    const Library& lib = ctx_.library;
    line("package Game;");
    line("");
    line("import java.io.*;");
    line("import java.util.*;");
    if (!phone()) {
        line("import java.applet.*;");
        line("import java.awt.*;");
        line("import java.awt.event.*;");
        line("public class " + file_ + " extends Applet implements ActionListener {");
        line("");
        line("Color ColorTemp;");
        line("Panel MainPanel;");
    } else {
        line("import javax.microedition.midlet.*;");
        line("import javax.microedition.lcdui.*;");
        line("import javax.microedition.lcdui.game.*;");
        // The map library's Game.List and Game.Layer would otherwise hide the phone's own.
        if (lib.usesMappy()) {
            line("import javax.microedition.lcdui.List;");
            line("import javax.microedition.lcdui.game.Layer;");
        }
        if (lib.usesMM()) {
            line("import javax.microedition.media.*;");
            line("import javax.microedition.media.control.*;");
        }
        if (lib.uses3D()) line("import javax.microedition.m3g.*;");
        line("public class " + file_ + " extends MIDlet implements CommandListener {");
        line("");
        if (lib.usesMM()) line("VideoControl videoControl;");
        if (lib.usesMappy()) line("private MapViewer m_mapViewer;");
        if (lib.uses3D()) {
            line("Graphics3D g3d;");
            line("Background background = new Background();");
            line("Fog fog;");
            line("Image2D image2D;");
            line("Texture2D texture2D;");
            line("Transform tTransform = new Transform();");
        }
        line("Include inc;");
        if (lib.usesSound) line("       IncludeSound incSound;");
        if (lib.usesMidi) line("       IncludeMidi incMidi;");
        if (lib.usesImage) line("       IncludeImage incImage;");
        if (lib.usesVideo) line("       IncludeVideo incVideo;");
        line("LayerManager layers = new LayerManager();");
        line("TiledLayer tiles;");
        line("Alert alert;");
        line("Display display;");
    }
    // getForVariable() is "" without FOR variables, which leaves the empty line in place.
    line(lib.getForVariable());
    line("int LastKey = 0;");
    line("int GameTemp = 0;");
    line("Random generator = new Random( System.currentTimeMillis() );");
    line("public Graphics g;");
}

void JavaFileWrite::WriteStart() {
    startWritten_ = true;
    const Objects& objects = ctx_.objects;
    // A name loaded twice is registered twice but declared once: a second field would not compile.
    auto declare = [this](const NameList& kind, const std::string& type) {
        for (int i = 0; i < kind.count(); ++i) {
            if (kind.indexOf(kind.at(i)) == i) line(type + kind.at(i) + ";");
        }
    };
    declare(objects.Images, "Image ");
    declare(objects.ImageArray, "Image[] ");
    declare(objects.Sprites, "Sprite ");
    declare(objects.SpriteArray, "Sprite[] ");
    if (phone()) {
        declare(objects.ObjectNames, "Mesh ");
        declare(objects.ObjectArray, "Mesh[] ");
    }
    const std::vector<std::string>& canvases = objects.Canvas.names();
    for (std::size_t i = 0; i < canvases.size(); ++i) {
        line("TBCanvas " + canvases[i] + ";");
        line("Timer timer" + std::to_string(i) + ";");
    }
    line("public " + file_ + "() {");
    // g3d is declared by the MIDlet's header only; the applet has no 3D package.
    if (ctx_.library.uses3D() && phone()) {
        line("g3d = Graphics3D.getInstance();");
        // What 3D.CLEAR and the worlds clear with until 3D.SETBACKGROUNDCOLOR says otherwise.
        line("background.setColor(0xf54588);");
    }
    line("}");
}

void JavaFileWrite::WriteMain() {
    mainWritten_ = true;
    const Library& lib = ctx_.library;
    if (!phone()) {
        // A browser starts an applet through init, once; startApp is the MIDlet's own start.
        line("public void init() {");
        // The shown canvas fills the panel, and the panel the applet: the size the page gives it.
        line("setLayout(new BorderLayout());");
        line("MainPanel = new Panel(new BorderLayout());");
        line("add(MainPanel);");
    } else {
        line("public void startApp() {");
        line("\ttry{");
        line("       display = Display.getDisplay(this);");
        line("       inc = new Include(Display.getDisplay(this));");
        if (lib.usesSound) line("       incSound = new IncludeSound();");
        if (lib.usesMidi) line("       incMidi = new IncludeMidi();");
        if (lib.usesImage) line("       incImage = new IncludeImage();");
        if (lib.usesVideo) line("       incVideo = new IncludeVideo();");
    }
    line("");
}

void JavaFileWrite::WritePause() {
    line("public void pauseApp() {");
}

void JavaFileWrite::WriteDestroy() {
    line("public void destroyApp(boolean unconditional) {");
}

void JavaFileWrite::WriteCommandAction() {
    line(phone() ? "public void commandAction(Command C, Displayable s) {"
                 : "public void actionPerformed(ActionEvent C) {");
}

void JavaFileWrite::WriteCanvasPaint() {
    line("public void paint(Graphics b) {");
    line("g = b;");
}

void JavaFileWrite::WriteEnd() {
    const Library& lib = ctx_.library;
    // A program that never left its declarations still needs its constructor and startApp.
    if (!startWritten_) WriteStart();
    if (!mainWritten_) WriteMain();
    if (!lib.endFound) line(mainSectionClose(ctx_.project));
    if (!lib.getPauseFunc()) {
        WritePause();
        line("}");
    }
    if (!lib.getCommandFunc()) {
        WriteCommandAction();
        line("}");
    }
    if (!lib.getEndFunc()) {
        WriteDestroy();
        line("}");
    }
    if (!phone()) {
        for (std::string_view text : kAppletLifeCycle) line(text);
        for (std::string_view text : kAppletImageRead) line(text);
        for (std::string_view text : kAppletCanvas) line(text);
    } else {
        for (std::string_view text : kPhoneCanvas) line(text);
    }
    for (std::string_view text : kKeyRepeat) line(text);
    line("}");
}

void JavaFileWrite::Close() {
    // The mark of a source the compiler generated: the next compile may replace or delete it.
    line(guard::kGeneratedMarker);
    out_.close();
}

void JavaFileWrite::beginFunction() {
    out_.hold(true);
    function_ = out_.position();
    locals_ = 0;
    localLine_ = ctx_.javaLines.size() + 1;
}

void JavaFileWrite::declareLocal(std::string_view declaration) {
    if (!function_) throw std::logic_error("a local declared outside a function");
    if (locals_ == 0) {
        // The head is the first line written after the function began.
        const std::size_t end = out_.find('\n', *function_);
        if (end == std::string::npos) throw std::logic_error("a local declared before its function's head");
        locals_ = end + 1;
    }
    std::string line = qualifyProgramNames(declaration, ctx_.line.hiddenNames, file_);
    line += '\n';
    out_.insert(locals_, line);
    locals_ += line.size();
    auto& lines = ctx_.javaLines;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(std::min(localLine_++, lines.size())),
                 ctx_.statement);
}

void JavaFileWrite::endFunction() {
    function_.reset();
    out_.hold(false);
}

}  // namespace compiler
