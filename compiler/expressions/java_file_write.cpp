#include "expressions/java_file_write.h"

#include <algorithm>
#include <stdexcept>

#include "driver/context.h"
#include "guard/outputs.h"
#include "guard/project_name.h"

namespace compiler {

namespace {

constexpr std::string_view kPhoneMainClose = "}catch(Exception err) { err.printStackTrace(); } };";
// The applet's startApp opens no try block, so only the method is closed.
constexpr std::string_view kAppletMainClose = "}";

// Nested in the generated class: the canvas base of every program canvas and its key-repeat thread.
constexpr std::string_view kKeyRepeatSupport[] = {
    "class TBCanvas extends Canvas implements KeyRepeater{",
    "public KeyRepeat m_repeat = new KeyRepeat(this);",
    "public TBCanvas() {\tm_repeat.start(); }",
    "public void paint(Graphics b){}",
    "public void performAction(int gameAction){} }",
    "interface KeyRepeater { public void performAction(int gameAction); }",
    "class KeyRepeat extends Thread {",
    "public boolean m_cancel = false;",
    "private long m_sleepTime = 50;",
    "private int m_gameAction = 0;",
    "private final KeyRepeater m_ui;",
    "public KeyRepeat(KeyRepeater ui) { m_ui = ui; }",
    "public void startRepeat(int gameAction) { m_gameAction = gameAction; }",
    "public void stopRepeat() { m_gameAction = 0; }",
    "public void run() {",
    "while (!m_cancel) {",
    "while (m_gameAction == 0 && !m_cancel) { Thread.yield(); }",
    "m_ui.performAction(m_gameAction);",
    "try { sleep(m_sleepTime); } catch (InterruptedException e) { } } } }",
};

}  // namespace

bool JavaFileWrite::usableClassName(const std::string& name) {
    return guard::isClassName(name);
}

JavaFileWrite::JavaFileWrite(Context& ctx, const std::string& filePath, const std::string& className)
    : ctx_(ctx), out_(filePath), file_(className) {}

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
    line(text);
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
        line("MainPanel = new Panel();");
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
    for (std::string_view text : kKeyRepeatSupport) line(text);
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
    std::string line(declaration);
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
