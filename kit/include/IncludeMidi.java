package Game;

import java.io.InputStream;
import javax.microedition.media.Manager;
import javax.microedition.media.Player;

// The background music of a generated program (the object "incMidi"): one MIDI file of the suite's jar
// (or a media locator) at a time. Failures are silent, as for IncludeSound.
public class IncludeMidi {
    private Player music;

    public IncludeMidi() {}

    public void LoadMidi(String file) {
        DeleteMidi();
        Player player = null;
        try {
            if (file.indexOf("://") > 0) {
                player = Manager.createPlayer(file);
            } else {
                InputStream in = Include.resource(this, file);
                if (in == null) return;
                player = Manager.createPlayer(in, "audio/midi");
            }
            player.realize();
            player.prefetch();
        } catch (Exception e) {
            if (player != null) player.close();
            return;
        }
        music = player;
    }

    public void DeleteMidi() {
        if (music == null) return;
        music.close();
        music = null;
    }

    // Plays the music once from its start.
    public void PlayMidi() { start(1); }

    // Plays the music the given number of times; 0 or less loops until MIDI.STOP.
    public void LoopMidi(int times) { start(times > 0 ? times : -1); }

    public void StopMidi() {
        if (music == null) return;
        try {
            music.stop();
            music.setMediaTime(0);
        } catch (Exception e) {
        }
    }

    private void start(int times) {
        if (music == null) return;
        try {
            if (music.getState() == Player.STARTED) music.stop();
            try {
                music.setMediaTime(0);
            } catch (Exception e) {
            }
            music.setLoopCount(times);
            music.start();
        } catch (Exception e) {
        }
    }
}
