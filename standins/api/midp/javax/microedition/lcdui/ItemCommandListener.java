package javax.microedition.lcdui;

public interface ItemCommandListener {
    public void commandAction(Command c, Item item);
}
