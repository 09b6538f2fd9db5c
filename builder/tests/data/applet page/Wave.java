package Game;

import java.applet.Applet;
import java.awt.Graphics;

public class Wave extends Applet {
    public void paint(Graphics g) {
        g.drawString("Wave", 10, 20);
    }
}
