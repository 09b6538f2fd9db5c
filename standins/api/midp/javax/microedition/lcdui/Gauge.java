package javax.microedition.lcdui;

public class Gauge extends Item {
    public static final int INDEFINITE = -1;
    public static final int CONTINUOUS_IDLE = 0;
    public static final int INCREMENTAL_IDLE = 1;
    public static final int CONTINUOUS_RUNNING = 2;
    public static final int INCREMENTAL_UPDATING = 3;

    public Gauge(String label, boolean interactive, int maxValue, int initialValue) {}

    public void setLabel(String label) {}

    public void setLayout(int layout) {}

    public void addCommand(Command cmd) {}

    public void setItemCommandListener(ItemCommandListener l) {}

    public void setPreferredSize(int width, int height) {}

    public void setDefaultCommand(Command cmd) {}

    public void setValue(int value) {}

    public int getValue() { return 0; }

    public void setMaxValue(int maxValue) {}

    public int getMaxValue() { return 0; }

    public boolean isInteractive() { return false; }
}
