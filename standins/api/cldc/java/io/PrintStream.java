package java.io;

public class PrintStream extends OutputStream {
    public PrintStream(OutputStream out) {}

    public void flush() {}

    public void close() {}

    public boolean checkError() { return false; }

    protected void setError() {}

    public void write(int b) {}

    public void write(byte[] buf, int off, int len) {}

    public void print(boolean b) {}

    public void print(char c) {}

    public void print(int i) {}

    public void print(long l) {}

    public void print(float f) {} // CLDC 1.1
    public void print(double d) {} // CLDC 1.1

    public void print(char[] s) {}

    public void print(String s) {}

    public void print(Object obj) {}

    public void println() {}

    public void println(boolean x) {}

    public void println(char x) {}

    public void println(int x) {}

    public void println(long x) {}

    public void println(float x) {} // CLDC 1.1
    public void println(double x) {} // CLDC 1.1

    public void println(char[] x) {}

    public void println(String x) {}

    public void println(Object x) {}
}
