package javax.microedition.media;

import java.io.IOException;
import java.io.InputStream;
import javax.microedition.media.protocol.DataSource;

public final class Manager {
    public static final String TONE_DEVICE_LOCATOR = "device://tone";
    public static final String MIDI_DEVICE_LOCATOR = "device://midi";

    private Manager() {}

    public static String[] getSupportedContentTypes(String protocol) { return null; }

    public static String[] getSupportedProtocols(String content_type) { return null; }

    public static Player createPlayer(String locator) throws IOException, MediaException { return null; }

    public static Player createPlayer(InputStream stream, String type) throws IOException, MediaException { return null; }

    public static Player createPlayer(DataSource source) throws IOException, MediaException { return null; }

    public static void playTone(int note, int duration, int volume) throws MediaException {}

    public static TimeBase getSystemTimeBase() { return null; }
}
