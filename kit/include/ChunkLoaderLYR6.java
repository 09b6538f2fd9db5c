package Game;

/** LYR6: layer 6, laid out as BODY. */
class ChunkLoaderLYR6 extends ChunkLoaderBODY {
    int layerNumber() { return 6; }
}
