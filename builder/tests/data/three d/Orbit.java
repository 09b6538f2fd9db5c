package Game;

import javax.microedition.lcdui.Canvas;
import javax.microedition.lcdui.Display;
import javax.microedition.lcdui.Graphics;
import javax.microedition.m3g.*;
import javax.microedition.midlet.MIDlet;

// The shape of a compiled 3D program: a world holding an object made from a model class, a camera and a
// light, rendered on a canvas.
public class Orbit extends MIDlet {
    private final World world = new World();
    private final Camera camera = new Camera();
    private final Light light = new Light();
    private final MODEL model = new MODEL();
    private final Scene scene = new Scene();

    public Orbit() {
        camera.setPerspective(60.0f, 1.0f, 1.0f, 100.0f);
        camera.setTranslation(0.0f, 0.0f, 5.0f);
        world.addChild(camera);
        world.setActiveCamera(camera);
        light.setColor(0xFFFFFF);
        world.addChild(light);
        world.addChild(MODEL.getObject());
    }

    protected void startApp() {
        Display.getDisplay(this).setCurrent(scene);
    }

    protected void pauseApp() {
    }

    protected void destroyApp(boolean unconditional) {
    }

    class Scene extends Canvas {
        protected void paint(Graphics g) {
            Graphics3D g3d = Graphics3D.getInstance();
            g3d.bindTarget(g);
            g3d.render(world);
            g3d.releaseTarget();
        }
    }
}
