package java.lang;

public final class Short {
    public static final short MIN_VALUE = -32768;
    public static final short MAX_VALUE = 32767;

    public Short(short value) {}

    public static short parseShort(String s) throws NumberFormatException { return 0; }

    public static short parseShort(String s, int radix) throws NumberFormatException { return 0; }

    public short shortValue() { return 0; }

    public String toString() { return null; }

    public int hashCode() { return 0; }

    public boolean equals(Object obj) { return false; }
}
