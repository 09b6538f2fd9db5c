package javax.microedition.media.control;

public interface TempoControl extends RateControl {
    public int setTempo(int millitempo);

    public int getTempo();
}
