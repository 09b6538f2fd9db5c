package Game;

import javax.microedition.lcdui.Graphics;

/** Draws the cells of one layer that a screen area shows. */
public class LayerViewer {
    private final Map map;
    private final int layer;
    private final Renderer renderer;
    private final int width, height;

    LayerViewer(Map map, int layer, Renderer renderer, int width, int height) {
        this.map = map;
        this.layer = layer;
        this.renderer = renderer;
        this.width = width;
        this.height = height;
    }

    /**
     * Draws with map pixel ({@code mapX}, {@code mapY}) at the area's top left corner: each cell's
     * background, then its foregrounds (graphic 0 is no foreground), which are always see-through.
     */
    void draw(Graphics g, int mapX, int mapY, boolean transparent) {
        MapHeader header = map.getHeader();
        int bw = header.blockWidth, bh = header.blockHeight;
        int firstColumn = mapX / bw, firstRow = mapY / bh;
        for (int row = firstRow, sy = firstRow * bh - mapY; sy < height && row < header.mapHeight;
                row++, sy += bh) {
            for (int column = firstColumn, sx = firstColumn * bw - mapX;
                    sx < width && column < header.mapWidth; column++, sx += bw) {
                Block block = map.getBlock(layer, column, row);
                if (block == null) continue;
                renderer.drawGraphic(g, block.graphics[0], sx, sy, transparent);
                for (int i = 1; i < 4; i++) {
                    if (block.graphics[i] != 0) renderer.drawGraphic(g, block.graphics[i], sx, sy, true);
                }
            }
        }
    }
}
