package javax.microedition.lcdui.game;

import javax.microedition.lcdui.Graphics;

public abstract class Layer {
    Layer() {}

    public void setPosition(int x, int y) {}

    public void move(int dx, int dy) {}

    public final int getX() { return 0; }

    public final int getY() { return 0; }

    public final int getWidth() { return 0; }

    public final int getHeight() { return 0; }

    public void setVisible(boolean visible) {}

    public final boolean isVisible() { return false; }

    public abstract void paint(Graphics g);
}
