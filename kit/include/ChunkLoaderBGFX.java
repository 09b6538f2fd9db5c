package Game;

import java.io.IOException;
import java.io.InputStream;

/** BGFX: the block graphics; their pixel forms are described at {@link PixelData}. */
class ChunkLoaderBGFX extends ChunkLoader {
    void load(InputStream chunk, int length, Map map) throws IOException, JavaMappyException {
        MapHeader h = requireHeader(map);
        long needed = (long) h.blockWidth * h.blockHeight * h.bytesPerPixel() * h.numBlockGraphics;
        if (needed > length) {
            throw new ChunkLoadException("BGFX",
                    length + " bytes cannot hold " + h.numBlockGraphics + " graphics of " + h.blockWidth
                            + " x " + h.blockHeight + " at " + h.depth + " bits");
        }
        map.graphics = readBytes(chunk, (int) needed, map);
    }
}
