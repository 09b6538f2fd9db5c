package javax.microedition.lcdui;

public interface ItemStateListener {
    public void itemStateChanged(Item item);
}
