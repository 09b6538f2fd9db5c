package javax.microedition.m3g;

public class Transform {
    public Transform() {}

    public Transform(Transform transform) {}

    public void setIdentity() {}

    public void set(Transform transform) {}

    public void set(float[] matrix) {}

    public void get(float[] matrix) {}

    public void invert() {}

    public void transpose() {}

    public void postMultiply(Transform transform) {}

    public void postScale(float sx, float sy, float sz) {}

    public void postRotate(float angle, float ax, float ay, float az) {}

    public void postRotateQuat(float qx, float qy, float qz, float qw) {}

    public void postTranslate(float tx, float ty, float tz) {}

    public void transform(float[] vectors) {}

    public void transform(VertexArray in, float[] out, boolean W) {}
}
