package Game;

/** LYR5: layer 5, laid out as BODY. */
class ChunkLoaderLYR5 extends ChunkLoaderBODY {
    int layerNumber() { return 5; }
}
