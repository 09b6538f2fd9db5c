package Game;

import java.io.IOException;
import java.util.Hashtable;
import javax.microedition.lcdui.*;
import javax.microedition.m3g.*;

// The 3D API as a hand-written canvas uses it: a loaded world, a mesh built by hand, animation, skinning,
// morphing, picking and immediate-mode rendering.
public class Scene3D extends Canvas {
    private final Graphics3D g3d = Graphics3D.getInstance();
    private World world;
    private final Transform spin = new Transform();
    private int time;

    public Scene3D() throws IOException {
        Object3D[] roots = Loader.load("/scene.m3g");
        for (int i = 0; i < roots.length; ++i) {
            if (roots[i] instanceof World) world = (World) roots[i];
        }
        if (world == null) world = new World();
        Camera camera = new Camera();
        camera.setPerspective(60.0f, (float) getWidth() / getHeight(), 1.0f, 100.0f);
        camera.setTranslation(0, 0, 10);
        world.addChild(camera);
        world.setActiveCamera(camera);
        Light sun = new Light();
        sun.setMode(Light.DIRECTIONAL);
        sun.setIntensity(1.5f);
        sun.setOrientation(-45, 1, 0, 0);
        world.addChild(sun);
        Background sky = new Background();
        sky.setColor(0xff3366cc);
        sky.setImageMode(Background.REPEAT, Background.BORDER);
        world.setBackground(sky);

        Mesh cube = cube();
        world.addChild(cube);
        KeyframeSequence turns = new KeyframeSequence(2, 4, KeyframeSequence.SLERP);
        turns.setKeyframe(0, 0, new float[] {0, 0, 0, 1});
        turns.setKeyframe(1, 1000, new float[] {0, 1, 0, 0});
        turns.setDuration(1000);
        turns.setRepeatMode(KeyframeSequence.LOOP);
        AnimationTrack track = new AnimationTrack(turns, AnimationTrack.ORIENTATION);
        AnimationController controller = new AnimationController();
        controller.setSpeed(2.0f, 0);
        track.setController(controller);
        cube.addAnimationTrack(track);

        Group skeleton = new Group();
        Group bone = new Group();
        skeleton.addChild(bone);
        SkinnedMesh skin = new SkinnedMesh(cube.getVertexBuffer(), cube.getIndexBuffer(0), cube.getAppearance(0), skeleton);
        skin.addTransform(bone, 1, 0, 4);
        world.addChild(skin);
        MorphingMesh blob = new MorphingMesh(cube.getVertexBuffer(), new VertexBuffer[] {cube.getVertexBuffer()},
                                             cube.getIndexBuffer(0), cube.getAppearance(0));
        blob.setWeights(new float[] {0.5f});
        world.addChild(blob);

        Image2D label = new Image2D(Image2D.RGBA, Image.createImage(16, 16));
        Appearance flat = new Appearance();
        CompositingMode blend = new CompositingMode();
        blend.setBlending(CompositingMode.ALPHA);
        flat.setCompositingMode(blend);
        Sprite3D marker = new Sprite3D(true, label, flat);
        marker.setCrop(0, 0, 16, 16);
        marker.setAlignment(null, Node.NONE, camera, Node.Y_AXIS);
        world.addChild(marker);
    }

    private static Mesh cube() {
        VertexArray positions = new VertexArray(4, 3, 2);
        positions.set(0, 4, new short[] {-1, -1, 0, 1, -1, 0, -1, 1, 0, 1, 1, 0});
        VertexArray texture = new VertexArray(4, 2, 1);
        texture.set(0, 4, new byte[] {0, 1, 1, 1, 0, 0, 1, 0});
        VertexBuffer vertices = new VertexBuffer();
        vertices.setPositions(positions, 1.0f, null);
        vertices.setTexCoords(0, texture, 1.0f, null);
        vertices.setDefaultColor(0xffffffff);
        IndexBuffer strip = new TriangleStripArray(0, new int[] {4});
        Appearance look = new Appearance();
        Material material = new Material();
        material.setColor(Material.DIFFUSE, 0xffcc3300);
        material.setVertexColorTrackingEnable(true);
        look.setMaterial(material);
        PolygonMode polygons = new PolygonMode();
        polygons.setCulling(PolygonMode.CULL_NONE);
        polygons.setShading(PolygonMode.SHADE_SMOOTH);
        look.setPolygonMode(polygons);
        Texture2D checks = new Texture2D(new Image2D(Image2D.RGB, 2, 2, new byte[12]));
        checks.setFiltering(Texture2D.FILTER_NEAREST, Texture2D.FILTER_LINEAR);
        checks.setWrapping(Texture2D.WRAP_REPEAT, Texture2D.WRAP_CLAMP);
        checks.setBlending(Texture2D.FUNC_MODULATE);
        look.setTexture(0, checks);
        Fog fog = new Fog();
        fog.setMode(Fog.LINEAR);
        fog.setLinear(5.0f, 50.0f);
        look.setFog(fog);
        Mesh mesh = new Mesh(vertices, strip, look);
        mesh.setUserID(7);
        return mesh;
    }

    protected void paint(Graphics g) {
        Hashtable properties = Graphics3D.getProperties();
        boolean antialias = Boolean.TRUE.equals(properties.get("supportAntialiasing"));
        try {
            g3d.bindTarget(g, true, antialias ? Graphics3D.ANTIALIAS | Graphics3D.DITHER : Graphics3D.TRUE_COLOR);
            world.animate(time += 50);
            g3d.render(world);
            Object3D found = world.find(7);
            if (found instanceof Mesh) {
                Mesh mesh = (Mesh) found;
                spin.setIdentity();
                spin.postRotate(time / 10.0f, 0, 1, 0);
                spin.postTranslate(2, 0, 0);
                g3d.render(mesh.getVertexBuffer(), mesh.getIndexBuffer(0), mesh.getAppearance(0), spin);
                float[] corners = new float[16];
                spin.transform(mesh.getVertexBuffer().getPositions(new float[4]), corners, true);
            }
        } finally {
            g3d.releaseTarget();
        }
    }

    protected void pointerPressed(int x, int y) {
        RayIntersection hit = new RayIntersection();
        if (world.pick(-1, (float) x / getWidth(), (float) y / getHeight(), world.getActiveCamera(), hit)) {
            Node node = hit.getIntersected();
            node.setRenderingEnable(hit.getDistance() > 1.0f);
        }
    }
}
