package Game;

import java.io.InputStream;
import javax.microedition.media.Manager;
import javax.microedition.media.Player;

// Numbered sounds of a generated program (the object "incSound"): SOUND.LOAD file, number loads a sound of
// the suite's jar (or a media locator such as "http://...") under a number, and the other statements play,
// loop, stop and delete it by that number. Failures are silent: a sound that cannot be loaded or played
// stays quiet, and the game goes on.
public class IncludeSound {
    private Player[] sounds = new Player[8];

    public IncludeSound() {}

    public void LoadSound(String file, int number) {
        if (number < 0) return;
        DeleteSound(number);
        Player player = null;
        try {
            if (file.indexOf("://") > 0) {
                player = Manager.createPlayer(file);
            } else {
                InputStream in = Include.resource(this, file);
                if (in == null) return;
                player = Manager.createPlayer(in, Include.contentType(file));
            }
            player.realize();
            player.prefetch();
        } catch (Exception e) {
            if (player != null) player.close();
            return;
        }
        if (number >= sounds.length) {
            Player[] larger = new Player[Math.max(number + 1, sounds.length * 2)];
            System.arraycopy(sounds, 0, larger, 0, sounds.length);
            sounds = larger;
        }
        sounds[number] = player;
    }

    public void DeleteSound(int number) {
        Player player = sound(number);
        if (player == null) return;
        sounds[number] = null;
        player.close();
    }

    // Plays the sound once from its start, also when it is playing.
    public void PlaySound(int number) { start(sound(number), 1); }

    // Plays the sound the given number of times from its start; 0 or less loops until SOUND.STOP.
    public void LoopSound(int number, int times) { start(sound(number), times > 0 ? times : -1); }

    public void StopSound(int number) {
        Player player = sound(number);
        if (player == null) return;
        try {
            player.stop();
            player.setMediaTime(0);
        } catch (Exception e) {
        }
    }

    private Player sound(int number) { return number >= 0 && number < sounds.length ? sounds[number] : null; }

    // setLoopCount refuses a started player, so the player is stopped and rewound first.
    private static void start(Player player, int times) {
        if (player == null) return;
        try {
            if (player.getState() == Player.STARTED) player.stop();
            try {
                player.setMediaTime(0);
            } catch (Exception e) {
                // Some players cannot seek; they go on from where they stopped.
            }
            player.setLoopCount(times);
            player.start();
        } catch (Exception e) {
        }
    }
}
