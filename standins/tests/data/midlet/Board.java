package Game;

import javax.microedition.lcdui.*;

// Not a MIDlet: a suite that names it as its MIDlet class must be refused.
public class Board extends Canvas {
    public void paint(Graphics g) {
        if (g != null) g.drawLine(0, 0, 1, 1);
    }
}
