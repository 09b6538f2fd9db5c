package Game;

import javax.microedition.lcdui.*;
import javax.microedition.media.*;
import javax.microedition.media.control.*;
import javax.microedition.midlet.*;

// The media subset of MIDP 2.0 as a hand-written MIDlet uses it: a tone, a tone sequence, a player from a
// stream with its volume, and a custom item reading its own interaction modes.
public class ToneShowcase extends MIDlet implements PlayerListener {
    protected void startApp() {
        try {
            Manager.playTone(ToneControl.C4, 200, 80);
            Player tones = Manager.createPlayer(Manager.TONE_DEVICE_LOCATOR);
            tones.realize();
            ToneControl sequence = (ToneControl) tones.getControl("ToneControl");
            sequence.setSequence(new byte[] {ToneControl.VERSION, 1, ToneControl.C4, 8});
            tones.start();
            Player music = Manager.createPlayer(getClass().getResourceAsStream("/tune.wav"), "audio/x-wav");
            music.addPlayerListener(this);
            music.prefetch();
            VolumeControl volume = (VolumeControl) music.getControl("VolumeControl");
            if (volume != null) volume.setLevel(50);
            if (music.getState() == Player.PREFETCHED) music.start();
            String[] types = Manager.getSupportedContentTypes(null);
            Display.getDisplay(this).setCurrent(new Form("Tones", new Item[] {new Dial(types.length)}));
        } catch (java.io.IOException e) {
        } catch (MediaException e) {
        }
    }

    protected void pauseApp() {}

    protected void destroyApp(boolean unconditional) {}

    public void playerUpdate(Player player, String event, Object eventData) {
        if (event == PlayerListener.END_OF_MEDIA || event == PlayerListener.CLOSED) player.close();
    }
}

class Dial extends CustomItem {
    private final int count;

    Dial(int count) {
        super("Dial");
        this.count = count;
    }

    protected int getMinContentWidth() { return 10; }

    protected int getMinContentHeight() { return 10; }

    protected int getPrefContentWidth(int height) { return 20; }

    protected int getPrefContentHeight(int width) { return 20; }

    protected void paint(Graphics g, int w, int h) {
        if ((getInteractionModes() & KEY_PRESS) != 0) g.drawString(String.valueOf(count), 0, 0, 0);
    }
}
