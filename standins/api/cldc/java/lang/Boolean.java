package java.lang;

public final class Boolean {
    public static final Boolean TRUE = new Boolean(true); // CLDC 1.1
    public static final Boolean FALSE = new Boolean(false); // CLDC 1.1

    public Boolean(boolean value) {}

    public boolean booleanValue() { return false; }

    public String toString() { return null; }

    public int hashCode() { return 0; }

    public boolean equals(Object obj) { return false; }
}
