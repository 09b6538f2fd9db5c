package java.lang;

public final class Long {
    public static final long MIN_VALUE = 0x8000000000000000L;
    public static final long MAX_VALUE = 0x7fffffffffffffffL;

    public Long(long value) {}

    public static String toString(long i, int radix) { return null; }

    public static String toString(long i) { return null; }

    public static long parseLong(String s, int radix) throws NumberFormatException { return 0; }

    public static long parseLong(String s) throws NumberFormatException { return 0; }

    public long longValue() { return 0; }

    public float floatValue() { return 0; } // CLDC 1.1
    public double doubleValue() { return 0; } // CLDC 1.1

    public String toString() { return null; }

    public int hashCode() { return 0; }

    public boolean equals(Object obj) { return false; }
}
