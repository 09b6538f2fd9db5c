package javax.microedition.lcdui;

public class Form extends Screen {
    public Form(String title) {}

    public Form(String title, Item[] items) {}

    public int append(Item item) { return 0; }

    public int append(String str) { return 0; }

    public int append(Image img) { return 0; }

    public void insert(int itemNum, Item item) {}

    public void delete(int itemNum) {}

    public void deleteAll() {}

    public void set(int itemNum, Item item) {}

    public Item get(int itemNum) { return null; }

    public void setItemStateListener(ItemStateListener iListener) {}

    public int size() { return 0; }

    public int getWidth() { return 0; }

    public int getHeight() { return 0; }
}
