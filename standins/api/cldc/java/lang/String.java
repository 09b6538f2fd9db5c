package java.lang;

import java.io.UnsupportedEncodingException;

public final class String {
    public String() {}

    public String(String value) {}

    public String(char[] value) {}

    public String(char[] value, int offset, int count) {}

    public String(byte[] bytes, int off, int len, String enc) throws UnsupportedEncodingException {}

    public String(byte[] bytes, String enc) throws UnsupportedEncodingException {}

    public String(byte[] bytes, int off, int len) {}

    public String(byte[] bytes) {}

    public String(StringBuffer buffer) {}

    public int length() { return 0; }

    public native char charAt(int index);

    public void getChars(int srcBegin, int srcEnd, char[] dst, int dstBegin) {}

    public byte[] getBytes(String enc) throws UnsupportedEncodingException { return null; }

    public byte[] getBytes() { return null; }

    public native boolean equals(Object anObject);

    public boolean equalsIgnoreCase(String anotherString) { return false; } // CLDC 1.1

    public int compareTo(String anotherString) { return 0; }

    public boolean regionMatches(boolean ignoreCase, int toffset, String other, int ooffset, int len) { return false; }

    public boolean startsWith(String prefix, int toffset) { return false; }

    public boolean startsWith(String prefix) { return false; }

    public boolean endsWith(String suffix) { return false; }

    public int hashCode() { return 0; }

    public native int indexOf(int ch);

    public native int indexOf(int ch, int fromIndex);

    public int lastIndexOf(int ch) { return 0; }

    public int lastIndexOf(int ch, int fromIndex) { return 0; }

    public int indexOf(String str) { return 0; }

    public int indexOf(String str, int fromIndex) { return 0; }

    public String substring(int beginIndex) { return null; }

    public String substring(int beginIndex, int endIndex) { return null; }

    public String concat(String str) { return null; }

    public String replace(char oldChar, char newChar) { return null; }

    public String toLowerCase() { return null; }

    public String toUpperCase() { return null; }

    public String trim() { return null; }

    public String toString() { return null; }

    public char[] toCharArray() { return null; }

    public static String valueOf(Object obj) { return null; }

    public static String valueOf(char[] data) { return null; }

    public static String valueOf(char[] data, int offset, int count) { return null; }

    public static String valueOf(boolean b) { return null; }

    public static String valueOf(char c) { return null; }

    public static String valueOf(int i) { return null; }

    public static String valueOf(long l) { return null; }

    public static String valueOf(float f) { return null; } // CLDC 1.1
    public static String valueOf(double d) { return null; } // CLDC 1.1

    public native String intern(); // CLDC 1.1
}
