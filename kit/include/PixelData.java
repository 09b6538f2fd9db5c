package Game;

/**
 * The BGFX chunk: the block graphics, one after another, each blockWidth x blockHeight pixels row by row.
 * Pixel forms: 8 bits = an index into CMAP; 15 bits = 0RRRRRGG GGGBBBBB and 16 bits = RRRRRGGG GGGBBBBB,
 * both most significant byte first; 24 bits = red, green, blue; 32 bits = one unused byte, then red, green,
 * blue. Pixels of the map's transparent colour are the see-through ones.
 */
public class PixelData {
    final byte[] data;
    final int count;
    final int width, height;
    private final int depth, bytesPerPixel;
    private final ColourMap colours;
    private final int keyIndex;
    private final int keyRGB;

    PixelData(byte[] data, MapHeader header, ColourMap colours) {
        this.data = data;
        this.width = header.blockWidth;
        this.height = header.blockHeight;
        this.depth = header.depth;
        this.bytesPerPixel = header.bytesPerPixel();
        this.count = header.numBlockGraphics;
        this.colours = colours;
        this.keyIndex = header.keyIndex;
        this.keyRGB = (header.keyRed << 16) | (header.keyGreen << 8) | header.keyBlue;
    }

    public int getCount() { return count; }

    public int getWidth() { return width; }

    public int getHeight() { return height; }

    /** The transparent colour as 0xRRGGBB, as the opaque drawing of a block shows it. */
    public int getKeyRGB() { return depth == 8 && colours != null ? colours.getRGB(keyIndex) : keyRGB; }

    /**
     * Graphic {@code n} as 0xAARRGGBB pixels, row by row: alpha 0xFF, or 0 for a transparent pixel (which
     * keeps its colour, so that an opaque drawing can still show it).
     */
    public int[] getARGB(int n) {
        int pixels = width * height;
        int[] argb = new int[pixels];
        int at = n * pixels * bytesPerPixel;
        for (int i = 0; i < pixels; i++, at += bytesPerPixel) {
            int rgb;
            boolean key;
            switch (depth) {
                case 8: {
                    int index = data[at] & 0xFF;
                    rgb = colours != null ? colours.getRGB(index) : 0;
                    key = index == keyIndex;
                    break;
                }
                case 15:
                case 16: {
                    int v = ((data[at] & 0xFF) << 8) | (data[at + 1] & 0xFF);
                    int r, g, b;
                    if (depth == 15) {
                        r = (v >> 10) & 31;
                        g = (v >> 5) & 31;
                        b = v & 31;
                        key = r == (keyRGB >> 19 & 31) && g == (keyRGB >> 11 & 31) && b == (keyRGB >> 3 & 31);
                        g = (g << 3) | (g >> 2);
                    } else {
                        r = v >> 11;
                        g = (v >> 5) & 63;
                        b = v & 31;
                        key = r == (keyRGB >> 19 & 31) && g == (keyRGB >> 10 & 63) && b == (keyRGB >> 3 & 31);
                        g = (g << 2) | (g >> 4);
                    }
                    rgb = (((r << 3) | (r >> 2)) << 16) | (g << 8) | ((b << 3) | (b >> 2));
                    break;
                }
                default: {
                    int o = depth == 32 ? at + 1 : at;
                    rgb = ((data[o] & 0xFF) << 16) | ((data[o + 1] & 0xFF) << 8) | (data[o + 2] & 0xFF);
                    key = rgb == keyRGB;
                    break;
                }
            }
            argb[i] = key ? rgb : 0xFF000000 | rgb;
        }
        return argb;
    }
}
