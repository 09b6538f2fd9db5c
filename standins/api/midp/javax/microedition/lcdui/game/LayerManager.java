package javax.microedition.lcdui.game;

import javax.microedition.lcdui.Graphics;

public class LayerManager {
    public LayerManager() {}

    public void append(Layer l) {}

    public void insert(Layer l, int index) {}

    public Layer getLayerAt(int index) { return null; }

    public int getSize() { return 0; }

    public void remove(Layer l) {}

    public void paint(Graphics g, int x, int y) {}

    public void setViewWindow(int x, int y, int width, int height) {}
}
