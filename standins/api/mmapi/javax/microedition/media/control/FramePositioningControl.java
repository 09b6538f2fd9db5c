package javax.microedition.media.control;

import javax.microedition.media.Control;

public interface FramePositioningControl extends Control {
    public int seek(int frameNumber);

    public int skip(int framesToSkip);

    public long mapFrameToTime(int frameNumber);

    public int mapTimeToFrame(long mediaTime);
}
