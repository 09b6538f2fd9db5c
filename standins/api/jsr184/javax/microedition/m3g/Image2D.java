package javax.microedition.m3g;

public class Image2D extends Object3D {
    public static final int ALPHA = 96;
    public static final int LUMINANCE = 97;
    public static final int LUMINANCE_ALPHA = 98;
    public static final int RGB = 99;
    public static final int RGBA = 100;

    public Image2D(int format, Object image) {}

    public Image2D(int format, int width, int height, byte[] image) {}

    public Image2D(int format, int width, int height, byte[] image, byte[] palette) {}

    public Image2D(int format, int width, int height) {}

    public void set(int x, int y, int width, int height, byte[] image) {}

    public boolean isMutable() { return false; }

    public int getFormat() { return 0; }

    public int getWidth() { return 0; }

    public int getHeight() { return 0; }
}
