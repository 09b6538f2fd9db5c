package Game;

/** LYR7: layer 7, laid out as BODY. */
class ChunkLoaderLYR7 extends ChunkLoaderBODY {
    int layerNumber() { return 7; }
}
