package java.lang;

public final class StringBuffer {
    public StringBuffer() {}

    public StringBuffer(int length) {}

    public StringBuffer(String str) {}

    public int length() { return 0; }

    public int capacity() { return 0; }

    public synchronized void ensureCapacity(int minimumCapacity) {}

    public synchronized void setLength(int newLength) {}

    public synchronized char charAt(int index) { return 0; }

    public synchronized void getChars(int srcBegin, int srcEnd, char[] dst, int dstBegin) {}

    public synchronized void setCharAt(int index, char ch) {}

    public synchronized StringBuffer append(Object obj) { return null; }

    public native synchronized StringBuffer append(String str);

    public synchronized StringBuffer append(char[] str) { return null; }

    public synchronized StringBuffer append(char[] str, int offset, int len) { return null; }

    public StringBuffer append(boolean b) { return null; }

    public synchronized StringBuffer append(char c) { return null; }

    public native StringBuffer append(int i);

    public synchronized StringBuffer append(long l) { return null; }

    public synchronized StringBuffer append(float f) { return null; } // CLDC 1.1
    public synchronized StringBuffer append(double d) { return null; } // CLDC 1.1

    public synchronized StringBuffer delete(int start, int end) { return null; }

    public synchronized StringBuffer deleteCharAt(int index) { return null; }

    public synchronized StringBuffer insert(int offset, Object obj) { return null; }

    public synchronized StringBuffer insert(int offset, String str) { return null; }

    public synchronized StringBuffer insert(int offset, char[] str) { return null; }

    public StringBuffer insert(int offset, boolean b) { return null; }

    public synchronized StringBuffer insert(int offset, char c) { return null; }

    public StringBuffer insert(int offset, int i) { return null; }

    public StringBuffer insert(int offset, long l) { return null; }

    public StringBuffer insert(int offset, float f) { return null; } // CLDC 1.1
    public StringBuffer insert(int offset, double d) { return null; } // CLDC 1.1

    public synchronized StringBuffer reverse() { return null; }

    public native String toString();
}
