package Game;

import javax.microedition.lcdui.Image;
import javax.microedition.media.Manager;
import javax.microedition.media.MediaException;
import javax.microedition.media.Player;
import javax.microedition.media.control.VideoControl;

// The camera of a generated program (the object "incVideo"). inc.StartCamera() opens the camera through this
// object and hands it out as the program's VideoControl: it passes every call on to the camera's own video
// control, and does nothing while no camera is open, so a refused or missing camera never stops the game.
// The camera starts once its display mode is set (VIDEO.START does that right after opening it).
public class IncludeVideo implements Include.Camera, VideoControl {
    // The last picture taken by VIDEO.CAPTURE; VIDEO.IMAGE copies it into an image of the program.
    public Image capturedImage;

    private Player player;
    private VideoControl control;

    public IncludeVideo() { Include.camera = this; }

    public boolean HasCamera() {
        String capture = System.getProperty("supports.video.capture");
        if (capture != null) return capture.toLowerCase().equals("true");
        String[] protocols = Manager.getSupportedProtocols(null);
        for (int i = 0; protocols != null && i < protocols.length; i++) {
            if (protocols[i].equals("capture")) return true;
        }
        return false;
    }

    // Takes a picture with the open camera into capturedImage; false when there is none or it fails.
    public boolean CaptureCamera() {
        if (control == null) return false;
        try {
            if (player.getState() != Player.STARTED) player.start();
            byte[] picture = control.getSnapshot(null);
            capturedImage = Image.createImage(picture, 0, picture.length);
            return true;
        } catch (Exception e) {
            return false;
        } catch (OutOfMemoryError e) {
            return false;
        }
    }

    public Object startCamera() {
        if (player != null) return this;
        try {
            player = Manager.createPlayer("capture://video");
            player.realize();
            control = (VideoControl) player.getControl("VideoControl");
            if (control == null) closeCamera();
        } catch (Exception e) {
            closeCamera();
        }
        return this;
    }

    public void closeCamera() {
        if (player != null) player.close();
        player = null;
        control = null;
    }

    // --- VideoControl, passed on to the open camera

    public Object initDisplayMode(int mode, Object arg) {
        if (control == null) return null;
        Object result = null;
        try {
            result = control.initDisplayMode(mode, arg);
        } catch (IllegalStateException e) {
            // The mode is set once per camera; a second VIDEO.START keeps the first.
        }
        try {
            player.start();
        } catch (MediaException e) {
        }
        return result;
    }

    public void setDisplayLocation(int x, int y) {
        if (control != null) control.setDisplayLocation(x, y);
    }

    public int getDisplayX() { return control == null ? 0 : control.getDisplayX(); }

    public int getDisplayY() { return control == null ? 0 : control.getDisplayY(); }

    public void setVisible(boolean visible) {
        if (control != null) control.setVisible(visible);
    }

    public void setDisplaySize(int width, int height) throws MediaException {
        if (control != null) control.setDisplaySize(width, height);
    }

    public void setDisplayFullScreen(boolean fullScreenMode) throws MediaException {
        if (control != null) control.setDisplayFullScreen(fullScreenMode);
    }

    public int getSourceWidth() { return control == null ? 0 : control.getSourceWidth(); }

    public int getSourceHeight() { return control == null ? 0 : control.getSourceHeight(); }

    public int getDisplayWidth() { return control == null ? 0 : control.getDisplayWidth(); }

    public int getDisplayHeight() { return control == null ? 0 : control.getDisplayHeight(); }

    public byte[] getSnapshot(String imageType) throws MediaException {
        if (control == null) throw new MediaException("No camera is open");
        return control.getSnapshot(imageType);
    }
}
