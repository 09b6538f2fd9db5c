package Game;

/** A growable list of objects for the loaders (CLDC 1.0 has only the synchronised Vector). */
public class List {
    private Object[] items = new Object[8];
    private int size;

    public void add(Object item) {
        if (size == items.length) {
            Object[] grown = new Object[size * 2];
            System.arraycopy(items, 0, grown, 0, size);
            items = grown;
        }
        items[size++] = item;
    }

    public Object get(int index) {
        if (index < 0 || index >= size) throw new ArrayIndexOutOfBoundsException(index);
        return items[index];
    }

    public int size() { return size; }
}
