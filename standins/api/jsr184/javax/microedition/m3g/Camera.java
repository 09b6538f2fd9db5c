package javax.microedition.m3g;

public class Camera extends Node {
    public static final int GENERIC = 48;
    public static final int PARALLEL = 49;
    public static final int PERSPECTIVE = 50;

    public Camera() {}

    public void setParallel(float fovy, float aspectRatio, float near, float far) {}

    public void setPerspective(float fovy, float aspectRatio, float near, float far) {}

    public void setGeneric(Transform transform) {}

    public int getProjection(Transform transform) { return 0; }

    public int getProjection(float[] params) { return 0; }
}
