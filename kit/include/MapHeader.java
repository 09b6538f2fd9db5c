package Game;

/**
 * The MPHD chunk: the map's shape and the layout of the other chunks. Offsets in the chunk (16-bit numbers
 * in the byte order of byte 2):
 *
 * <pre>
 *  0 version, major    1 version, minor    2 byte order: 1 = least significant byte first
 *  3 map type: 0 = references are byte offsets, 1 = references are numbers (2, 3: compressed layers)
 *  4 map width in blocks    6 map height in blocks    8, 10 reserved
 * 12 block width in pixels  14 block height in pixels  16 colour depth: 8, 15, 16, 24 or 32 bits
 * 18 size of one BKDT block structure  20 number of block structures  22 number of block graphics
 * 24 transparent colour index (8-bit maps)  25, 26, 27 transparent colour red, green, blue (deeper maps)
 * </pre>
 */
public class MapHeader {
    static final int MIN_LENGTH = 28;

    int versionMajor, versionMinor;
    boolean lsb;
    int mapType;
    int mapWidth, mapHeight;
    int blockWidth, blockHeight;
    int depth;
    int blockStructSize;
    int numBlockStructs;
    int numBlockGraphics;
    int keyIndex;
    int keyRed, keyGreen, keyBlue;

    /** Bytes of one pixel in BGFX. */
    int bytesPerPixel() { return (depth + 1) / 8; }

    /** Bytes of one block graphic in BGFX. */
    int graphicSize() { return blockWidth * blockHeight * bytesPerPixel(); }

    /** Whether references are byte offsets (map type 0) rather than numbers. */
    boolean usesOffsets() { return mapType == 0; }

    public int getMapWidth() { return mapWidth; }

    public int getMapHeight() { return mapHeight; }

    public int getBlockWidth() { return blockWidth; }

    public int getBlockHeight() { return blockHeight; }

    public int getDepth() { return depth; }
}
