package Game;

import java.io.IOException;
import java.io.InputStream;

/**
 * BKDT: the block structures, each of the header's structure size; read are its first 32 bytes:
 *
 * <pre>
 *  0, 4, 8, 12  graphics: background, foregrounds 1 to 3 (32-bit; byte offsets into BGFX in map type 0)
 * 16, 20        user values 1, 2 (32-bit)     24, 26  user values 3, 4 (16-bit, unsigned)
 * 28, 29, 30    user values 5 to 7 (bytes)    31      flag bits, bit 0 first: top left, top right,
 *                                                     bottom left, bottom right, trigger, three free bits
 * </pre>
 */
class ChunkLoaderBKDT extends ChunkLoader {
    void load(InputStream chunk, int length, Map map) throws IOException, JavaMappyException {
        MapHeader h = requireHeader(map);
        int size = h.blockStructSize, count = h.numBlockStructs;
        if ((long) size * count > length) {
            throw new ChunkLoadException(
                    "BKDT", length + " bytes cannot hold " + count + " blocks of " + size);
        }
        byte[] data = readBytes(chunk, size * count, map);
        long graphicSize = (long) h.graphicSize();
        Block[] blocks = new Block[count];
        for (int n = 0; n < count; n++) {
            int at = n * size;
            Block block = new Block();
            for (int i = 0; i < 4; i++) {
                int graphic = getInt(data, at + 4 * i, h.lsb);
                if (h.usesOffsets()) {
                    if (graphic < 0 || graphic % graphicSize != 0) {
                        throw new ChunkLoadException("BKDT",
                                "block " + n + " has graphic offset " + graphic + ", not a multiple of "
                                        + graphicSize);
                    }
                    graphic = (int) (graphic / graphicSize);
                }
                block.graphics[i] = graphic;
            }
            block.user1 = getInt(data, at + 16, h.lsb);
            block.user2 = getInt(data, at + 20, h.lsb);
            block.user3 = getShort(data, at + 24, h.lsb) & 0xFFFF;
            block.user4 = getShort(data, at + 26, h.lsb) & 0xFFFF;
            block.user5 = data[at + 28] & 0xFF;
            block.user6 = data[at + 29] & 0xFF;
            block.user7 = data[at + 30] & 0xFF;
            block.flags = data[at + 31] & 0xFF;
            blocks[n] = block;
        }
        map.blocks = new Blocks(blocks);
    }
}
