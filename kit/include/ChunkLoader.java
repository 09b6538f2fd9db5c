package Game;

import java.io.IOException;
import java.io.InputStream;

/**
 * Reads one chunk of a map file into a {@link Map}.
 *
 * A map file is an IFF form: "FORM", a 4-byte big-endian length, "FMAP", then chunks, each a 4-letter id, a
 * 4-byte big-endian length and that many bytes of data. The numbers inside the chunks follow the byte order
 * that the MPHD chunk names, so every chunk but FORM, ATHR and CMAP needs MPHD to have been read before it.
 */
public abstract class ChunkLoader {
    /** Reads the chunk's data from {@code chunk}, which ends where the chunk ends. */
    abstract void load(InputStream chunk, int length, Map map) throws IOException, JavaMappyException;

    /** Skips a chunk this library does not use (the editor's own chunks, for one). */
    static final class DefaultChunkLoader extends ChunkLoader {
        void load(InputStream chunk, int length, Map map) {
            Logger$1.log("skipped chunk " + map.currentChunk());
        }
    }

    static ChunkLoader forId(String id) {
        if (id.equals("ATHR")) return new ChunkLoaderATHR();
        if (id.equals("MPHD")) return new ChunkLoaderMPHD();
        if (id.equals("CMAP")) return new ChunkLoaderCMAP();
        if (id.equals("BKDT")) return new ChunkLoaderBKDT();
        if (id.equals("ANDT")) return new ChunkLoaderANDT();
        if (id.equals("BGFX")) return new ChunkLoaderBGFX();
        if (id.equals("BODY")) return new ChunkLoaderBODY();
        if (id.equals("LYR1")) return new ChunkLoaderLYR1();
        if (id.equals("LYR2")) return new ChunkLoaderLYR2();
        if (id.equals("LYR3")) return new ChunkLoaderLYR3();
        if (id.equals("LYR4")) return new ChunkLoaderLYR4();
        if (id.equals("LYR5")) return new ChunkLoaderLYR5();
        if (id.equals("LYR6")) return new ChunkLoaderLYR6();
        if (id.equals("LYR7")) return new ChunkLoaderLYR7();
        return new DefaultChunkLoader();
    }

    /**
     * Loads the chunk {@code id} of {@code length} bytes from {@code in} and leaves {@code in} right after
     * it, whatever the loader read: a loader sees end of stream at the chunk's end, and what it leaves is
     * skipped.
     */
    static void loadChunk(InputStream in, String id, int length, Map map)
            throws IOException, JavaMappyException {
        loadChunk(in, id, length, map, forId(id));
    }

    /** Loads a chunk with the given loader (the FORM around all chunks is only ever read this way). */
    static void loadChunk(final InputStream in, final String id, final int length, Map map,
            ChunkLoader loader) throws IOException, JavaMappyException {
        if (length < 0) throw new ChunkLoadException(id, "negative length " + length);
        InputStream chunk = new InputStream() {
            private int left = length;

            public int read() throws IOException {
                if (left <= 0) return -1;
                int b = in.read();
                if (b >= 0) left--;
                return b;
            }

            public int read(byte[] buffer, int offset, int count) throws IOException {
                if (left <= 0) return -1;
                int n = in.read(buffer, offset, count < left ? count : left);
                if (n > 0) left -= n;
                return n;
            }

            /** What is left of the chunk, read or not: more than 0 after end of stream means a cut file. */
            public int available() {
                return left;
            }
        };
        String outer = map.currentChunk();
        map.setCurrentChunk(id);
        loader.load(chunk, length, map);
        byte[] skipped = new byte[512];
        while (chunk.read(skipped, 0, skipped.length) >= 0) {
        }
        if (chunk.available() > 0) throw new ChunkLoadException(id, "the file ends inside it");
        map.setCurrentChunk(outer);
    }

    /**
     * Reads exactly {@code count} bytes of the current chunk. The buffer grows as data arrives, so a length
     * that a cut or broken file overstates ends in an error, not in one huge allocation.
     */
    static byte[] readBytes(InputStream chunk, int count, Map map) throws IOException, ChunkLoadException {
        byte[] data = new byte[count < 4096 ? count : 4096];
        int done = 0;
        while (done < count) {
            if (done == data.length) {
                byte[] grown = new byte[data.length <= count / 2 ? data.length * 2 : count];
                System.arraycopy(data, 0, grown, 0, done);
                data = grown;
            }
            int n = chunk.read(data, done, data.length - done);
            if (n < 0) throw new ChunkLoadException(map.currentChunk(), "the file ends inside it");
            done += n;
        }
        return data;
    }

    /** The header, for the chunks whose layout depends on it. */
    static MapHeader requireHeader(Map map) throws ChunkLoadException {
        MapHeader header = map.getHeader();
        if (header == null) throw new ChunkLoadException(map.currentChunk(), "comes before MPHD");
        return header;
    }

    /** A signed 16-bit number at {@code offset}, least significant byte first when {@code lsb}. */
    static int getShort(byte[] data, int offset, boolean lsb) {
        int first = data[offset] & 0xFF, second = data[offset + 1] & 0xFF;
        return (short) (lsb ? (second << 8) | first : (first << 8) | second);
    }

    /** A signed 32-bit number at {@code offset}, least significant byte first when {@code lsb}. */
    static int getInt(byte[] data, int offset, boolean lsb) {
        int value = 0;
        for (int i = 0; i < 4; i++) {
            int b = data[offset + (lsb ? 3 - i : i)] & 0xFF;
            value = (value << 8) | b;
        }
        return value;
    }
}
