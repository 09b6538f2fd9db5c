package Game;

import java.io.IOException;
import java.io.InputStream;

/** ATHR: the author's lines, each ended by a zero byte. */
class ChunkLoaderATHR extends ChunkLoader {
    void load(InputStream chunk, int length, Map map) throws IOException, JavaMappyException {
        byte[] data = readBytes(chunk, length, map);
        List lines = new List();
        int start = 0;
        for (int i = 0; i <= data.length; i++) {
            if (i == data.length || data[i] == 0) {
                if (i > start) lines.add(ChunkLoaderFORM.latin1(data, start, i - start));
                start = i + 1;
            }
        }
        map.author = new String[lines.size()];
        for (int i = 0; i < lines.size(); i++) map.author[i] = (String) lines.get(i);
    }
}
