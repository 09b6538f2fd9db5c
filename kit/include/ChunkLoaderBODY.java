package Game;

import java.io.IOException;
import java.io.InputStream;

/**
 * BODY: layer 0, a 16-bit cell per block, row by row. In map type 0 a cell holds a byte offset into BKDT,
 * or, when negative, minus the byte offset of an animation structure counted back from the end of ANDT
 * (-16 is the first); in map type 1 a block number, or -(animated block number + 1).
 */
class ChunkLoaderBODY extends ChunkLoader {
    /** The layer this chunk holds; LYR1 to LYR7 hold 1 to 7. */
    int layerNumber() { return 0; }

    void load(InputStream chunk, int length, Map map) throws IOException, JavaMappyException {
        MapHeader h = requireHeader(map);
        String id = map.currentChunk();
        int count = h.mapWidth * h.mapHeight;
        if ((long) count * 2 > length) {
            throw new ChunkLoadException(
                    id, length + " bytes cannot hold " + h.mapWidth + " x " + h.mapHeight + " cells");
        }
        byte[] data = readBytes(chunk, count * 2, map);
        short[] cells = new short[count];
        for (int i = 0; i < count; i++) {
            int cell = getShort(data, 2 * i, h.lsb);
            if (h.usesOffsets()) {
                int unit = cell >= 0 ? h.blockStructSize : 16;
                if (cell % unit != 0) {
                    throw new ChunkLoadException(id,
                            "cell (" + i % h.mapWidth + ", " + i / h.mapWidth + ") holds offset " + cell
                                    + ", not a multiple of " + unit);
                }
                cell /= unit;
            }
            cells[i] = (short) cell;
        }
        map.layers.set(layerNumber(), new Layer(h.mapWidth, h.mapHeight, cells));
    }
}
