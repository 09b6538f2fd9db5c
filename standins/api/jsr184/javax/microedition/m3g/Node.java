package javax.microedition.m3g;

public abstract class Node extends Transformable {
    public static final int NONE = 144;
    public static final int ORIGIN = 145;
    public static final int X_AXIS = 146;
    public static final int Y_AXIS = 147;
    public static final int Z_AXIS = 148;

    Node() {}

    public Node getParent() { return null; }

    public boolean getTransformTo(Node target, Transform transform) { return false; }

    public void setAlignment(Node zRef, int zTarget, Node yRef, int yTarget) {}

    public void align(Node reference) {}

    public Node getAlignmentReference(int axis) { return null; }

    public int getAlignmentTarget(int axis) { return 0; }

    public void setAlphaFactor(float alphaFactor) {}

    public float getAlphaFactor() { return 0; }

    public void setRenderingEnable(boolean enable) {}

    public boolean isRenderingEnabled() { return false; }

    public void setPickingEnable(boolean enable) {}

    public boolean isPickingEnabled() { return false; }

    public void setScope(int scope) {}

    public int getScope() { return 0; }
}
