package Game;

/** The CMAP chunk: the palette of an 8-bit map, three bytes (red, green, blue) per colour. */
public class ColourMap {
    /** One palette entry, each component 0..255. */
    public static class Colour {
        final int red, green, blue;

        Colour(int red, int green, int blue) {
            this.red = red;
            this.green = green;
            this.blue = blue;
        }

        public int getRGB() { return (red << 16) | (green << 8) | blue; }
    }

    private final Colour[] colours;

    ColourMap(Colour[] colours) { this.colours = colours; }

    public int size() { return colours.length; }

    /** The colour of palette entry {@code index} as 0xRRGGBB; black for an index beyond the palette. */
    public int getRGB(int index) {
        return index >= 0 && index < colours.length ? colours[index].getRGB() : 0;
    }
}
