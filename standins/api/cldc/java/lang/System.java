package java.lang;

import java.io.PrintStream;

public final class System {
    public static final PrintStream out = null;
    public static final PrintStream err = null;

    private System() {}

    public static native long currentTimeMillis();

    public static native void arraycopy(Object src, int src_position, Object dst, int dst_position, int length);

    public static native int identityHashCode(Object x);

    public static String getProperty(String key) { return null; }

    public static void exit(int status) {}

    public static void gc() {}
}
