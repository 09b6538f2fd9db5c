package javax.microedition.m3g;

import java.util.Hashtable;

public class Graphics3D {
    public static final int ANTIALIAS = 2;
    public static final int DITHER = 4;
    public static final int TRUE_COLOR = 8;
    public static final int OVERWRITE = 16;

    Graphics3D() {}

    public static final Graphics3D getInstance() { return null; }

    public void bindTarget(Object target) {}

    public void bindTarget(Object target, boolean depthBuffer, int hints) {}

    public void releaseTarget() {}

    public Object getTarget() { return null; }

    public int getHints() { return 0; }

    public boolean isDepthBufferEnabled() { return false; }

    public void setViewport(int x, int y, int width, int height) {}

    public int getViewportX() { return 0; }

    public int getViewportY() { return 0; }

    public int getViewportWidth() { return 0; }

    public int getViewportHeight() { return 0; }

    public void setDepthRange(float near, float far) {}

    public float getDepthRangeNear() { return 0; }

    public float getDepthRangeFar() { return 0; }

    public void clear(Background background) {}

    public void render(World world) {}

    public void render(Node node, Transform transform) {}

    public void render(VertexBuffer vertices, IndexBuffer triangles, Appearance appearance, Transform transform) {}

    public void render(VertexBuffer vertices, IndexBuffer triangles, Appearance appearance, Transform transform,
                       int scope) {}

    public void setCamera(Camera camera, Transform transform) {}

    public Camera getCamera(Transform transform) { return null; }

    public int addLight(Light light, Transform transform) { return 0; }

    public void setLight(int index, Light light, Transform transform) {}

    public Light getLight(int index, Transform transform) { return null; }

    public void resetLights() {}

    public int getLightCount() { return 0; }

    public static final Hashtable getProperties() { return null; }
}
