import java.applet.Applet;
import java.applet.AppletContext;
import java.applet.AppletStub;
import java.applet.AudioClip;
import java.awt.Color;
import java.awt.Component;
import java.awt.Container;
import java.awt.EventQueue;
import java.awt.Frame;
import java.awt.Image;
import java.awt.Point;
import java.awt.Robot;
import java.awt.Toolkit;
import java.awt.event.InputEvent;
import java.awt.event.KeyEvent;
import java.io.File;
import java.io.InputStream;
import java.net.URL;
import java.util.Collections;
import java.util.Enumeration;
import java.util.Iterator;

// Runs an applet program in a window of its own, as a page would (under Xvfb in the tests):
// java -cp <harness>:<project folder> RunApplet Game.<Name> WIDTHxHEIGHT STEP...  The project folder is
// the page's folder: the applet's class is in its Game folder and its images beside it. The applet is
// given a stub and a context of the harness, init and start are called as a browser calls them, and the
// window is shown at the given size. Then the steps: those of Harness, and
//   press KEY / release KEY / type KEY   a real key (KeyEvent's VK_ name without "VK_": UP, A, 5, ENTER)
//   click X Y                            a mouse click on the canvas
//   pixel X Y RRGGBB                     until the canvas shows that colour there; reports what it shows
//   size                                 the applet's and the shown canvas's sizes
//   stop / start                         the applet stopped or started as a browser does
public class RunApplet extends Harness implements AppletStub, AppletContext {
    private Applet applet;
    private Robot robot;

    public static void main(String[] args) throws Exception {
        RunApplet harness = new RunApplet();
        String[] size = args[1].split("x");
        harness.robot = new Robot();
        harness.robot.setAutoDelay(20);
        harness.applet = (Applet) Class.forName(args[0]).getDeclaredConstructor().newInstance();
        harness.applet.setStub(harness);
        Frame frame = new Frame(args[0]);
        frame.setUndecorated(true);
        frame.add(harness.applet);
        frame.setBounds(0, 0, Integer.parseInt(size[0]), Integer.parseInt(size[1]));
        try {
            harness.applet.init();
        } catch (Throwable error) {
            harness.report("init threw " + error);
            System.exit(1);
        }
        frame.setVisible(true);
        harness.applet.start();
        harness.robot.waitForIdle();
        harness.run(args, 2);
        System.exit(0);
    }

    @Override
    Object canvas() {
        return canvasIn(applet);
    }

    // The canvas SETDISPLAY put in the applet, shown or not (a stopped applet hides it).
    private static Component canvasIn(Container container) {
        for (Component c : container.getComponents()) {
            if (c instanceof java.awt.Canvas) return c;
            if (c instanceof Container) {
                Component inner = canvasIn((Container) c);
                if (inner != null) return inner;
            }
        }
        return null;
    }

    @Override
    boolean step(String name, String[] words) throws Exception {
        switch (name) {
            case "press":
                robot.keyPress(key(words[1]));
                return true;
            case "release":
                robot.keyRelease(key(words[1]));
                return true;
            case "type":
                robot.keyPress(key(words[1]));
                robot.keyRelease(key(words[1]));
                return true;
            case "click": {
                Point at = onScreen(Integer.parseInt(words[1]), Integer.parseInt(words[2]));
                robot.mouseMove(at.x, at.y);
                robot.mousePress(InputEvent.BUTTON1_DOWN_MASK);
                robot.mouseRelease(InputEvent.BUTTON1_DOWN_MASK);
                robot.waitForIdle();
                return true;
            }
            case "pixel": {
                int x = Integer.parseInt(words[1]), y = Integer.parseInt(words[2]);
                int wanted = Integer.parseInt(words[3], 16);
                // What the last look saw: a canvas being painted again shows other colours between looks.
                int[] shown = {-1};
                boolean reached = until(() -> (shown[0] = colour(x, y)) == wanted);
                String seen = String.format("pixel %d %d %06x", x, y, shown[0]);
                if (!reached) giveUp(seen);
                report(seen);
                return true;
            }
            case "size": {
                Component canvas = canvasIn(applet);
                report("applet " + applet.getWidth() + "x" + applet.getHeight() + " canvas "
                       + (canvas == null ? "none" : canvas.getWidth() + "x" + canvas.getHeight()));
                return true;
            }
            case "stop":
                applet.stop();
                return true;
            case "start":
                applet.start();
                return true;
            default:
                return false;
        }
    }

    private static int key(String name) throws Exception {
        return KeyEvent.class.getField("VK_" + name).getInt(null);
    }

    private Point onScreen(int x, int y) throws Exception {
        Component canvas = canvasIn(applet);
        Point[] origin = new Point[1];
        EventQueue.invokeAndWait(() -> origin[0] = canvas.getLocationOnScreen());
        return new Point(origin[0].x + x, origin[0].y + y);
    }

    private int colour(int x, int y) throws Exception {
        Component canvas = canvasIn(applet);
        if (canvas == null || !canvas.isShowing()) return -1;
        Point at = onScreen(x, y);
        Color c = robot.getPixelColor(at.x, at.y);
        return c.getRGB() & 0xffffff;
    }

    // The stub and the context: the page's folder is the working folder.

    private URL folder() {
        try {
            return new File(".").getAbsoluteFile().toURI().toURL();
        } catch (java.net.MalformedURLException e) {
            throw new IllegalStateException(e);
        }
    }

    @Override public boolean isActive() { return true; }
    @Override public URL getDocumentBase() { return folder(); }
    @Override public URL getCodeBase() { return folder(); }
    @Override public String getParameter(String name) { return null; }
    @Override public AppletContext getAppletContext() { return this; }
    @Override public void appletResize(int width, int height) {}
    @Override public AudioClip getAudioClip(URL url) { return null; }
    @Override public Image getImage(URL url) { return Toolkit.getDefaultToolkit().getImage(url); }
    @Override public Applet getApplet(String name) { return null; }
    @Override public Enumeration<Applet> getApplets() { return Collections.enumeration(Collections.singletonList(applet)); }
    @Override public void showDocument(URL url) {}
    @Override public void showDocument(URL url, String target) {}
    @Override public void showStatus(String status) { report("status " + status); }
    @Override public void setStream(String key, InputStream stream) {}
    @Override public InputStream getStream(String key) { return null; }
    @Override public Iterator<String> getStreamKeys() { return Collections.emptyIterator(); }
}
