package Game;

import java.io.IOException;
import java.io.InputStream;

/** MPHD: the map header; its layout is described at {@link MapHeader}. */
class ChunkLoaderMPHD extends ChunkLoader {
    /** The magenta that the map editor offers as the transparent colour, for a header without one. */
    private static final int DEFAULT_KEY_RGB = 0xFF00FF;

    void load(InputStream chunk, int length, Map map) throws IOException, JavaMappyException {
        if (length < 24) throw new ChunkLoadException("MPHD", "too short (" + length + " bytes)");
        byte[] data = readBytes(chunk, length < MapHeader.MIN_LENGTH ? length : MapHeader.MIN_LENGTH, map);
        MapHeader h = new MapHeader();
        h.versionMajor = data[0] & 0xFF;
        h.versionMinor = data[1] & 0xFF;
        h.lsb = data[2] == 1;
        h.mapType = data[3] & 0xFF;
        h.mapWidth = getShort(data, 4, h.lsb);
        h.mapHeight = getShort(data, 6, h.lsb);
        h.blockWidth = getShort(data, 12, h.lsb);
        h.blockHeight = getShort(data, 14, h.lsb);
        h.depth = getShort(data, 16, h.lsb);
        h.blockStructSize = getShort(data, 18, h.lsb);
        h.numBlockStructs = getShort(data, 20, h.lsb);
        h.numBlockGraphics = getShort(data, 22, h.lsb);
        if (data.length >= MapHeader.MIN_LENGTH) {
            h.keyIndex = data[24] & 0xFF;
            h.keyRed = data[25] & 0xFF;
            h.keyGreen = data[26] & 0xFF;
            h.keyBlue = data[27] & 0xFF;
        } else {
            h.keyRed = DEFAULT_KEY_RGB >> 16;
            h.keyGreen = (DEFAULT_KEY_RGB >> 8) & 0xFF;
            h.keyBlue = DEFAULT_KEY_RGB & 0xFF;
        }

        if (h.mapType == 2 || h.mapType == 3) {
            throw new ChunkLoadException(
                    "MPHD", "compressed layers (map type " + h.mapType + ") are not supported");
        }
        if (h.mapType > 3) throw new ChunkLoadException("MPHD", "unknown map type " + h.mapType);
        if (h.mapWidth <= 0 || h.mapHeight <= 0) {
            throw new ChunkLoadException("MPHD", "map size " + h.mapWidth + " x " + h.mapHeight);
        }
        if (h.blockWidth <= 0 || h.blockHeight <= 0) {
            throw new ChunkLoadException("MPHD", "block size " + h.blockWidth + " x " + h.blockHeight);
        }
        if (h.depth != 8 && h.depth != 15 && h.depth != 16 && h.depth != 24 && h.depth != 32) {
            throw new ChunkLoadException("MPHD", "colour depth " + h.depth);
        }
        if (h.blockStructSize < 32) {
            throw new ChunkLoadException("MPHD", "block structure size " + h.blockStructSize);
        }
        if (h.numBlockStructs < 0 || h.numBlockGraphics < 0) {
            throw new ChunkLoadException("MPHD", "negative block count");
        }
        map.header = h;
    }
}
