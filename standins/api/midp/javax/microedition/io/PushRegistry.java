package javax.microedition.io;

import java.io.IOException;

public class PushRegistry {
    private PushRegistry() {}

    public static void registerConnection(String connection, String midlet, String filter)
        throws ClassNotFoundException, IOException {}

    public static boolean unregisterConnection(String connection) { return false; }

    public static String[] listConnections(boolean available) { return null; }

    public static String getMIDlet(String connection) { return null; }

    public static String getFilter(String connection) { return null; }

    public static long registerAlarm(String midlet, long time)
        throws ClassNotFoundException, ConnectionNotFoundException {
        return 0;
    }
}
