package Game;

import javax.microedition.lcdui.*;

// Fixture for the support-class layout: a named inner class, a static nested one and an anonymous one.
public class Include {
    Display display;

    public Include(Display display) {
        this.display = display;
    }

    public void later(final int value) {
        display.callSerially(new Runnable() {
            public void run() {
                new Sender().send(value);
            }
        });
    }

    class Sender {
        void send(int value) {}
    }

    static class OSReceive {}
}
