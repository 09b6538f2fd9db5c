package Game;

import java.io.*;
import javax.microedition.lcdui.*;
import javax.microedition.media.*;
import javax.microedition.media.control.*;
import javax.microedition.media.protocol.*;
import javax.microedition.midlet.*;

// The media API as a hand-written MIDlet uses it: players from locators, streams and a data source of its
// own, every control, the tone sequence and the system time base.
public class MediaShowcase extends MIDlet implements PlayerListener {
    private Player music;

    protected void startApp() {
        try {
            Manager.playTone(ToneControl.C4, 200, 80);
            Player tones = Manager.createPlayer(Manager.TONE_DEVICE_LOCATOR);
            tones.realize();
            ToneControl sequence = (ToneControl) tones.getControl("ToneControl");
            sequence.setSequence(new byte[] {ToneControl.VERSION, 1, ToneControl.TEMPO, 30, ToneControl.BLOCK_START, 0,
                                             ToneControl.C4, 8, ToneControl.SILENCE, 8, ToneControl.BLOCK_END, 0,
                                             ToneControl.PLAY_BLOCK, 0, ToneControl.SET_VOLUME, 50});
            tones.start();

            music = Manager.createPlayer(getClass().getResourceAsStream("/tune.mid"), "audio/midi");
            music.addPlayerListener(this);
            music.setLoopCount(-1);
            music.prefetch();
            VolumeControl volume = (VolumeControl) music.getControl("VolumeControl");
            if (volume != null && !volume.isMuted()) volume.setLevel(volume.getLevel() / 2);
            TempoControl tempo = (TempoControl) music.getControl("TempoControl");
            if (tempo != null) tempo.setTempo(tempo.getTempo() + tempo.getMaxRate() - tempo.getMinRate());
            PitchControl pitch = (PitchControl) music.getControl("PitchControl");
            if (pitch != null) pitch.setPitch(pitch.getMinPitch());
            StopTimeControl stop = (StopTimeControl) music.getControl("StopTimeControl");
            if (stop != null && stop.getStopTime() == StopTimeControl.RESET) stop.setStopTime(5000000L);
            music.setTimeBase(Manager.getSystemTimeBase());
            music.start();

            Player synth = Manager.createPlayer(Manager.MIDI_DEVICE_LOCATOR);
            synth.prefetch();
            MIDIControl midi = (MIDIControl) synth.getControl("javax.microedition.media.control.MIDIControl");
            midi.setProgram(0, -1, 12);
            midi.shortMidiEvent(MIDIControl.NOTE_ON, 60, 127);
            midi.shortMidiEvent(MIDIControl.CONTROL_CHANGE, 7, 100);
            if (midi.isBankQuerySupported()) midi.getProgramName(0, midi.getProgramList(0)[0]);

            Player video = Manager.createPlayer("http://example.invalid/clip.3gp");
            video.realize();
            VideoControl screen = (VideoControl) video.getControl("VideoControl");
            Form form = new Form("Video");
            Object item = screen.initDisplayMode(GUIControl.USE_GUI_PRIMITIVE, null);
            if (item instanceof Item) form.append((Item) item);
            screen.setDisplaySize(screen.getSourceWidth(), screen.getSourceHeight());
            FramePositioningControl frames = (FramePositioningControl) video.getControl("FramePositioningControl");
            if (frames != null) frames.seek(frames.mapTimeToFrame(1000000L));
            RateControl rate = (RateControl) video.getControl("RateControl");
            if (rate != null) rate.setRate(rate.getMaxRate());
            MetaDataControl meta = (MetaDataControl) video.getControl("MetaDataControl");
            if (meta != null) form.setTitle(meta.getKeyValue(MetaDataControl.TITLE_KEY));
            byte[] snapshot = screen.getSnapshot("encoding=png");
            form.append(Image.createImage(snapshot, 0, snapshot.length));
            Display.getDisplay(this).setCurrent(form);

            Player recorder = Manager.createPlayer("capture://audio");
            recorder.realize();
            RecordControl record = (RecordControl) recorder.getControl("RecordControl");
            ByteArrayOutputStream recording = new ByteArrayOutputStream();
            record.setRecordStream(recording);
            record.setRecordSizeLimit(20000);
            record.startRecord();
            recorder.start();
            record.stopRecord();
            record.commit();

            Player own = Manager.createPlayer(new Beeps());
            own.realize();
            Control[] controls = own.getControls();
            own.deallocate();
            own.close();
            String[] types = Manager.getSupportedContentTypes(null);
            String[] protocols = Manager.getSupportedProtocols(types.length > controls.length ? types[0] : null);
            form.append(protocols.length + " protocols");
        } catch (MediaException e) {
            e.printStackTrace();
        } catch (IOException e) {
            e.printStackTrace();
        }
    }

    protected void pauseApp() {
        try {
            if (music != null && music.getState() == Player.STARTED) music.stop();
        } catch (MediaException e) {
            music.close();
        }
    }

    protected void destroyApp(boolean unconditional) {
        if (music != null) music.close();
    }

    public void playerUpdate(Player player, String event, Object eventData) {
        if (event == PlayerListener.END_OF_MEDIA || PlayerListener.STOPPED_AT_TIME.equals(event)) {
            long time = player.getMediaTime() + player.getTimeBase().getTime();
            if (time == Player.TIME_UNKNOWN || player.getDuration() == Player.TIME_UNKNOWN) player.close();
        }
    }
}

// A data source that makes its sound itself: one stream of silence.
class Beeps extends DataSource {
    private final SourceStream stream = new Silence();

    Beeps() {
        super("beeps:");
    }

    public String getContentType() { return "audio/x-wav"; }

    public void connect() throws IOException {}

    public void disconnect() {}

    public void start() throws IOException {}

    public void stop() throws IOException {}

    public SourceStream[] getStreams() { return new SourceStream[] {stream}; }

    public Control[] getControls() { return new Control[0]; }

    public Control getControl(String controlType) { return null; }
}

class Silence implements SourceStream {
    private long position;

    public ContentDescriptor getContentDescriptor() { return new ContentDescriptor("audio/x-wav"); }

    public long getContentLength() { return -1; }

    public int read(byte[] b, int off, int len) throws IOException {
        for (int i = 0; i < len; ++i) b[off + i] = 0;
        position += len;
        return len;
    }

    public int getTransferSize() { return 512; }

    public long seek(long where) throws IOException {
        position = where;
        return position;
    }

    public long tell() { return position; }

    public int getSeekType() { return SourceStream.RANDOM_ACCESSIBLE; }

    public Control[] getControls() { return new Control[0]; }

    public Control getControl(String controlType) { return null; }
}
