package javax.microedition.media.control;

import javax.microedition.media.Control;

public interface PitchControl extends Control {
    public int setPitch(int millisemitones);

    public int getPitch();

    public int getMaxPitch();

    public int getMinPitch();
}
