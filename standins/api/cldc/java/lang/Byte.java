package java.lang;

public final class Byte {
    public static final byte MIN_VALUE = -128;
    public static final byte MAX_VALUE = 127;

    public Byte(byte value) {}

    public static byte parseByte(String s) throws NumberFormatException { return 0; }

    public static byte parseByte(String s, int radix) throws NumberFormatException { return 0; }

    public byte byteValue() { return 0; }

    public String toString() { return null; }

    public int hashCode() { return 0; }

    public boolean equals(Object obj) { return false; }
}
