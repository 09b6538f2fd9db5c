package Game;

import javax.microedition.lcdui.Image;

/**
 * What a renderer made of the block graphics: one image per graphic, whether the graphic has transparent
 * pixels, and (for renderers whose images cannot be see-through) the runs of its visible pixels.
 */
public class ImageData {
    final Image[] images;
    final boolean[] keyed;
    /** Per graphic: null, or groups of four ints (x, y, length, 0xRRGGBB), one per run of one colour. */
    final int[][] runs;

    ImageData(int count) {
        images = new Image[count];
        keyed = new boolean[count];
        runs = new int[count][];
    }

    /** Whether any pixel of {@code argb} is transparent. */
    static boolean hasKey(int[] argb) {
        for (int i = 0; i < argb.length; i++) {
            if ((argb[i] >>> 24) == 0) return true;
        }
        return false;
    }
}
