package Game;

import javax.microedition.lcdui.Graphics;

/** Draws the block graphics of one map on a phone's screen. */
public abstract class Renderer {
    /** Makes what the renderer draws from; called once, before the first {@link #drawGraphic}. */
    public abstract void prepare(PixelData pixels);

    /**
     * Draws graphic {@code n} with its top left corner at ({@code x}, {@code y}). With {@code keyed} the
     * transparent pixels are left out; without, they show in the transparent colour. The colour of {@code g}
     * is as it was afterwards, so the program's own drawing is not disturbed.
     */
    public abstract void drawGraphic(Graphics g, int n, int x, int y, boolean keyed);
}
