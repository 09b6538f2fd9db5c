package javax.microedition.io;

import java.io.*;
import java.util.Hashtable;
import java.util.Vector;

// Desktop stand-in for the phone's connection framework, for running the support classes on a JVM:
// "socket://" over java.net, "http://" from a table of pages, every other protocol refused.
public class Connector {
    public static final int READ = 1;
    public static final int WRITE = 2;
    public static final int READ_WRITE = 3;

    public static final Vector opened = new Vector();
    public static final Hashtable pages = new Hashtable(); // URL -> Page

    public static Connection open(String name) throws IOException { return open(name, READ_WRITE, false); }

    public static Connection open(String name, int mode) throws IOException {
        return open(name, mode, false);
    }

    public static Connection open(String name, int mode, boolean timeouts) throws IOException {
        opened.addElement(name);
        if (name.startsWith("socket://:"))
            return new Listener(new java.net.ServerSocket(Integer.parseInt(name.substring(10))));
        if (name.startsWith("socket://")) {
            int colon = name.lastIndexOf(':');
            return new Stream(
                new java.net.Socket(name.substring(9, colon), Integer.parseInt(name.substring(colon + 1))));
        }
        if (pages.containsKey(name)) return (Page) pages.get(name);
        throw new ConnectionNotFoundException(name);
    }

    public static DataInputStream openDataInputStream(String name) throws IOException { return null; }

    public static DataOutputStream openDataOutputStream(String name) throws IOException { return null; }

    public static InputStream openInputStream(String name) throws IOException { return null; }

    public static OutputStream openOutputStream(String name) throws IOException { return null; }

    static class Stream implements StreamConnection {
        private final java.net.Socket socket;

        Stream(java.net.Socket socket) { this.socket = socket; }

        public InputStream openInputStream() throws IOException { return socket.getInputStream(); }

        public DataInputStream openDataInputStream() throws IOException {
            return new DataInputStream(openInputStream());
        }

        public OutputStream openOutputStream() throws IOException { return socket.getOutputStream(); }

        public DataOutputStream openDataOutputStream() throws IOException {
            return new DataOutputStream(openOutputStream());
        }

        public void close() throws IOException { socket.close(); }
    }

    static class Listener implements StreamConnectionNotifier {
        private final java.net.ServerSocket server;

        Listener(java.net.ServerSocket server) { this.server = server; }

        public StreamConnection acceptAndOpen() throws IOException { return new Stream(server.accept()); }

        public void close() throws IOException { server.close(); }
    }

    public static class Page implements HttpConnection {
        private final int status;
        private final String location;
        private final byte[] body;

        public Page(int status, String location, byte[] body) {
            this.status = status;
            this.location = location;
            this.body = body;
        }

        public int getResponseCode() { return status; }

        public String getHeaderField(String name) { return name.equals("Location") ? location : null; }

        public InputStream openInputStream() { return new ByteArrayInputStream(body); }

        public DataInputStream openDataInputStream() { return new DataInputStream(openInputStream()); }

        public OutputStream openOutputStream() { return null; }

        public DataOutputStream openDataOutputStream() { return null; }

        public void close() {}

        public String getType() { return null; }

        public String getEncoding() { return null; }

        public long getLength() { return body.length; }

        public String getURL() { return null; }

        public String getProtocol() { return "http"; }

        public String getHost() { return null; }

        public String getFile() { return null; }

        public String getRef() { return null; }

        public String getQuery() { return null; }

        public int getPort() { return 80; }

        public String getRequestMethod() { return GET; }

        public void setRequestMethod(String method) {}

        public String getRequestProperty(String key) { return null; }

        public void setRequestProperty(String key, String value) {}

        public String getResponseMessage() { return null; }

        public long getExpiration() { return 0; }

        public long getDate() { return 0; }

        public long getLastModified() { return 0; }

        public int getHeaderFieldInt(String name, int def) { return def; }

        public long getHeaderFieldDate(String name, long def) { return def; }

        public String getHeaderField(int n) { return null; }

        public String getHeaderFieldKey(int n) { return null; }
    }
}
