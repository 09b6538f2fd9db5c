#pragma once

#include <optional>
#include <string>

namespace compiler {

class Convertor;

// The 3D statements. They use the 3D fields the writer declares for a 3D program (g3d, background, fog,
// image2D, texture2D, tTransform) and exist on the phone target only.

// Refuses every target but the phone: the applet has no 3D API, and the byte-token targets have no 3D
// tokens (a byte-token form of these statements would branch off here).
void requirePhoneTarget(Convertor& c);

// LIGHT name, CAMERA name: fields of the program class, declared before the main section.
std::optional<std::string> lightStatement(Convertor& c);
std::optional<std::string> cameraStatement(Convertor& c);

// OBJECT name, Model and OBJECT.ARRAY name, Model, size. A model is a class from outside the compiler
// with a public constructor and a static getObject() that gives a Mesh.
std::optional<std::string> objectStatement(Convertor& c);
std::optional<std::string> objectArrayStatement(Convertor& c);

std::optional<std::string> start3D(Convertor& c);
std::optional<std::string> end3D(Convertor& c);
std::optional<std::string> render3D(Convertor& c);
std::optional<std::string> setCameraRotation3D(Convertor& c);
std::optional<std::string> setViewport3D(Convertor& c);
std::optional<std::string> clear3D(Convertor& c);
std::optional<std::string> resetLights3D(Convertor& c);
std::optional<std::string> setLightColor3D(Convertor& c);
std::optional<std::string> prepareTexture3D(Convertor& c);
std::optional<std::string> setBackgroundColor3D(Convertor& c);
std::optional<std::string> setBackgroundImage3D(Convertor& c);
std::optional<std::string> fog3D(Convertor& c);
std::optional<std::string> fogOff3D(Convertor& c);

}  // namespace compiler
