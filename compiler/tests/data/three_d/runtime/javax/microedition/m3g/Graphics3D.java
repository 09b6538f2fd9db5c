package javax.microedition.m3g;

// The checks the 3D API makes when a world is drawn: a bound target, a world, an active camera inside it.
public class Graphics3D {
    public static int frames;
    public static int cleared = -1;  // the colour of the last clear
    private static Graphics3D instance;
    private Object target;

    Graphics3D() {}

    public static final Graphics3D getInstance() {
        if (instance == null) instance = new Graphics3D();
        return instance;
    }

    public void bindTarget(Object target) {
        if (target == null) throw new NullPointerException("bindTarget(null)");
        if (this.target != null) throw new IllegalStateException("a target is already bound");
        this.target = target;
    }

    public void releaseTarget() { target = null; }

    public void setViewport(int x, int y, int width, int height) {}

    public void clear(Background background) {
        if (target == null) throw new IllegalStateException("clear without a target");
        cleared = background == null ? 0 : background.getColor();
    }

    public void render(World world) {
        if (world == null) throw new NullPointerException("render(null)");
        if (target == null) throw new IllegalStateException("render without a target");
        Camera camera = world.getActiveCamera();
        if (camera == null) throw new IllegalStateException("the world has no active camera");
        Node n = camera;
        while (n != null && n != world) n = n.getParent();
        if (n == null) throw new IllegalStateException("the active camera is not in the world");
        if (world.getBackground() != null) cleared = world.getBackground().getColor();
        frames++;
    }

    public void resetLights() {}
}
