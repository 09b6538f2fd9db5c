package javax.microedition.m3g;

public class World extends Group {
    private Background background;
    private Camera activeCamera;

    public World() {}

    public void setBackground(Background background) { this.background = background; }

    public Background getBackground() { return background; }

    public void setActiveCamera(Camera camera) {
        if (camera == null) throw new NullPointerException("setActiveCamera(null)");
        activeCamera = camera;
    }

    public Camera getActiveCamera() { return activeCamera; }
}
