package javax.microedition.m3g;

public class RayIntersection {
    public RayIntersection() {}

    public Node getIntersected() { return null; }

    public float getDistance() { return 0; }

    public int getSubmeshIndex() { return 0; }

    public float getTextureS(int index) { return 0; }

    public float getTextureT(int index) { return 0; }

    public float getNormalX() { return 0; }

    public float getNormalY() { return 0; }

    public float getNormalZ() { return 0; }

    public void getRay(float[] ray) {}
}
