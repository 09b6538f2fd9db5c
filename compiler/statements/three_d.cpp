#include "statements/three_d.h"

#include <algorithm>
#include <string_view>

#include "driver/context.h"
#include "driver/errors.h"
#include "driver/lookups.h"
#include "driver/messages.h"
#include "driver/writer.h"
#include "expressions/arguments.h"
#include "statements/convertor.h"
#include "statements/members.h"
#include "statements/worlds.h"

namespace compiler {
namespace {

// The line's arguments against `pattern`, from token `start`, argument `argNo`, by a fresh translator.
std::string arguments(Convertor& c, std::string_view pattern, int start = 1, int argNo = 1) {
    return newArguments(c.ctx)->HandleArguments(pattern, start, argNo);
}

[[noreturn]] void fail(const std::string& message) {
    throw CompileException(message);
}

// A class or field name Java accepts that the program has not used yet.
bool freshName(Convertor& c, const std::string& name) {
    if (name.empty() || !((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z')))
        return false;
    return Helpers(c.ctx).Name(name);
}

// A light named at token 1, followed by the comma before the values.
bool lightThenComma(Convertor& c) {
    return c.tokenCount() > 3 && Helpers(c.ctx).Light(c.token(1)) >= 0 && c.token(2) == ",";
}

// OBJECT and OBJECT.ARRAY: "name , Model" from token 1; exactly `tokens` tokens (the array's size is
// counted as one).
// The object's name is registered ahead as a field of the program; loading into it again is allowed.
void objectNames(Convertor& c, const std::string& countMessage, Member kind) {
    if (c.tokenCount() < 4 || c.token(2) != ",") fail(countMessage);
    if (!Helpers::javaName(c.token(1))) fail(res("Error_Object_name_is"));
    requireFreeMember(c, c.token(1), kind, true);
    if (!freshName(c, c.token(3))) fail(res("Error_Object_model_is"));
    // The model class is the user's Java, which Build compiles only as one of the project's includes.
    const std::vector<std::string>& models = c.ctx.project.javaIncludes;
    if (std::find(models.begin(), models.end(), c.token(3)) == models.end())
        fail(res("Error_No_model_class") + c.token(3) + " in the project's includes");
}

// LIGHT and CAMERA: "Type name = new Type()" as a field; the main program adds the ";".
std::string nodeDeclaration(Convertor& c, const std::string& type, const std::string& sectionMessage,
                            const std::string& nameMessage) {
    if (!c.ctx.project.isJ2ME()) fail(res("Error_This_command_is"));
    if (c.ctx.functions.CurrentKind != OwnerKind::Global) fail(sectionMessage);
    if (c.tokenCount() != 2) fail(nameMessage);
    const std::string name = arguments(c, "N");
    requireFreeMember(c, name, type == "Light" ? Member::Light : Member::Camera, false);
    return type + " " + name + " = new " + type + "()";
}

}  // namespace

void requirePhoneTarget(Convertor& c) {
    if (!c.ctx.project.isJ2ME()) fail(res("Error_This_command_is"));
}

std::optional<std::string> lightStatement(Convertor& c) {
    std::string text = nodeDeclaration(c, "Light", res("Error_Lights_must_be"), res("Error_Light_Name"));
    c.ctx.objects.addLight(c.token(1));
    return text;
}

std::optional<std::string> cameraStatement(Convertor& c) {
    std::string text = nodeDeclaration(c, "Camera", res("Error_Cameras_must_be"), res("Error_Camera_Name"));
    c.ctx.objects.addCamera(c.token(1));
    return text;
}

// The model class makes the mesh: an instance is made first, as a converter's class may prepare its data
// there, and its static getObject() gives the mesh.
std::optional<std::string> objectStatement(Convertor& c) {
    requirePhoneTarget(c);
    if (!c.checkCommand(2, 1) || c.tokenCount() != 4) fail(res("Error_Object_requires"));
    objectNames(c, res("Error_Object_requires"), Member::Object);
    const std::string name = c.token(1);
    const std::string model = c.token(3);
    if (Helpers(c.ctx).Object(name) < 0) c.ctx.objects.addObject(name, model);
    return "{ " + model + " " + name + "a = new " + model + "(); " + name + " = " + model + ".getObject(); }";
}

std::optional<std::string> objectArrayStatement(Convertor& c) {
    requirePhoneTarget(c);
    if (!c.checkCommand(3, 1)) fail(res("Error_Image_Array"));
    objectNames(c, res("Error_Image_Array"), Member::ObjectArray);
    const std::string name = c.token(1);
    const std::string model = c.token(3);
    const std::string size = arguments(c, "I", 1, 3);
    if (c.ctx.objects.ObjectArray.indexOf(name) < 0) c.ctx.objects.addObjectArray(name, model);
    // Each element gets a copy of its own, so moving one moves no other.
    return name + " = new Mesh[" + size + "];for(GameTemp=0;GameTemp<" + name + ".length;GameTemp++){ " +
           name + "[GameTemp] = (Mesh)" + model + ".getObject().duplicate(); }";
}

std::optional<std::string> start3D(Convertor& c) {
    requirePhoneTarget(c);
    return "g3d.bindTarget(g);";
}

std::optional<std::string> end3D(Convertor& c) {
    requirePhoneTarget(c);
    return "g3d.releaseTarget();";
}

std::optional<std::string> render3D(Convertor& c) {
    requirePhoneTarget(c);
    const std::string failure = res("Error_3D_Render");
    if (c.tokenCount() < 2 || !c.checkCommand(1, 1)) fail(failure);
    const std::string index = worldIndex(c, 1, failure);
    if (static_cast<std::size_t>(c.ctx.line.gPointer) + 1 != c.tokenCount()) fail(failure);
    return "g3d.render(" + c.token(1) + index + ");";
}

// The node's orientation becomes the three angles (degrees about X, then Y, then Z); its position stays. A
// camera is turned as a light is.
std::optional<std::string> setCameraRotation3D(Convertor& c) {
    requirePhoneTarget(c);
    if (!c.checkCommand(4, 1)) fail(res("Error_3D"));
    const bool camera = c.tokenCount() > 3 && Helpers(c.ctx).Camera(c.token(1)) >= 0 && c.token(2) == ",";
    if (!camera && !lightThenComma(c)) fail(res("Error_Expecting"));
    const std::string& node = c.token(1);
    return node + ".setOrientation(" + arguments(c, "F", 3, 1) + ", 1, 0, 0); " + node + ".postRotate(" +
           arguments(c, "F", 3, 2) + ", 0, 1, 0); " + node + ".postRotate(" + arguments(c, "F", 3, 3) +
           ", 0, 0, 1);";
}

std::optional<std::string> setViewport3D(Convertor& c) {
    requirePhoneTarget(c);
    if (!c.checkCommand(4, 1)) fail(res("Error_3D_SetViewport"));
    return "g3d.setViewport(" + arguments(c, "I,I,I,I") + ");";
}

// Clears with the colour set last (the program starts with 0xf54588).
std::optional<std::string> clear3D(Convertor& c) {
    requirePhoneTarget(c);
    return "g3d.clear(background);";
}

std::optional<std::string> resetLights3D(Convertor& c) {
    requirePhoneTarget(c);
    return "g3d.resetLights();";
}

std::optional<std::string> setLightColor3D(Convertor& c) {
    requirePhoneTarget(c);
    if (!c.checkCommand(2, 1)) fail(res("Error_3D"));
    if (!lightThenComma(c)) fail(res("Error_Expecting_Light"));
    return c.token(1) + ".setColor(" + arguments(c, "H", 3, 1) + ");";
}

std::optional<std::string> prepareTexture3D(Convertor& c) {
    requirePhoneTarget(c);
    if (!c.checkCommand(1, 1) || c.tokenCount() < 2) fail(res("Error_3D"));
    c.out.Write("image2D = new Image2D( image2D.RGB, " + arguments(c, "i") + ");");
    return "texture2D = new Texture2D( image2D );";
}

std::optional<std::string> setBackgroundColor3D(Convertor& c) {
    requirePhoneTarget(c);
    if (!c.checkCommand(1, 1) || c.tokenCount() < 2) fail(res("Error_3D"));
    return "background.setColor(" + arguments(c, "H") + ");";
}

std::optional<std::string> setBackgroundImage3D(Convertor& c) {
    requirePhoneTarget(c);
    if (!c.checkCommand(1, 1) || c.tokenCount() < 2) fail(res("Error_3D"));
    // The local lives in a block of its own, so any number of these statements fit in one method, at any
    // depth of blocks.
    c.out.Write("{ Image2D bgImage2D = new Image2D(image2D.RGB," + arguments(c, "i") + ");");
    return "background.setImage(bgImage2D); }";
}

std::optional<std::string> fog3D(Convertor& c) {
    requirePhoneTarget(c);
    if (c.tokenCount() != 2 || c.token(1) != "LINEAR") fail(res("Error_Fog_requires"));
    return "fog = new Fog(); fog.setMode(Fog.LINEAR);";
}

std::optional<std::string> fogOff3D(Convertor& c) {
    requirePhoneTarget(c);
    return "fog = null;";
}

}  // namespace compiler
