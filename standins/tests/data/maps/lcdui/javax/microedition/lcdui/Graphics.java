package javax.microedition.lcdui;

/** Desktop stand-in: prints what is drawn, naming the surface it draws on. */
public class Graphics {
    public static final int LEFT = 4;
    public static final int TOP = 16;

    private final String surface;
    private int colour;

    public Graphics(String surface) { this.surface = surface; }

    public int getColor() { return colour; }

    public void setColor(int rgb) { colour = rgb & 0xFFFFFF; }

    public void fillRect(int x, int y, int width, int height) {
        System.out.println(surface + " fillRect " + x + "," + y + " " + width + "x" + height + " "
                + Integer.toHexString(colour));
    }

    public void drawImage(Image image, int x, int y, int anchor) {
        System.out.println(surface + " drawImage " + image.name + " at " + x + "," + y + " anchor " + anchor);
    }
}
