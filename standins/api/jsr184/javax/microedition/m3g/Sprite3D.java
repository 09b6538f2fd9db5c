package javax.microedition.m3g;

public class Sprite3D extends Node {
    public Sprite3D(boolean scaled, Image2D image, Appearance appearance) {}

    public boolean isScaled() { return false; }

    public void setAppearance(Appearance appearance) {}

    public Appearance getAppearance() { return null; }

    public void setImage(Image2D image) {}

    public Image2D getImage() { return null; }

    public void setCrop(int cropX, int cropY, int width, int height) {}

    public int getCropX() { return 0; }

    public int getCropY() { return 0; }

    public int getCropWidth() { return 0; }

    public int getCropHeight() { return 0; }
}
