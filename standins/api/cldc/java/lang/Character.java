package java.lang;

public final class Character {
    public static final int MIN_RADIX = 2;
    public static final int MAX_RADIX = 36;
    public static final char MIN_VALUE = '\u0000';
    public static final char MAX_VALUE = '\uffff';

    public Character(char value) {}

    public char charValue() { return 0; }

    public int hashCode() { return 0; }

    public boolean equals(Object obj) { return false; }

    public String toString() { return null; }

    public static boolean isLowerCase(char ch) { return false; }

    public static boolean isUpperCase(char ch) { return false; }

    public static boolean isDigit(char ch) { return false; }

    public static char toLowerCase(char ch) { return 0; }

    public static char toUpperCase(char ch) { return 0; }

    public static int digit(char ch, int radix) { return 0; }
}
