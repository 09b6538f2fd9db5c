package javax.microedition.lcdui;

// The layout constants stay declared here as well as in Item: MIDP 1.0 code names them through ImageItem.
public class ImageItem extends Item {
    public static final int LAYOUT_DEFAULT = 0;
    public static final int LAYOUT_LEFT = 1;
    public static final int LAYOUT_RIGHT = 2;
    public static final int LAYOUT_CENTER = 3;
    public static final int LAYOUT_NEWLINE_BEFORE = 0x100;
    public static final int LAYOUT_NEWLINE_AFTER = 0x200;

    public ImageItem(String label, Image img, int layout, String altText) {}

    public ImageItem(String label, Image image, int layout, String altText, int appearanceMode) {}

    public Image getImage() { return null; }

    public void setImage(Image img) {}

    public String getAltText() { return null; }

    public void setAltText(String text) {}

    public int getLayout() { return 0; }

    public void setLayout(int layout) {}

    public int getAppearanceMode() { return 0; }
}
