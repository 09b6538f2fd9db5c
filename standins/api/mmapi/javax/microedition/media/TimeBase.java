package javax.microedition.media;

public interface TimeBase {
    public long getTime();
}
