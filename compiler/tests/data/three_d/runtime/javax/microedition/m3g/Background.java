package javax.microedition.m3g;

public class Background extends Object3D {
    private int color;

    public Background() {}

    public void setColor(int rgb) { color = rgb; }

    public int getColor() { return color; }

    public void setImage(Image2D image) {}
}
