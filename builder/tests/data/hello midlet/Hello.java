package Game;

import javax.microedition.lcdui.Canvas;
import javax.microedition.lcdui.Command;
import javax.microedition.lcdui.CommandListener;
import javax.microedition.lcdui.Display;
import javax.microedition.lcdui.Displayable;
import javax.microedition.lcdui.Graphics;
import javax.microedition.midlet.MIDlet;

public class Hello extends MIDlet implements CommandListener {
    private Command exitCommand;
    private Board board;

    public Hello() {
        exitCommand = new Command("Exit", Command.EXIT, 1);
        board = new Board();
        board.addCommand(exitCommand);
        board.setCommandListener(this);
    }

    protected void startApp() {
        Display.getDisplay(this).setCurrent(board);
    }

    protected void pauseApp() {
    }

    protected void destroyApp(boolean unconditional) {
    }

    public void commandAction(Command command, Displayable displayable) {
        if (command == exitCommand) {
            destroyApp(true);
            notifyDestroyed();
        }
    }

    static class Board extends Canvas {
        protected void paint(Graphics g) {
            g.setColor(0x000000);
            g.fillRect(0, 0, getWidth(), getHeight());
            g.setColor(0xFFFFFF);
            g.drawString("Hello", getWidth() / 2, getHeight() / 2, Graphics.TOP | Graphics.HCENTER);
        }
    }
}
