package Game;

import java.io.IOException;
import java.io.InputStream;

/** The form around all chunks: its type "FMAP", then chunk after chunk up to the form's end. */
class ChunkLoaderFORM extends ChunkLoader {
    void load(InputStream chunk, int length, Map map) throws IOException, JavaMappyException {
        byte[] type = readBytes(chunk, 4, map);
        if (type[0] != 'F' || type[1] != 'M' || type[2] != 'A' || type[3] != 'P') {
            throw new ChunkLoadException("FORM", "not a map form (type " + latin1(type, 0, 4) + ")");
        }
        byte[] head = new byte[8];
        while (true) {
            int first = chunk.read();
            if (first < 0) return;
            head[0] = (byte) first;
            int done = 1;
            while (done < head.length) {
                int n = chunk.read(head, done, head.length - done);
                if (n < 0) throw new ChunkLoadException("FORM", "the file ends inside a chunk header");
                done += n;
            }
            loadChunk(chunk, latin1(head, 0, 4), getInt(head, 4, false), map);
        }
    }

    /** Bytes as ISO 8859-1 text, whatever the phone's default encoding. */
    static String latin1(byte[] bytes, int offset, int length) {
        char[] chars = new char[length];
        for (int i = 0; i < length; i++) chars[i] = (char) (bytes[offset + i] & 0xFF);
        return new String(chars);
    }
}
