#include "guard/project_name.h"

#include <cctype>
#include <unordered_set>

#include "guard/outputs.h"

namespace guard {

bool isClassName(std::string_view name) {
    static const std::unordered_set<std::string_view> taken = {
        // Java's reserved words and literals.
        "abstract", "assert", "boolean", "break", "byte", "case", "catch", "char", "class", "const",
        "continue", "default", "do", "double", "else", "enum", "extends", "final", "finally", "float", "for",
        "goto", "if", "implements", "import", "instanceof", "int", "interface", "long", "native", "new",
        "package", "private", "protected", "public", "return", "short", "static", "strictfp", "super",
        "switch", "synchronized", "this", "throw", "throws", "transient", "try", "void", "volatile", "while",
        "true", "false", "null",
        // The kit's support classes, in the generated class's package.
        "AnimBlock", "AnimBlocks", "Block", "Blocks", "ChunkLoadException", "ChunkLoader", "ChunkLoaderANDT",
        "ChunkLoaderATHR", "ChunkLoaderBGFX", "ChunkLoaderBKDT", "ChunkLoaderBODY", "ChunkLoaderCMAP",
        "ChunkLoaderFORM", "ChunkLoaderLYR1", "ChunkLoaderLYR2", "ChunkLoaderLYR3", "ChunkLoaderLYR4",
        "ChunkLoaderLYR5", "ChunkLoaderLYR6", "ChunkLoaderLYR7", "ChunkLoaderMPHD", "ColourMap", "ImageData",
        "Include", "IncludeImage", "IncludeMidi", "IncludeSound", "IncludeVideo", "J2MERenderer", "JavaMappy",
        "JavaMappyException", "Layer", "LayerViewer", "Layers", "List", "Logger", "MIDP10Renderer", "Map",
        "MapHeader", "MapViewer", "PixelData", "Renderer",
        // Classes nested in the generated class.
        "TBCanvas", "KeyRepeater", "KeyRepeat",
        // Classes the generated code names without their package.
        "ActionEvent", "ActionListener", "Alert", "AlertType", "Applet", "Background", "BasicStroke",
        "Boolean", "BorderLayout", "Camera", "Canvas", "Choice", "Color", "Command", "CommandListener",
        "Date", "Display", "Displayable", "Exception", "FileNotFoundException", "Float", "Fog", "Font",
        "Form", "Graphics", "Graphics2D", "Graphics3D", "Group", "HierarchyEvent", "HierarchyListener",
        "IOException", "Image", "Image2D", "InputStream", "Integer", "InterruptedException", "KeyAdapter",
        "KeyEvent", "LayerManager", "Light", "Math", "MediaException", "Mesh", "MIDlet", "MouseAdapter",
        "MouseEvent", "Node", "Object", "Panel", "Random", "Runtime", "RuntimeException", "Sprite", "String",
        "StringItem", "System", "TextField", "Texture2D", "Thread", "TiledLayer", "Timer", "TimerTask",
        "Transform", "VideoControl", "World"};
    if (name.empty() || !std::isalpha(static_cast<unsigned char>(name[0]))) return false;
    for (char c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    }
    return taken.count(name) == 0;
}

std::optional<std::string> refuseProjectName(std::string_view name, bool javaClass) {
    if (!isFileName(name)) return std::string(kNotAFileName) + std::string(name);
    if (javaClass && !isClassName(name)) return std::string(kNotAClassName) + std::string(name);
    return std::nullopt;
}

}  // namespace guard
