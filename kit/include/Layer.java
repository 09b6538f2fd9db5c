package Game;

/**
 * One layer of cells, row by row. A cell holds a block number (0 or more) or an animated block, stored as
 * -(anim number + 1).
 */
public class Layer {
    final int width, height;
    final short[] cells;

    Layer(int width, int height, short[] cells) {
        this.width = width;
        this.height = height;
        this.cells = cells;
    }

    public boolean contains(int x, int y) { return x >= 0 && y >= 0 && x < width && y < height; }

    /** The raw cell at column {@code x}, row {@code y}, which must lie in the layer. */
    public int getCell(int x, int y) { return cells[y * width + x]; }
}
