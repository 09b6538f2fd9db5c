package Game;

import java.io.*;
import java.util.*;
import javax.microedition.lcdui.*;
import javax.microedition.lcdui.game.*;
import javax.microedition.midlet.*;

public class MapGame extends MIDlet implements CommandListener {
    private MapViewer m_mapViewer;
    LayerManager layers = new LayerManager();
    TiledLayer tiles;
    Display display;
    public Graphics g;
    Canvas board;
    int scroll = 0;
    int wall = 0;
    int look = 0;
    Command quit = new Command("Exit", Command.EXIT, 1);

    public void startApp() {
        display = Display.getDisplay(this);
        board = new Canvas() {
            public void paint(Graphics b) {
                g = b;
                if (m_mapViewer == null) {
                    try {
                        InputStream inputStream = getClass().getResourceAsStream("/level.fmp");
                        Map map = JavaMappy.loadMap(inputStream);
                        m_mapViewer = JavaMappy.createMapViewer(map, null, getWidth(), getHeight());
                        inputStream.close();
                        m_mapViewer.setX(0);
                        m_mapViewer.setY(0);
                    } catch (Exception e) {
                        e.printStackTrace();
                    }
                }
                m_mapViewer.setX(scroll);
                m_mapViewer.setY(scroll / 2);
                m_mapViewer.updateAnimBlocks();
                m_mapViewer.draw(b, false);
                wall = m_mapViewer.getBlockFlag(0, 1, 2, 0);
                look = m_mapViewer.getBlockImage(1, scroll, 2, 3);
            }
            protected void keyPressed(int keyCode) {
                scroll = scroll + 1;
                repaint();
            }
        };
        board.addCommand(quit);
        board.setCommandListener(this);
        display.setCurrent(board);
    }

    public void pauseApp() {}

    public void destroyApp(boolean unconditional) {}

    public void commandAction(Command C, Displayable s) {
        if (C.getCommandType() == Command.EXIT) notifyDestroyed();
    }
}
