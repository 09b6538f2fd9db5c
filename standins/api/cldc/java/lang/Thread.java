package java.lang;

public class Thread implements Runnable {
    public static final int MIN_PRIORITY = 1;
    public static final int NORM_PRIORITY = 5;
    public static final int MAX_PRIORITY = 10;

    public Thread() {}

    public Thread(String name) {} // CLDC 1.1

    public Thread(Runnable target) {}

    public Thread(Runnable target, String name) {} // CLDC 1.1

    public static native Thread currentThread();

    public static native void yield();

    public static native void sleep(long millis) throws InterruptedException;

    public synchronized native void start();

    public void run() {}

    public void interrupt() {} // CLDC 1.1

    public final native boolean isAlive();

    public final void setPriority(int newPriority) {}

    public final int getPriority() { return 0; }

    public final String getName() { return null; } // CLDC 1.1

    public static native int activeCount();

    public final synchronized void join() throws InterruptedException {}

    public String toString() { return null; }
}
