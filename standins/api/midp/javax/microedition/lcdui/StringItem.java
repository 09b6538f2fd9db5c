package javax.microedition.lcdui;

public class StringItem extends Item {
    public StringItem(String label, String text) {}

    public StringItem(String label, String text, int appearanceMode) {}

    public String getText() { return null; }

    public void setText(String text) {}

    public int getAppearanceMode() { return 0; }

    public void setFont(Font font) {}

    public Font getFont() { return null; }

    public void setPreferredSize(int width, int height) {}
}
