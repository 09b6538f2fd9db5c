// Images and image arrays, the tile layer, sprites and sprite arrays and their changes of place,
// transform and frame, and MEM.FLUSH.
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
#include "statements/members.h"
#include "statements/screen_statements.h"

namespace compiler {
namespace {

using screen::bytesOf;
using screen::hasArguments;
using screen::noByteForm;
using screen::notOnThisTarget;

std::unique_ptr<InterfaceArguments> arguments(Convertor& c) {
    return newArguments(c.ctx);
}

// The image argument `argNo` of a statement that draws from it: NULL has no pixels, and the phone's
// constructors refuse it (new Sprite(null) does not even compile: two constructors take it).
std::string pixels(Convertor& c, int argNo) {
    std::string image = arguments(c)->HandleArguments("i", 1, argNo);
    if (image == "null") throw CompileException(res("Error_Image_name_is"));
    return image;
}

void requireArguments(const Convertor& c, int count, MessageKey key) {
    if (!hasArguments(c, count)) throw CompileException(res(key));
}

// The image file `file` loaded into `target`. The phone reads it from the suite's resources; the
// applet reads the same resource path through its class loader (the applet class's readImage). Both
// throw IOException for a file that is not there or not an image, which the program's TRY ... CATCH IO
// handles; a load outside a TRY block (IMAGE.ARRAY, or a load in a CATCH part) turns a failure into an
// unchecked exception so the method that holds it still compiles.
std::string loadImage(const Convertor& c, const std::string& target, const std::string& file) {
    const std::string load = target + (c.ctx.project.isApplet() ? " = readImage(" + file + ");"
                                                                : " = Image.createImage(" + file + ");");
    const bool insideTryPart = c.InError && c.FirstCatch;
    if (insideTryPart) return load;
    return "try{ " + load +
           " }catch(IOException imageError){ throw new RuntimeException(imageError.getMessage()); }";
}

// Statements that exist only where the profile's game package does: the phone.
void requirePhone(const Convertor& c) {
    if (!c.ctx.project.isJ2ME()) notOnThisTarget();
}

// The tile layer and the layer manager are the phone's game package; the applet has neither.
void refuseOnApplet(const Convertor& c) {
    if (c.ctx.project.isApplet()) notOnThisTarget();
}

bool isSpriteArray(const Convertor& c) {
    return Helpers(c.ctx).SpriteArray(c.token(1)) >= 0;
}

// A statement on an existing sprite takes `count` arguments, one more when the sprite is an array:
// the element index, at argument `count` + 1.
void requireSpriteArguments(const Convertor& c, int count, MessageKey key) {
    const bool counted = c.tokenCount() >= 2 && hasArguments(c, isSpriteArray(c) ? count + 1 : count);
    if (!counted) throw CompileException(res(key));
}

// The sprite of the statement, with its element index when it names a sprite array.
std::string spriteReference(Convertor& c, InterfaceArguments& a, int indexArgument) {
    std::string reference = a.HandleArguments("s", 1, 1);
    if (isSpriteArray(c)) reference += "[" + a.HandleArguments("I", 1, indexArgument) + "]";
    return reference;
}

// SPRITE.ROTATION and SPRITE.MIRROR: the angle is one literal word, token 3.
int transformCode(const Convertor& c, bool mirrored) {
    const std::string& angle = c.token(3);
    const bool alone = c.tokenCount() == 4 || c.token(4) == ",";
    struct Row {
        const char* angle;
        int rotation, mirror;
    };
    static const Row kRows[] = {{"0", 0, 2}, {"90", 5, 7}, {"180", 3, 1}, {"270", 6, 4}};
    for (const Row& row : kRows) {
        if (alone && angle == row.angle) return mirrored ? row.mirror : row.rotation;
    }
    throw CompileException(res("Error_Rotation_value"));
}

std::string transformStatement(Convertor& c, bool mirrored, MessageKey key) {
    requireSpriteArguments(c, 2, key);
    requirePhone(c);
    const int code = transformCode(c, mirrored);
    auto a = arguments(c);
    return spriteReference(c, *a, 3) + ".setTransform(" + std::to_string(code) + ");";
}

std::string frameStep(Convertor& c, std::string_view call, MessageKey key) {
    requireSpriteArguments(c, 1, key);
    requirePhone(c);
    auto a = arguments(c);
    return spriteReference(c, *a, 2) + "." + std::string(call) + "();";
}

}  // namespace

std::optional<std::string> imageStatement(Convertor& c) {
    requireArguments(c, 2, "Error_Image_requires");
    auto a = arguments(c);
    const std::string name = a->HandleArguments("N", 1, 1);
    requireFreeMember(c, c.token(1), Member::Image, true);
    const std::string file = a->HandleArguments("S", 1, 2);
    if (!c.ctx.project.isJava()) {
        c.out.writeByte(std::string(ByteCodes::dimImage) + bytesOf(*a));
        return std::string("TBD");
    }
    return loadImage(c, name, file);
}

std::optional<std::string> imageArrayStatement(Convertor& c) {
    requireArguments(c, 3, "Error_Image_Array");
    if (!c.ctx.project.isJava()) noByteForm("IMAGE.ARRAY");
    auto a = arguments(c);
    const std::string name = a->HandleArguments("N", 1, 1);
    requireFreeMember(c, name, Member::ImageArray, true);
    const std::string count = a->HandleArguments("I", 1, 3);
    const std::string file = a->HandleArguments("S", 1, 2);
    return name + " = new Image[" + count + "];" + "for(GameTemp=0;GameTemp<" + count + ";GameTemp++){ " +
           loadImage(c, name + "[GameTemp]", file) + " }";
}

std::optional<std::string> layerStatement(Convertor& c) {
    requireArguments(c, 5, "Error_Layer_requires");
    if (!c.ctx.project.isJava()) noByteForm("LAYER");
    refuseOnApplet(c);
    pixels(c, 3);
    return "tiles = new TiledLayer(" + arguments(c)->HandleArguments("I,I,i,I,I", 1, 1) + ");";
}

// fillCells takes a tile index, not an image, as its last argument.
std::optional<std::string> layerFillCellStatement(Convertor& c) {
    requireArguments(c, 5, "Error_Layer_FillCell");
    if (!c.ctx.project.isJava()) noByteForm("LAYER.FILLCELL");
    refuseOnApplet(c);
    return "tiles.fillCells(" + arguments(c)->HandleArguments("I,I,I,I,I", 1, 1) + ");";
}

// The main program adds the ";".
std::optional<std::string> layerUpdateStatement(Convertor& c) {
    if (!c.ctx.project.isJava()) noByteForm("LAYER.UPDATE");
    refuseOnApplet(c);
    return std::string("layers.append(tiles)");
}

std::optional<std::string> spriteStatement(Convertor& c) {
    requireArguments(c, 2, "Error_Sprite_requires");
    if (c.ctx.project.isApplet()) notOnThisTarget();
    auto a = arguments(c);
    const std::string name = a->HandleArguments("N", 1, 1);
    requireFreeMember(c, c.token(1), Member::Sprite, true);
    const std::string image = a->HandleArguments("i", 1, 2);
    if (image == "null") throw CompileException(res("Error_Image_name_is"));
    if (!c.ctx.project.isJ2ME()) {
        c.out.writeByte(std::string(ByteCodes::dimSprite) + bytesOf(*a));
        return std::string("TBD");
    }
    return name + " = new Sprite(" + image + ");";
}

std::optional<std::string> spriteAnimationStatement(Convertor& c) {
    requireArguments(c, 4, "Error_Sprite");
    requirePhone(c);
    auto a = arguments(c);
    const std::string name = a->HandleArguments("N", 1, 1);
    requireFreeMember(c, name, Member::Sprite, true);
    pixels(c, 2);
    return name + " = new Sprite(" + a->HandleArguments("i,I,I", 1, 2) + ");";
}

std::optional<std::string> spriteArrayStatement(Convertor& c) {
    requireArguments(c, 3, "Error_Sprite_Array");
    requirePhone(c);
    auto a = arguments(c);
    const std::string name = a->HandleArguments("N", 1, 1);
    requireFreeMember(c, name, Member::SpriteArray, true);
    const std::string count = a->HandleArguments("I", 1, 3);
    const std::string image = pixels(c, 2);
    return name + " = new Sprite[" + count + "];" + "for(GameTemp=0;GameTemp<" + count + ";GameTemp++){ " +
           name + "[GameTemp] = new Sprite(" + image + "); }";
}

std::optional<std::string> spriteMoveStatement(Convertor& c) {
    requireSpriteArguments(c, 3, "Error_Sprite_Move");
    requirePhone(c);
    auto a = arguments(c);
    const std::string sprite = spriteReference(c, *a, 4);
    return sprite + ".move(" + a->HandleArguments("I,I", 1, 2) + ");";
}

std::optional<std::string> spritePositionStatement(Convertor& c) {
    requireSpriteArguments(c, 3, "Error_Sprite_Position");
    requirePhone(c);
    auto a = arguments(c);
    const std::string sprite = spriteReference(c, *a, 4);
    return sprite + ".setPosition(" + a->HandleArguments("I,I", 1, 2) + ");";
}

std::optional<std::string> spriteRotationStatement(Convertor& c) {
    return transformStatement(c, false, "Error_Sprite_Rotation");
}

std::optional<std::string> spriteMirrorStatement(Convertor& c) {
    return transformStatement(c, true, "Error_Sprite_Mirror");
}

// SPRITE.SEQUENCE sprite [, index], n, n, ...: the frame numbers are literal numbers; the list may end
// in "," before the closing brace, which Java allows.
std::optional<std::string> spriteSequenceStatement(Convertor& c) {
    requirePhone(c);
    auto a = arguments(c);
    const std::string sprite = spriteReference(c, *a, 2);
    // The separator before the first number: after the index of an array, else after the sprite.
    int p = isSpriteArray(c) ? c.ctx.line.gPointer : 2;
    std::string numbers;
    for (; c.ctx.line.has(p); p += 2) {
        if (c.token(p) != "," || !c.ctx.line.has(p + 1) || !screen::isNumberWord(c.token(p + 1))) {
            throw CompileException(res("Error_Integer"));
        }
        numbers += c.token(p + 1) + ",";
    }
    // A sequence holds at least one frame.
    if (numbers.empty()) throw CompileException(res("Error_Integer"));
    return sprite + ".setFrameSequence(new int[] {" + numbers + "});";
}

std::optional<std::string> spriteNextStatement(Convertor& c) {
    return frameStep(c, "nextFrame", "Error_Sprite_Next");
}

std::optional<std::string> spritePreviousStatement(Convertor& c) {
    return frameStep(c, "prevFrame", "Error_Sprite_Previous");
}

std::optional<std::string> spriteSetFrameStatement(Convertor& c) {
    requireSpriteArguments(c, 2, "Error_Sprite_SetFrame");
    requirePhone(c);
    auto a = arguments(c);
    const std::string sprite = spriteReference(c, *a, 3);
    return sprite + ".setFrame(" + a->HandleArguments("I", 1, 2) + ");";
}

std::optional<std::string> memFlushStatement(Convertor& c) {
    if (!c.ctx.project.isJava()) noByteForm("MEM.FLUSH");
    return std::string("Runtime.getRuntime().gc();");
}

}  // namespace compiler
