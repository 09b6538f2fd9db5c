package Game;

import java.io.IOException;
import java.io.InputStream;

/** The map library's entry points, as a generated program calls them. */
public final class JavaMappy {
    private JavaMappy() {}

    /**
     * Reads a whole map file from {@code in} (which the caller closes) and checks it. A missing resource
     * arrives as null and is refused like a broken file.
     */
    public static Map loadMap(InputStream in) throws IOException, JavaMappyException {
        if (in == null) throw new JavaMappyException("no map: the resource was not found");
        byte[] head = new byte[8];
        int done = 0;
        while (done < head.length) {
            int n = in.read(head, done, head.length - done);
            if (n < 0) throw new JavaMappyException("not a map: the file is too short");
            done += n;
        }
        if (head[0] != 'F' || head[1] != 'O' || head[2] != 'R' || head[3] != 'M') {
            throw new JavaMappyException("not a map: no FORM header");
        }
        Map map = new Map();
        ChunkLoader.loadChunk(in, "FORM", ChunkLoader.getInt(head, 4, false), map, new ChunkLoaderFORM());
        map.finish();
        return map;
    }

    /**
     * A viewer of {@code map} for a screen area of {@code width} x {@code height} pixels, drawing with
     * {@code renderer}, or, when that is null, with the best renderer the phone supports.
     */
    public static MapViewer createMapViewer(Map map, Renderer renderer, int width, int height) {
        if (map == null) throw new IllegalArgumentException("no map");
        return new MapViewer(map, renderer != null ? renderer : defaultRenderer(), width, height);
    }

    /** RGB images (see-through block graphics) came with MIDP 2.0. */
    static Renderer defaultRenderer() {
        String profiles = System.getProperty("microedition.profiles");
        if (profiles != null && profiles.indexOf("MIDP-2") >= 0) return new J2MERenderer();
        return new MIDP10Renderer();
    }
}
