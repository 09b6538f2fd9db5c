package javax.microedition.lcdui;

import javax.microedition.midlet.MIDlet;

// The test runtime's display: one per run; showing a canvas notifies it, and paintCurrent draws it as the phone
// would.
public class Display {
    private static Display display;
    private Displayable current;

    private Display() {}

    public static Display getDisplay(MIDlet m) {
        if (display == null) display = new Display();
        return display;
    }

    public Displayable getCurrent() { return current; }

    public void setCurrent(Displayable next) {
        current = next;
        if (next instanceof Canvas) ((Canvas) next).showNotify();
    }

    public void setCurrent(Alert alert, Displayable next) { setCurrent(next); }

    public void paintCurrent() { ((Canvas) current).paint(new Graphics()); }
}
