package Game;

/** LYR2: layer 2, laid out as BODY. */
class ChunkLoaderLYR2 extends ChunkLoaderBODY {
    int layerNumber() { return 2; }
}
