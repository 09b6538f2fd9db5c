package Game;

import java.io.*;
import java.util.*;
import javax.microedition.midlet.*;
import javax.microedition.lcdui.*;
import javax.microedition.lcdui.game.*;

public class Space extends MIDlet implements CommandListener {
    LayerManager layers = new LayerManager();
    TiledLayer tiles;
    Alert alert;
    Display display;
    int LastKey = 0;
    Random generator = new Random(System.currentTimeMillis());
    public Graphics g;
    Canvas board;
    Timer timer0;
    Command quit = new Command("Exit", Command.EXIT, 1);

    public void startApp() {
        try {
            display = Display.getDisplay(this);
            board = new Canvas() {
                public void paint(Graphics b) {
                    g = b;
                    g.setColor(0x0000ff);
                    g.fillRect(0, 0, getWidth(), getHeight());
                    for (int i = 0; i < 3; i++) {
                        g.drawString("Key " + LastKey, 0, i * 12, Graphics.TOP | Graphics.LEFT);
                    }
                }

                protected void keyPressed(int keyCode) {
                    LastKey = getGameAction(keyCode) == Canvas.FIRE ? 0 : keyCode;
                    repaint();
                }
            };
            board.addCommand(quit);
            board.setCommandListener(this);
            display.setCurrent(board);
        } catch (Exception err) {
            err.printStackTrace();
        }
    }

    public void pauseApp() {}

    public void commandAction(Command C, Displayable s) {
        if (C.getCommandType() == Command.EXIT) notifyDestroyed();
    }

    public void destroyApp(boolean unconditional) {}
}
