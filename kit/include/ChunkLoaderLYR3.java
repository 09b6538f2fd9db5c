package Game;

/** LYR3: layer 3, laid out as BODY. */
class ChunkLoaderLYR3 extends ChunkLoaderBODY {
    int layerNumber() { return 3; }
}
