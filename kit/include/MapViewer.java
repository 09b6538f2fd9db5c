package Game;

import javax.microedition.lcdui.Graphics;

/**
 * Shows a map on a screen area and answers questions about its blocks. The position is the map pixel at
 * the area's top left corner; it stays inside the map, so the area never shows beyond the map's edges
 * (a map smaller than the area stays at 0). Drawing paints layer 0; every layer can be queried.
 */
public class MapViewer {
    private final Map map;
    private final LayerViewer viewer;
    private final int width, height;
    private int x, y;

    MapViewer(Map map, Renderer renderer, int width, int height) {
        this.map = map;
        this.width = width;
        this.height = height;
        renderer.prepare(map.getPixelData());
        viewer = new LayerViewer(map, 0, renderer, width, height);
    }

    public void setX(int x) {
        MapHeader header = map.getHeader();
        this.x = clamp(x, header.mapWidth * header.blockWidth - width);
    }

    public void setY(int y) {
        MapHeader header = map.getHeader();
        this.y = clamp(y, header.mapHeight * header.blockHeight - height);
    }

    public int getX() { return x; }

    public int getY() { return y; }

    private static int clamp(int value, int max) {
        if (value > max) value = max;
        return value < 0 ? 0 : value;
    }

    /** Steps the animated blocks by one tick. */
    public void updateAnimBlocks() { map.getAnimBlocks().update(); }

    /**
     * Draws the map at the current position over the area from (0, 0). With {@code transparent} the
     * transparent pixels of the backgrounds are left out, so that what was drawn before shows through.
     */
    public void draw(Graphics g, boolean transparent) { viewer.draw(g, x, y, transparent); }

    /**
     * Flag {@code flag} (0 to 3 the collision corners top left, top right, bottom left, bottom right; 4 the
     * trigger; 5 to 7 the free bits) of the block at column {@code x}, row {@code y} of {@code layer}: 1 or
     * 0; 0 outside the map or for a layer it does not have.
     */
    public int getBlockFlag(int layer, int x, int y, int flag) {
        Block block = map.getBlock(layer, x, y);
        return block != null ? block.getFlag(flag) : 0;
    }

    /**
     * Graphic {@code image} (0 the background, 1 to 3 the foregrounds; 0 means none for a foreground) of the
     * block at column {@code x}, row {@code y} of {@code layer}; -1 outside the map, for a layer it does not
     * have or for another image number.
     */
    public int getBlockImage(int layer, int x, int y, int image) {
        Block block = map.getBlock(layer, x, y);
        return block != null ? block.getGraphic(image) : -1;
    }
}
