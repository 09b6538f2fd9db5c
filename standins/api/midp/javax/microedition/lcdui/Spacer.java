package javax.microedition.lcdui;

public class Spacer extends Item {
    public Spacer(int minWidth, int minHeight) {}

    public void setMinimumSize(int minWidth, int minHeight) {}

    public void addCommand(Command cmd) {}

    public void setDefaultCommand(Command cmd) {}

    public void setLabel(String label) {}
}
