package Game;

/** LYR1: layer 1, laid out as BODY. */
class ChunkLoaderLYR1 extends ChunkLoaderBODY {
    int layerNumber() { return 1; }
}
