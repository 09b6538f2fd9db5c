package javax.microedition.lcdui;

/** Desktop stand-in: an image is a name; creating one prints how it was made. */
public class Image {
    private static int made;
    final String name;

    private Image(String name) { this.name = name; }

    public static Image createImage(int width, int height) {
        Image image = new Image("image" + made++);
        System.out.println("createImage " + image.name + " " + width + "x" + height);
        return image;
    }

    public static Image createRGBImage(int[] rgb, int width, int height, boolean processAlpha) {
        Image image = new Image("image" + made++);
        StringBuffer pixels = new StringBuffer();
        for (int i = 0; i < rgb.length; i++) pixels.append(' ').append(Integer.toHexString(rgb[i]));
        System.out.println("createRGBImage " + image.name + " " + width + "x" + height
                + (processAlpha ? " alpha" : "") + pixels);
        return image;
    }

    public Graphics getGraphics() { return new Graphics(name); }
}
