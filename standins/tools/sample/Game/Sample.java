// The small MIDlet the kit's build runs each Java tool on once, to make the tool's class-data archive:
// the kinds of code a generated program holds (a form with commands, a canvas with its loop and keys,
// a sprite over a tiled layer, a record type, arrays, strings, a timer task, a resource read).
package Game;

import java.io.*;
import java.util.*;
import javax.microedition.lcdui.*;
import javax.microedition.lcdui.game.*;
import javax.microedition.midlet.*;

public class Sample extends MIDlet implements CommandListener {
    Command start = new Command("Start", Command.SCREEN, 1);
    Command exit = new Command("Exit", Command.EXIT, 2);
    Form menu = new Form("Sample");
    Display display;
    Score[] scores = new Score[4];
    int[][] grid = new int[8][8];
    Random generator = new Random(System.currentTimeMillis());
    Timer timer;

    public Sample() {
        menu.addCommand(start);
        menu.addCommand(exit);
        menu.setCommandListener(this);
        for (int i = 0; i < scores.length; i++) {
            scores[i] = new Score();
            scores[i].points = i * 10;
        }
    }

    public void startApp() {
        display = Display.getDisplay(this);
        display.setCurrent(menu);
    }

    public void pauseApp() {}

    public void destroyApp(boolean unconditional) {
        if (timer != null) timer.cancel();
    }

    public void commandAction(Command c, Displayable d) {
        if (c == exit) {
            destroyApp(true);
            notifyDestroyed();
        } else if (c == start) {
            final Board board = new Board();
            timer = new Timer();
            timer.schedule(new TimerTask() {
                public void run() {
                    board.step();
                }
            }, 0, 50);
            display.setCurrent(board);
        }
    }

    String describe(int n) {
        String text = "";
        switch (n % 3) {
            case 0:
                text = "none";
                break;
            case 1:
                text = "one of " + n;
                break;
            default:
                text = "many: " + n + " (" + (n * 2) + ")";
        }
        return text.toUpperCase();
    }

    byte[] load(String name) {
        try {
            InputStream in = getClass().getResourceAsStream(name);
            if (in == null) return null;
            ByteArrayOutputStream out = new ByteArrayOutputStream();
            int b;
            while ((b = in.read()) != -1) out.write(b);
            in.close();
            return out.toByteArray();
        } catch (IOException e) {
            return null;
        }
    }

    class Board extends GameCanvas {
        LayerManager layers = new LayerManager();
        TiledLayer tiles;
        Sprite hero;
        int x, y, frame;

        Board() {
            super(false);
            try {
                Image image = Image.createImage("/tiles.png");
                tiles = new TiledLayer(8, 8, image, 16, 16);
                hero = new Sprite(Image.createImage("/hero.png"), 16, 16);
                layers.append(hero);
                layers.append(tiles);
            } catch (IOException e) {
                tiles = null;
            }
        }

        void step() {
            int keys = getKeyStates();
            if ((keys & LEFT_PRESSED) != 0) x = Math.max(0, x - 2);
            if ((keys & RIGHT_PRESSED) != 0) x = Math.min(getWidth() - 16, x + 2);
            for (int row = 0; row < grid.length; row++)
                for (int col = 0; col < grid[row].length; col++) grid[row][col] = generator.nextInt() % 4;
            if (hero != null) {
                hero.setPosition(x, y);
                hero.setFrame(frame++ % 4);
            }
            repaint();
        }

        public void paint(Graphics g) {
            g.setColor(0x000000);
            g.fillRect(0, 0, getWidth(), getHeight());
            if (tiles != null) layers.paint(g, 0, 0);
            g.setColor(0xFFFFFF);
            g.drawString(describe(scores[frame % scores.length].points), 2, 2, Graphics.TOP | Graphics.LEFT);
        }

        protected void keyPressed(int keyCode) {
            if (getGameAction(keyCode) == FIRE) scores[0].points++;
        }
    }
}
