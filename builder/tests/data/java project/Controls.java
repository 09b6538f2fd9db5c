package Game;

import java.util.Date;
import javax.microedition.lcdui.Command;
import javax.microedition.lcdui.CommandListener;
import javax.microedition.lcdui.DateField;
import javax.microedition.lcdui.Display;
import javax.microedition.lcdui.Displayable;
import javax.microedition.lcdui.Form;
import javax.microedition.lcdui.Gauge;
import javax.microedition.lcdui.Image;
import javax.microedition.lcdui.ImageItem;
import javax.microedition.lcdui.Item;
import javax.microedition.midlet.MIDlet;

// A settings form written by hand: a volume gauge, the date of the next game and a picture.
public class Controls extends MIDlet implements CommandListener {
    private final Form form = new Form("Settings");
    private final Command exitCommand = new Command("Exit", Command.EXIT, 1);
    private final Gauge volume = new Gauge("Volume", true, 10, 5);
    private final DateField nextGame = new DateField("Next game", DateField.DATE_TIME);

    public Controls() {
        nextGame.setDate(new Date());
        form.append(volume);
        form.append(nextGame);
        Image picture = Image.createImage(16, 16);
        form.append(new ImageItem("Picture", picture, Item.LAYOUT_CENTER | ImageItem.LAYOUT_NEWLINE_AFTER,
                                  "a picture"));
        form.addCommand(exitCommand);
        form.setCommandListener(this);
    }

    protected void startApp() {
        Display.getDisplay(this).setCurrent(form);
    }

    protected void pauseApp() {
    }

    protected void destroyApp(boolean unconditional) {
    }

    public void commandAction(Command command, Displayable displayable) {
        if (command == exitCommand) {
            volume.setValue(0);
            notifyDestroyed();
        }
    }
}
