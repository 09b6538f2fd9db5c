package javax.microedition.m3g;

public class Material extends Object3D {
    public static final int AMBIENT = 1024;
    public static final int DIFFUSE = 2048;
    public static final int EMISSIVE = 4096;
    public static final int SPECULAR = 8192;

    public Material() {}

    public void setColor(int target, int ARGB) {}

    public int getColor(int target) { return 0; }

    public void setShininess(float shininess) {}

    public float getShininess() { return 0; }

    public void setVertexColorTrackingEnable(boolean enable) {}

    public boolean isVertexColorTrackingEnabled() { return false; }
}
