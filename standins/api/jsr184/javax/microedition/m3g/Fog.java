package javax.microedition.m3g;

public class Fog extends Object3D {
    public static final int EXPONENTIAL = 80;
    public static final int LINEAR = 81;

    public Fog() {}

    public void setMode(int mode) {}

    public int getMode() { return 0; }

    public void setLinear(float near, float far) {}

    public float getNearDistance() { return 0; }

    public float getFarDistance() { return 0; }

    public void setDensity(float density) {}

    public float getDensity() { return 0; }

    public void setColor(int RGB) {}

    public int getColor() { return 0; }
}
