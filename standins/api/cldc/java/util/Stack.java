package java.util;

public class Stack extends Vector {
    public Stack() {}

    public Object push(Object item) { return null; }

    public synchronized Object pop() { return null; }

    public synchronized Object peek() { return null; }

    public boolean empty() { return false; }

    public synchronized int search(Object o) { return 0; }
}
