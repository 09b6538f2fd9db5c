package javax.microedition.media.control;

import javax.microedition.media.Control;

public interface RateControl extends Control {
    public int setRate(int millirate);

    public int getRate();

    public int getMaxRate();

    public int getMinRate();
}
