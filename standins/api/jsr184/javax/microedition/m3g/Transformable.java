package javax.microedition.m3g;

public abstract class Transformable extends Object3D {
    Transformable() {}

    public void setOrientation(float angle, float ax, float ay, float az) {}

    public void postRotate(float angle, float ax, float ay, float az) {}

    public void preRotate(float angle, float ax, float ay, float az) {}

    public void getOrientation(float[] angleAxis) {}

    public void setScale(float sx, float sy, float sz) {}

    public void scale(float sx, float sy, float sz) {}

    public void getScale(float[] xyz) {}

    public void setTranslation(float tx, float ty, float tz) {}

    public void translate(float tx, float ty, float tz) {}

    public void getTranslation(float[] xyz) {}

    public void setTransform(Transform transform) {}

    public void getTransform(Transform transform) {}

    public void getCompositeTransform(Transform transform) {}
}
