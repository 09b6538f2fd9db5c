package Game;

import java.io.IOException;
import java.io.InputStream;

/**
 * ANDT: the animated blocks. The chunk starts with the frame lists (32-bit block references: byte offsets
 * into BKDT in map type 0, block numbers otherwise) and ends with 16-byte animation structures, read from
 * the chunk's end backwards up to one whose type is -1 (the end marker):
 *
 * <pre>
 *  0 type   1 delay   2 count   3 user value   (signed bytes)
 *  4 current frame   8 first frame   12 end of the frames (exclusive)
 * </pre>
 *
 * The three frame positions are byte offsets counted back from the chunk's end (negative numbers).
 */
class ChunkLoaderANDT extends ChunkLoader {
    private static final int STRUCT_SIZE = 16;

    void load(InputStream chunk, int length, Map map) throws IOException, JavaMappyException {
        MapHeader h = requireHeader(map);
        byte[] data = readBytes(chunk, length, map);
        List anims = new List();
        int at = length - STRUCT_SIZE;
        while (true) {
            if (at < 0) throw new ChunkLoadException("ANDT", "no end marker");
            if (data[at] == AnimBlock.END) break;
            at -= STRUCT_SIZE;
        }
        int framesEnd = at;
        for (int s = length - STRUCT_SIZE; s > framesEnd; s -= STRUCT_SIZE) {
            int n = anims.size();
            int type = data[s];
            if (type < AnimBlock.NONE || type > AnimBlock.ONCE_STOPPED) {
                throw new ChunkLoadException("ANDT", "animated block " + n + " has type " + type);
            }
            int current = length + getInt(data, s + 4, h.lsb);
            int start = length + getInt(data, s + 8, h.lsb);
            int end = length + getInt(data, s + 12, h.lsb);
            if (start < 0 || start >= end || end > framesEnd || current < start || current >= end
                    || (end - start) % 4 != 0 || (current - start) % 4 != 0) {
                throw new ChunkLoadException("ANDT", "animated block " + n + " has broken frame positions");
            }
            int[] frames = new int[(end - start) / 4];
            for (int i = 0; i < frames.length; i++) {
                int block = getInt(data, start + 4 * i, h.lsb);
                if (h.usesOffsets()) {
                    if (block < 0 || block % h.blockStructSize != 0) {
                        throw new ChunkLoadException(
                                "ANDT", "animated block " + n + " has block offset " + block);
                    }
                    block /= h.blockStructSize;
                }
                frames[i] = block;
            }
            anims.add(new AnimBlock(
                    type, data[s + 1], data[s + 2], data[s + 3], frames, (current - start) / 4));
        }
        map.animBlocks = new AnimBlocks(anims);
    }
}
