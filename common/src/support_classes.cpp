#include "kit/support_classes.h"

namespace kit {

const std::vector<std::string_view>& mapClassNames() {
    static const std::vector<std::string_view> names = {
        "AnimBlock",
        "AnimBlocks",
        "Block",
        "Blocks",
        "ChunkLoader$1",
        "ChunkLoader$DefaultChunkLoader",
        "ChunkLoader",
        "ChunkLoaderANDT",
        "ChunkLoaderATHR",
        "ChunkLoaderBGFX",
        "ChunkLoaderBKDT",
        "ChunkLoaderBODY",
        "ChunkLoaderCMAP",
        "ChunkLoaderBKDT",
        "ChunkLoaderFORM",
        "ChunkLoaderLYR1",
        "ChunkLoaderLYR2",
        "ChunkLoaderLYR3",
        "ChunkLoaderLYR4",
        "ChunkLoaderLYR5",
        "ChunkLoaderLYR6",
        "ChunkLoaderLYR7",
        "ChunkLoaderMPHD",
        "ChunkLoadException",
        "ColourMap$Colour",
        "ColourMap",
        "ImageData",
        "J2MERenderer",
        "JavaMappy",
        "JavaMappyException",
        "Layer",
        "Layers",
        "LayerViewer",
        "List",
        "Logger$1",
        "Map",
        "MapHeader",
        "MapViewer",
        "MIDP10Renderer",
        "PixelData",
        "Renderer",
    };
    return names;
}

}  // namespace kit
