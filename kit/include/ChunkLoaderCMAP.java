package Game;

import java.io.IOException;
import java.io.InputStream;

/** CMAP: the palette, red, green and blue bytes per colour. */
class ChunkLoaderCMAP extends ChunkLoader {
    void load(InputStream chunk, int length, Map map) throws IOException, JavaMappyException {
        byte[] data = readBytes(chunk, length - length % 3, map);
        ColourMap.Colour[] colours = new ColourMap.Colour[data.length / 3];
        for (int i = 0; i < colours.length; i++) {
            colours[i] =
                    new ColourMap.Colour(data[3 * i] & 0xFF, data[3 * i + 1] & 0xFF, data[3 * i + 2] & 0xFF);
        }
        map.colourMap = new ColourMap(colours);
    }
}
