#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace build {

// The resource names that a Java source passes as a string literal to a call that reads a file of its
// own suite: Image.createImage, getResourceAsStream, the 3D Loader.load, and the support classes'
// LoadSound, LoadMidi and Include.resource. Comments are skipped; a name put together at run time cannot
// be known and is not listed. In order of first appearance, without repeats.
std::vector<std::string> loadedResources(std::string_view javaSource);

// The file beside the project that holds the resource `name`: the name without its leading "/", since
// Build packs every resource from the project folder into the jar's root. Nothing for an empty name or a
// media locator ("http://...", "capture://video"), which the phone does not read from the suite.
std::optional<std::string> resourceFile(std::string_view name);

// True for a relative path that stays inside the project folder: no empty, "." or ".." part.
bool insideProject(std::string_view file);

}  // namespace build
