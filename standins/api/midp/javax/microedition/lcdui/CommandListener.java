package javax.microedition.lcdui;

public interface CommandListener {
    public void commandAction(Command c, Displayable d);
}
