package Game;

/** The eight layer places of a map: 0 is BODY, 1 to 7 are LYR1 to LYR7; a place may stay empty. */
public class Layers {
    public static final int COUNT = 8;

    private final Layer[] layers = new Layer[COUNT];

    /** Layer {@code n}, or null when the map has none there. */
    public Layer get(int n) { return n >= 0 && n < COUNT ? layers[n] : null; }

    void set(int n, Layer layer) { layers[n] = layer; }
}
