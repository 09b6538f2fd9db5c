package javax.microedition.m3g;

public class Texture2D extends Transformable {
    public static final int FILTER_BASE_LEVEL = 208;
    public static final int FILTER_LINEAR = 209;
    public static final int FILTER_NEAREST = 210;
    public static final int FUNC_ADD = 224;
    public static final int FUNC_BLEND = 225;
    public static final int FUNC_DECAL = 226;
    public static final int FUNC_MODULATE = 227;
    public static final int FUNC_REPLACE = 228;
    public static final int WRAP_CLAMP = 240;
    public static final int WRAP_REPEAT = 241;

    public Texture2D(Image2D image) {}

    public void setImage(Image2D image) {}

    public Image2D getImage() { return null; }

    public void setFiltering(int levelFilter, int imageFilter) {}

    public int getImageFilter() { return 0; }

    public int getLevelFilter() { return 0; }

    public void setWrapping(int wrapS, int wrapT) {}

    public int getWrappingS() { return 0; }

    public int getWrappingT() { return 0; }

    public void setBlending(int func) {}

    public int getBlending() { return 0; }

    public void setBlendColor(int RGB) {}

    public int getBlendColor() { return 0; }
}
