package javax.microedition.lcdui;

import javax.microedition.midlet.MIDlet;

// The desktop harness's display (RunPhone): one per run, the API's members and what a phone does with
// them that a program can see: a canvas that becomes current is told it is shown, the one it replaces
// that it is hidden. Key presses, pointer drags and paints come from the harness's steps, in the thread
// that runs them (the phone's event thread).
public class Display {
    public static final int LIST_ELEMENT = 1;
    public static final int CHOICE_GROUP_ELEMENT = 2;
    public static final int ALERT = 3;
    public static final int COLOR_BACKGROUND = 0;
    public static final int COLOR_FOREGROUND = 1;
    public static final int COLOR_HIGHLIGHTED_BACKGROUND = 2;
    public static final int COLOR_HIGHLIGHTED_FOREGROUND = 3;
    public static final int COLOR_BORDER = 4;
    public static final int COLOR_HIGHLIGHTED_BORDER = 5;

    private static Display display;
    private Displayable current;

    Display() {}

    public static Display getDisplay(MIDlet m) {
        if (display == null) display = new Display();
        return display;
    }

    public int getColor(int colorSpecifier) { return 0; }

    public int getBorderStyle(boolean highlighted) { return 0; }

    public boolean isColor() { return true; }

    public int numColors() { return 1 << 24; }

    public int numAlphaLevels() { return 256; }

    public synchronized Displayable getCurrent() { return current; }

    public synchronized void setCurrent(Displayable next) {
        if (next == null || next == current) return;
        if (current instanceof Canvas) ((Canvas) current).hideNotify();
        current = next;
        if (next instanceof Canvas) ((Canvas) next).showNotify();
    }

    public void setCurrent(Alert alert, Displayable next) { setCurrent(next); }

    public void setCurrentItem(Item item) {}

    public void callSerially(Runnable r) { r.run(); }

    public boolean flashBacklight(int duration) { return false; }

    public boolean vibrate(int duration) { return false; }

    public int getBestImageWidth(int imageType) { return 0; }

    public int getBestImageHeight(int imageType) { return 0; }

    // The harness's side.

    public synchronized Canvas shownCanvas() {
        return current instanceof Canvas ? (Canvas) current : null;
    }

    public void press(int keyCode) { shownCanvas().keyPressed(keyCode); }

    public void release(int keyCode) { shownCanvas().keyReleased(keyCode); }

    public void drag(int x, int y) { shownCanvas().pointerDragged(x, y); }

    public void paintShown() { shownCanvas().paint(new Graphics()); }
}
