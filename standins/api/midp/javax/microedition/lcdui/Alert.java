package javax.microedition.lcdui;

public class Alert extends Screen {
    public static final int FOREVER = -2;
    public static final Command DISMISS_COMMAND = new Command("", Command.OK, 0);

    public Alert(String title) {}

    public Alert(String title, String alertText, Image alertImage, AlertType alertType) {}

    public int getDefaultTimeout() { return 0; }

    public int getTimeout() { return 0; }

    public void setTimeout(int time) {}

    public AlertType getType() { return null; }

    public void setType(AlertType type) {}

    public String getString() { return null; }

    public void setString(String str) {}

    public Image getImage() { return null; }

    public void setImage(Image img) {}

    public void setIndicator(Gauge indicator) {}

    public Gauge getIndicator() { return null; }

    public void addCommand(Command cmd) {}

    public void removeCommand(Command cmd) {}

    public void setCommandListener(CommandListener l) {}
}
