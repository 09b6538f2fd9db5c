package javax.microedition.lcdui;

public class Graphics {
    public static final int HCENTER = 1;
    public static final int VCENTER = 2;
    public static final int LEFT = 4;
    public static final int RIGHT = 8;
    public static final int TOP = 16;
    public static final int BOTTOM = 32;
    public static final int BASELINE = 64;
    public static final int SOLID = 0;
    public static final int DOTTED = 1;

    Graphics() {}

    public void translate(int x, int y) {}

    public int getTranslateX() { return 0; }

    public int getTranslateY() { return 0; }

    public int getColor() { return 0; }

    public int getRedComponent() { return 0; }

    public int getGreenComponent() { return 0; }

    public int getBlueComponent() { return 0; }

    public int getGrayScale() { return 0; }

    public void setColor(int red, int green, int blue) {}

    public void setColor(int RGB) {}

    public void setGrayScale(int value) {}

    public Font getFont() { return null; }

    public void setStrokeStyle(int style) {}

    public int getStrokeStyle() { return 0; }

    public void setFont(Font font) {}

    public int getClipX() { return 0; }

    public int getClipY() { return 0; }

    public int getClipWidth() { return 0; }

    public int getClipHeight() { return 0; }

    public void clipRect(int x, int y, int width, int height) {}

    public void setClip(int x, int y, int width, int height) {}

    public native void drawLine(int x1, int y1, int x2, int y2);

    public native void fillRect(int x, int y, int width, int height);

    public native void drawRect(int x, int y, int width, int height);

    public native void drawRoundRect(int x, int y, int width, int height, int arcWidth, int arcHeight);

    public native void fillRoundRect(int x, int y, int width, int height, int arcWidth, int arcHeight);

    public native void fillArc(int x, int y, int width, int height, int startAngle, int arcAngle);

    public native void drawArc(int x, int y, int width, int height, int startAngle, int arcAngle);

    public native void drawString(String str, int x, int y, int anchor);

    public native void drawSubstring(String str, int offset, int len, int x, int y, int anchor);

    public native void drawChar(char character, int x, int y, int anchor);

    public native void drawChars(char[] data, int offset, int length, int x, int y, int anchor);

    public native void drawImage(Image img, int x, int y, int anchor);

    public native void drawRegion(Image src, int x_src, int y_src, int width, int height, int transform, int x_dest, int y_dest, int anchor);

    public native void copyArea(int x_src, int y_src, int width, int height, int x_dest, int y_dest, int anchor);

    public native void fillTriangle(int x1, int y1, int x2, int y2, int x3, int y3);

    public native void drawRGB(int[] rgbData, int offset, int scanlength, int x, int y, int width, int height, boolean processAlpha);

    public int getDisplayColor(int color) { return 0; }
}
