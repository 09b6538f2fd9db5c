package Game;

/** LYR4: layer 4, laid out as BODY. */
class ChunkLoaderLYR4 extends ChunkLoaderBODY {
    int layerNumber() { return 4; }
}
