package javax.microedition.media.control;

import javax.microedition.media.MediaException;

public interface VideoControl extends GUIControl {
    public static final int USE_DIRECT_VIDEO = 1;

    public Object initDisplayMode(int mode, Object arg);

    public void setDisplayLocation(int x, int y);

    public int getDisplayX();

    public int getDisplayY();

    public void setVisible(boolean visible);

    public void setDisplaySize(int width, int height) throws MediaException;

    public void setDisplayFullScreen(boolean fullScreenMode) throws MediaException;

    public int getSourceWidth();

    public int getSourceHeight();

    public int getDisplayWidth();

    public int getDisplayHeight();

    public byte[] getSnapshot(String imageType) throws MediaException;
}
