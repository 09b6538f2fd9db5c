// Drawing through the paint routine's graphics object `g`: the phone's profile graphics, or the applet's
// desktop graphics where a call differs.
#include <cstdint>
#include <memory>
#include <string>

#include "driver/byte_codes.h"
#include "driver/context.h"
#include "driver/errors.h"
#include "driver/lookups.h"
#include "driver/messages.h"
#include "driver/writer.h"
#include "expressions/arguments.h"
#include "statements/convertor.h"
#include "statements/screen_statements.h"

namespace compiler {
namespace {

using screen::bytesOf;
using screen::hasArguments;
using screen::nameFrame;
using screen::noByteForm;
using screen::notOnThisTarget;

std::unique_ptr<InterfaceArguments> arguments(Convertor& c) {
    return newArguments(c.ctx);
}

// The common shape: a count check with the statement's key, then `head` + the translated arguments
// + `tail`. The byte-token form writes the statement's `code` and the arguments' tokens.
std::string graphicsCall(Convertor& c, int count, MessageKey key, std::string_view pattern,
                         std::string_view code, const std::string& head, std::string_view tail = ");") {
    if (!hasArguments(c, count)) throw CompileException(res(key));
    auto a = arguments(c);
    std::string text = a->HandleArguments(pattern, 1, 1);
    if (!c.ctx.project.isJava()) {
        c.out.writeByte(std::string(code) + bytesOf(*a));
        return "TBD";
    }
    return head + text + std::string(tail);
}

// The phone's anchor for images and text; the applet draws from the top left without one.
std::string anchorTail(const Convertor& c) {
    return c.ctx.project.isApplet() ? ",this);" : ",Graphics.TOP | Graphics.LEFT);";
}

// Layers and sprites belong to the phone's game package; the applet declares neither.
void refuseOnApplet(const Convertor& c) {
    if (c.ctx.project.isApplet()) notOnThisTarget();
}

struct FontWord {
    const char* word;
    const char* phone;   // the profile's constant
    const char* applet;  // the desktop equivalent
    std::int32_t code;   // its number in byte tokens
};

FontWord findFontWord(const std::string& word, std::initializer_list<FontWord> rows, MessageKey key) {
    for (const FontWord& row : rows) {
        if (word == row.word) return row;
    }
    throw CompileException(res(key));
}

}  // namespace

std::optional<std::string> setClipStatement(Convertor& c) {
    return graphicsCall(c, 4, "Error_SetClip", "I,I,I,I", ByteCodes::setClip, "g.setClip(");
}

// Clears the screen to white and restores the colour. Outside a canvas the generated class is the
// MIDlet, which has no size of its own; the current screen's size is used there.
std::optional<std::string> clsStatement(Convertor& c) {
    const Project& project = c.ctx.project;
    if (!project.isJava()) {
        c.out.writeByte(ByteCodes::cls);
        return std::string("TBD");
    }
    std::string size = "getWidth(), getHeight()";
    if (project.isJ2ME() && c.ctx.scope.CurrentCanvas.empty()) {
        size = "display.getCurrent().getWidth(), display.getCurrent().getHeight()";
    }
    if (project.isApplet()) {
        c.out.Write("ColorTemp = g.getColor();");
        c.out.Write("g.setColor(new Color(255, 255, 255));");
        c.out.Write("g.fillRect(0, 0, " + size + ");");
        return std::string("g.setColor(ColorTemp);");
    }
    c.out.Write("GameTemp = g.getColor();");
    c.out.Write("g.setColor(255, 255, 255);");
    c.out.Write("g.fillRect(0, 0, " + size + ");");
    return std::string("g.setColor(GameTemp);");
}

std::optional<std::string> setColorStatement(Convertor& c) {
    if (c.ctx.project.isApplet()) {
        return graphicsCall(c, 3, "Error_SetColor", "I,I,I", ByteCodes::setColor, "g.setColor(new Color(",
                            "));");
    }
    return graphicsCall(c, 3, "Error_SetColor", "I,I,I", ByteCodes::setColor, "g.setColor(");
}

std::optional<std::string> setGreyStatement(Convertor& c) {
    if (!hasArguments(c, 1)) throw CompileException(res("Error_SetGrey"));
    if (c.ctx.project.isApplet()) {
        c.ctx.console.line(res("Warning_This_command_is"));
        return std::string("// SetGrey is not supported on this platform");
    }
    return graphicsCall(c, 1, "Error_SetGrey", "I", ByteCodes::setGrey, "g.setGrayScale(");
}

std::optional<std::string> drawLineStatement(Convertor& c) {
    return graphicsCall(c, 4, "Error_DrawLine", "I,I,I,I", ByteCodes::drawLine, "g.drawLine(");
}

std::optional<std::string> drawRectangleStatement(Convertor& c) {
    return graphicsCall(c, 4, "Error_DrawRectangle", "I,I,I,I", ByteCodes::drawRect, "g.drawRect(");
}

std::optional<std::string> drawFilledRectangleStatement(Convertor& c) {
    return graphicsCall(c, 4, "Error", "I,I,I,I", ByteCodes::drawFillRect, "g.fillRect(");
}

// The byte-token targets draw no round corners: the plain rectangle with all six arguments, and a
// warning.
void warnReplacedOnBytes(const Convertor& c) {
    if (!c.ctx.project.isJava() && hasArguments(c, 6))
        c.ctx.console.line(res("Warning_This_command_is_replaced"));
}

std::optional<std::string> drawRoundRectangleStatement(Convertor& c) {
    warnReplacedOnBytes(c);
    return graphicsCall(c, 6, "Error", "I,I,I,I,I,I", ByteCodes::drawRect, "g.drawRoundRect(");
}

std::optional<std::string> drawRoundFilledRectangleStatement(Convertor& c) {
    warnReplacedOnBytes(c);
    return graphicsCall(c, 6, "Error", "I,I,I,I,I,I", ByteCodes::drawFillRect, "g.fillRoundRect(");
}

std::optional<std::string> drawArcStatement(Convertor& c) {
    return graphicsCall(c, 6, "Error_DrawArc", "I,I,I,I,I,I", ByteCodes::drawArc, "g.drawArc(");
}

std::optional<std::string> drawFilledArcStatement(Convertor& c) {
    return graphicsCall(c, 6, "Error_DrawFilledArc", "I,I,I,I,I,I", ByteCodes::drawFillArc, "g.fillArc(");
}

std::optional<std::string> setPointStatement(Convertor& c) {
    return graphicsCall(c, 2, "Error_SetPoint", "I,I", ByteCodes::setPoint, "g.translate(");
}

// The applet's graphics take a stroke instead of a style: a one-pixel dash pattern for DOTTED.
std::optional<std::string> drawStyleStatement(Convertor& c) {
    if (!hasArguments(c, 1)) throw CompileException(res("Error_DrawStyle"));
    const std::string& style = c.token(1);
    if (c.tokenCount() != 2 || (style != "DOTTED" && style != "SOLID")) {
        throw CompileException(res("Error_DrawStyle_only"));
    }
    const Project& project = c.ctx.project;
    if (!project.isJava()) {
        c.out.writeByte(style == "SOLID" ? ByteCodes::setDrawSolid : ByteCodes::setDrawDotted);
        return std::string("TBD");
    }
    if (project.isApplet()) {
        if (style == "SOLID") return std::string("((Graphics2D) g).setStroke(new BasicStroke());");
        return std::string(
            "((Graphics2D) g).setStroke(new BasicStroke(1.0f, BasicStroke.CAP_BUTT, "
            "BasicStroke.JOIN_MITER, 1.0f, new float[] {1.0f, 1.0f}, 0.0f));");
    }
    return "g.setStrokeStyle(Graphics." + style + ");";
}

std::optional<std::string> imageDrawStatement(Convertor& c) {
    if (!hasArguments(c, 3)) throw CompileException(res("Error_Image_Draw"));
    Helpers helpers(c.ctx);
    const std::string& image = c.token(1);
    if (helpers.Image(image) < 0 || helpers.ImageArray(image) >= 0)
        throw CompileException(res("Error_Image_name"));
    auto a = arguments(c);
    const std::string place = a->HandleArguments("I,I", 1, 2);
    if (!c.ctx.project.isJava()) {
        c.out.writeByte(nameFrame(ByteCodes::drawImage, image) + bytesOf(*a));
        return std::string("TBD");
    }
    return "g.drawImage(" + image + "," + place + anchorTail(c);
}

// IMAGE.DRAWARRAY images, x, y, index.
std::optional<std::string> imageDrawArrayStatement(Convertor& c) {
    if (!hasArguments(c, 4)) throw CompileException(res("Error_Image_DrawArray"));
    if (!c.ctx.project.isJava()) noByteForm("IMAGE.DRAWARRAY");
    const std::string& images = c.token(1);
    if (Helpers(c.ctx).ImageArray(images) < 0) throw CompileException(res("Error_Image_name"));
    auto a = arguments(c);
    const std::string index = a->HandleArguments("I", 1, 4);
    const std::string place = a->HandleArguments("I,I", 1, 2);
    return "g.drawImage(" + images + "[" + index + "]," + place + anchorTail(c);
}

std::optional<std::string> spriteDrawStatement(Convertor& c) {
    if (!hasArguments(c, 1)) throw CompileException(res("Error_Sprite_Draw"));
    refuseOnApplet(c);
    Helpers helpers(c.ctx);
    const std::string& sprite = c.token(1);
    if (c.tokenCount() != 2 || helpers.Sprite(sprite) < 0 || helpers.SpriteArray(sprite) >= 0) {
        throw CompileException(res("Error_Sprite_name"));
    }
    if (!c.ctx.project.isJava()) {
        c.out.writeByte(nameFrame(ByteCodes::drawSprite, sprite));
        return std::string("TBD");
    }
    return sprite + ".paint(g);";
}

// SPRITE.DRAWARRAY sprites, index: the index is one number or one integer variable.
std::optional<std::string> spriteDrawArrayStatement(Convertor& c) {
    if (!hasArguments(c, 2)) throw CompileException(res("Error_Sprite"));
    refuseOnApplet(c);
    if (!c.ctx.project.isJava()) noByteForm("SPRITE.DRAWARRAY");
    const std::string& sprites = c.token(1);
    if (c.token(2) != "," || Helpers(c.ctx).SpriteArray(sprites) < 0)
        throw CompileException(res("Error_Sprite_name"));
    const std::string& index = c.token(3);
    bool valid = c.tokenCount() == 4 && screen::isNumberWord(index);
    if (!valid && c.tokenCount() == 4) {
        const Variable* variable = Helpers(c.ctx).Variable(index);
        valid = variable != nullptr && variable->getType() == TypeCodes::cInt;
    }
    if (!valid) throw CompileException(res("Error_Sprite_position"));
    return sprites + "[" + Helpers::FixVariable(index) + "].paint(g);";
}

std::optional<std::string> drawTextStatement(Convertor& c) {
    if (c.ctx.project.isApplet())
        return graphicsCall(c, 3, "Error_DrawText", "S,I,I", ByteCodes::drawText, "g.drawString(");
    return graphicsCall(c, 3, "Error_DrawText", "S,I,I", ByteCodes::drawText, "g.drawString(",
                        ",Graphics.TOP | Graphics.LEFT);");
}

std::optional<std::string> layerPaintStatement(Convertor& c) {
    if (!hasArguments(c, 2)) throw CompileException(res("Error_Layer_Paint"));
    refuseOnApplet(c);
    if (!c.ctx.project.isJava()) noByteForm("LAYER.PAINT");
    return "layers.paint(g," + arguments(c)->HandleArguments("I,I", 1, 1) + ");";
}

// FONT face, style, size: three words. The applet builds a desktop font of the nearest kind; it has
// no underlined style and draws those plainly, with the replacement warning.
std::optional<std::string> fontStatement(Convertor& c) {
    if (!c.checkCommand(3, 1)) throw CompileException(res("Error_Number_of"));
    const FontWord face = findFontWord(c.token(1),
                                       {{"MONO", "Font.FACE_MONOSPACE,", "\"Monospaced\",", 0},
                                        {"PROP", "Font.FACE_PROPORTIONAL,", "\"SansSerif\",", 1},
                                        {"SYSTEM", "Font.FACE_SYSTEM,", "\"Dialog\",", 2}},
                                       "Error_Font_face");
    const FontWord style = findFontWord(c.token(3),
                                        {{"BOLD", "Font.STYLE_BOLD,", "Font.BOLD,", 0},
                                         {"ITALIC", "Font.STYLE_ITALIC,", "Font.ITALIC,", 1},
                                         {"PLAIN", "Font.STYLE_PLAIN,", "Font.PLAIN,", 2},
                                         {"UNDERLINED", "Font.STYLE_UNDERLINED,", "Font.PLAIN,", 3}},
                                        "Error_Font_style");
    const FontWord size = findFontWord(c.token(5),
                                       {{"SMALL", "Font.SIZE_SMALL));", "10));", 0},
                                        {"MEDIUM", "Font.SIZE_MEDIUM));", "12));", 1},
                                        {"LARGE", "Font.SIZE_LARGE));", "16));", 2}},
                                       "Error_Font_size");
    const Project& project = c.ctx.project;
    if (!project.isJava()) {
        c.out.writeByte(ByteCodes::setFont);
        c.out.writeNumber(face.code);
        c.out.writeNumber(style.code);
        c.out.writeNumber(size.code);
        return std::string("TBD");
    }
    if (project.isApplet()) {
        if (std::string_view(style.word) == "UNDERLINED")
            c.ctx.console.line(res("Warning_This_command_is_replaced"));
        return std::string("g.setFont(new Font(") + face.applet + style.applet + size.applet;
    }
    return std::string("g.setFont(Font.getFont(") + face.phone + style.phone + size.phone;
}

}  // namespace compiler
