package java.lang.ref;

public abstract class Reference {
    Reference() {}

    public Object get() { return null; }

    public void clear() {}
}
