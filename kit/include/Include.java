package Game;

import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.io.InputStream;
import java.io.OutputStream;
import java.util.Vector;
import javax.microedition.io.CommConnection;
import javax.microedition.io.Connection;
import javax.microedition.io.Connector;
import javax.microedition.io.HttpConnection;
import javax.microedition.io.InputConnection;
import javax.microedition.io.StreamConnection;
import javax.microedition.io.StreamConnectionNotifier;
import javax.microedition.lcdui.Command;
import javax.microedition.lcdui.Display;
import javax.microedition.lcdui.Displayable;
import javax.microedition.rms.RecordStore;

// Record storage, network, serial-port and Bluetooth services of a generated program (the object "inc").
// Every program carries this class, so it names nothing beyond CLDC 1.0 and MIDP 2.0: the media API is
// reached only through the Camera interface that IncludeVideo implements. No method throws a checked
// exception, because generated statements call them outside any try block; a failure gives "", false or
// nothing at all.
public class Include {
    // The camera of a video program; IncludeVideo registers itself here when it is created.
    public interface Camera {
        Object startCamera();

        void closeCamera();
    }

    static Camera camera;

    private static final int MAX_REDIRECTS = 5;

    private final Display display;

    private RecordStore store;

    // The link of SERVER.* and BLUE.*: one at a time. A listening link has a notifier until its peer
    // connects.
    private StreamConnectionNotifier notifier;
    private StreamConnection connection;
    private boolean showButton;
    private Sender sender;
    private OSReceive receiver;
    private final Vector received = new Vector();
    // BLUE.START's service and button, kept for BLUE.DISCOVER.
    private String bluetoothUrl;
    private Command bluetoothButton;

    private String[] commPorts;
    private CommConnection[] commConnections;
    private InputStream[] commInputs;
    private OutputStream[] commOutputs;

    public Include(Display display) { this.display = display; }

    // --- Record storage (FILE, FILE.CLOSE, FILE.DELETE, FILE.WRITE, FILE.READ, FILE.EXIST)

    public void openRMS(String name) {
        closeRMS();
        try {
            store = RecordStore.openRecordStore(name, true);
        } catch (Exception e) {
            store = null;
        }
    }

    public void closeRMS() {
        if (store == null) return;
        try {
            store.closeRecordStore();
        } catch (Exception e) {
        }
        store = null;
    }

    public void deleteRMS(String name) {
        if (isOpen(name)) closeRMS();
        try {
            RecordStore.deleteRecordStore(name);
        } catch (Exception e) {
        }
    }

    // Appends the text as a new record of the open file; the first record of a file has the number 1.
    public void writeRMS(String text) {
        if (store == null) return;
        try {
            byte[] data = utf8(text);
            store.addRecord(data, 0, data.length);
        } catch (Exception e) {
        }
    }

    public String readRMS(int record) {
        if (store == null) return "";
        try {
            return text(store.getRecord(record));
        } catch (Exception e) {
            return "";
        }
    }

    public boolean existRms(String name) {
        String[] names = RecordStore.listRecordStores();
        if (names == null) return false;
        for (int i = 0; i < names.length; i++) {
            if (names[i].equals(name)) return true;
        }
        return false;
    }

    private boolean isOpen(String name) {
        try {
            return store != null && store.getName().equals(name);
        } catch (Exception e) {
            return false;
        }
    }

    // --- HTTP (NET.GETTEXT, NET.GETDATA, NET.DOWNLOAD)

    // The body as text: UTF-8, with bytes that are no UTF-8 taken one for one.
    public String getTextFromInternet(String url) {
        byte[] body = download(url);
        return body == null ? "" : text(body);
    }

    // The body as data: one character (0 to 255) per byte.
    public String getDataFromInternet(String url) {
        byte[] body = download(url);
        if (body == null) return "";
        char[] chars = new char[body.length];
        for (int i = 0; i < body.length; i++) chars[i] = (char) (body[i] & 0xFF);
        return new String(chars);
    }

    // Stores the body as the only record (number 1) of the file; an earlier file of that name is replaced.
    public void getFileFromInternet(String url, String file) {
        byte[] body = download(url);
        if (body == null) return;
        boolean wasOpen = isOpen(file);
        if (wasOpen) closeRMS();
        RecordStore target = null;
        try {
            if (existRms(file)) RecordStore.deleteRecordStore(file);
            target = RecordStore.openRecordStore(file, true);
            target.addRecord(body, 0, body.length);
        } catch (Exception e) {
        } finally {
            if (target != null) {
                try {
                    target.closeRecordStore();
                } catch (Exception e) {
                }
            }
        }
        if (wasOpen) openRMS(file);
    }

    // The body of a GET request, following redirects; null when the server or the connection fails.
    static byte[] download(String url) {
        for (int hop = 0; url != null && hop <= MAX_REDIRECTS; hop++) {
            Connection connection = null;
            InputStream in = null;
            try {
                connection = Connector.open(url, Connector.READ);
                if (connection instanceof HttpConnection) {
                    HttpConnection http = (HttpConnection) connection;
                    int status = http.getResponseCode();
                    if (status == HttpConnection.HTTP_MOVED_PERM || status == HttpConnection.HTTP_MOVED_TEMP
                        || status == HttpConnection.HTTP_SEE_OTHER
                        || status == HttpConnection.HTTP_TEMP_REDIRECT) {
                        url = http.getHeaderField("Location");
                        continue;
                    }
                    if (status != HttpConnection.HTTP_OK) return null;
                }
                if (!(connection instanceof InputConnection)) return null;
                in = ((InputConnection) connection).openInputStream();
                return readAll(in);
            } catch (Exception e) {
                return null;
            } finally {
                close(in);
                close(connection);
            }
        }
        return null;
    }

    static byte[] readAll(InputStream in) throws IOException {
        ByteArrayOutputStream bytes = new ByteArrayOutputStream();
        byte[] buffer = new byte[1024];
        int count;
        while ((count = in.read(buffer, 0, buffer.length)) != -1) bytes.write(buffer, 0, count);
        return bytes.toByteArray();
    }

    // --- Socket link (SERVER.CONNECT, SERVER.SEND, SERVER.RECEIVE, SERVER.DISCONNECT)

    // Connects to host:port; with an empty host, listens on the port and takes the first peer that connects.
    // Messages are lines of UTF-8 text ended by "\n".
    public boolean serverConnect(String host, int port) {
        serverDisconnect();
        bluetoothUrl = null;
        try {
            if (host.length() == 0) {
                startLink((StreamConnectionNotifier) Connector.open("socket://:" + port), null, false);
            } else {
                startLink(null, (StreamConnection) Connector.open("socket://" + host + ":" + port), false);
            }
            return true;
        } catch (Exception e) {
            return false;
        }
    }

    public synchronized void serverSend(String text) {
        if (sender != null) sender.send(text);
    }

    // The oldest message not yet taken, or "" when none has arrived.
    public String serverReceive() {
        synchronized (received) {
            if (received.isEmpty()) return "";
            String text = (String) received.elementAt(0);
            received.removeElementAt(0);
            return text;
        }
    }

    public void serverDisconnect() {
        Connection[] open;
        synchronized (this) {
            open = new Connection[] {notifier, connection};
            if (sender != null) sender.finish();
            notifier = null;
            connection = null;
            sender = null;
            receiver = null;
        }
        // Closing outside the lock wakes a receiving thread blocked in accept or read.
        close(open[0]);
        close(open[1]);
        synchronized (received) {
            received.removeAllElements();
        }
    }

    private synchronized void startLink(
        StreamConnectionNotifier listener, StreamConnection peer, boolean bluetooth) {
        notifier = listener;
        connection = peer;
        showButton = bluetooth;
        sender = new Sender();
        receiver = new OSReceive(sender, listener, peer);
        sender.start();
        receiver.start();
    }

    // A listening link's peer has connected; false when the link was closed meanwhile.
    private synchronized boolean adopt(OSReceive link, StreamConnection peer) {
        if (receiver != link) return false;
        connection = peer;
        close(notifier);
        notifier = null;
        if (showButton && bluetoothButton != null) {
            Displayable current = display.getCurrent();
            if (current != null) current.addCommand(bluetoothButton);
        }
        return true;
    }

    // The link's receiving thread has ended: the peer went away or the link was closed.
    private synchronized void linkEnded(OSReceive link) {
        if (receiver != link) return;
        close(notifier);
        close(connection);
        notifier = null;
        connection = null;
        sender = null;
        receiver = null;
    }

    // Lines of a link that serverDisconnect has closed are dropped, so none outlives it.
    private synchronized void deliver(OSReceive link, String text) {
        if (receiver != link) return;
        synchronized (received) {
            received.addElement(text);
        }
    }

    // Writes the queued messages in order, once the link has its peer.
    class Sender extends Thread {
        private final Vector queue = new Vector();
        private OutputStream out;
        private boolean finished;

        synchronized void send(String text) {
            queue.addElement(text);
            notify();
        }

        synchronized void attach(OutputStream stream) {
            out = stream;
            notify();
        }

        synchronized void finish() {
            finished = true;
            notify();
        }

        public void run() {
            OutputStream stream = null;
            try {
                while (true) {
                    String text;
                    synchronized (this) {
                        while (!finished && (out == null || queue.isEmpty())) wait();
                        if (finished) break;
                        stream = out;
                        text = (String) queue.elementAt(0);
                        queue.removeElementAt(0);
                    }
                    stream.write(utf8(text + "\n"));
                    stream.flush();
                }
            } catch (Exception e) {
                // The peer is gone: what is still queued is dropped.
            }
            Include.close(stream);
        }
    }

    // Waits for the peer of a listening link, then reads its lines into the received messages until the
    // link closes.
    class OSReceive extends Thread {
        private final Sender sender;
        private final StreamConnectionNotifier listener;
        private StreamConnection peer;

        OSReceive(Sender sender, StreamConnectionNotifier listener, StreamConnection peer) {
            this.sender = sender;
            this.listener = listener;
            this.peer = peer;
        }

        public void run() {
            InputStream in = null;
            try {
                if (peer == null) {
                    peer = listener.acceptAndOpen();
                    if (!adopt(this, peer)) {
                        Include.close(peer);
                        return;
                    }
                }
                in = peer.openInputStream();
                sender.attach(peer.openOutputStream());
                ByteArrayOutputStream line = new ByteArrayOutputStream();
                int b;
                while ((b = in.read()) != -1) {
                    if (b == '\n') {
                        deliver(this, text(line.toByteArray()));
                        line.reset();
                    } else if (b != '\r') {
                        line.write(b);
                    }
                }
                if (line.size() > 0) deliver(this, text(line.toByteArray()));
            } catch (Exception e) {
                // Closed by serverDisconnect, or the peer went away.
            } finally {
                Include.close(in);
                sender.finish();
                linkEnded(this);
            }
        }
    }

    // --- Serial ports (COMM.GETAVAILABLE, COMM.GETPORT, COMM.GETSTRING, COMM.SEND)

    // The ports the phone names in "microedition.commports"; they are numbered from 0.
    public int availablePorts() { return ports().length; }

    public String getPort(int index) {
        String[] names = ports();
        return index >= 0 && index < names.length ? names[index] : "";
    }

    // What the port has received so far, without waiting; "" when nothing is there.
    public String getStringPort(int index) {
        if (!openPort(index)) return "";
        try {
            InputStream in = commInputs[index];
            int count = in.available();
            if (count <= 0) return "";
            byte[] data = new byte[count];
            count = in.read(data, 0, count);
            if (count <= 0) return "";
            byte[] read = new byte[count];
            System.arraycopy(data, 0, read, 0, count);
            return text(read);
        } catch (Exception e) {
            closePort(index);
            return "";
        }
    }

    public void sendStringPort(int index, String text) {
        if (!openPort(index)) return;
        try {
            commOutputs[index].write(utf8(text));
            commOutputs[index].flush();
        } catch (Exception e) {
            closePort(index);
        }
    }

    private String[] ports() {
        if (commPorts == null) {
            Vector names = new Vector();
            String list = System.getProperty("microedition.commports");
            if (list != null) {
                int start = 0;
                while (start <= list.length()) {
                    int end = list.indexOf(',', start);
                    if (end < 0) end = list.length();
                    String name = list.substring(start, end).trim();
                    if (name.length() > 0) names.addElement(name);
                    start = end + 1;
                }
            }
            commPorts = new String[names.size()];
            names.copyInto(commPorts);
            commConnections = new CommConnection[commPorts.length];
            commInputs = new InputStream[commPorts.length];
            commOutputs = new OutputStream[commPorts.length];
        }
        return commPorts;
    }

    private boolean openPort(int index) {
        if (index < 0 || index >= ports().length) return false;
        if (commConnections[index] != null) return true;
        try {
            commConnections[index] = (CommConnection) Connector.open("comm:" + commPorts[index]);
            commInputs[index] = commConnections[index].openInputStream();
            commOutputs[index] = commConnections[index].openOutputStream();
            return true;
        } catch (Exception e) {
            closePort(index);
            return false;
        }
    }

    private void closePort(int index) {
        close(commInputs[index]);
        close(commOutputs[index]);
        close(commConnections[index]);
        commInputs[index] = null;
        commOutputs[index] = null;
        commConnections[index] = null;
    }

    // --- Bluetooth (BLUE.START, BLUE.DISCOVER)

    // Offers a serial-port service under the name and the 32-bit service number through the "btspp" protocol
    // and waits for a device to connect; the link then carries SERVER.SEND and SERVER.RECEIVE, and the button
    // appears on the current screen. A phone without a Bluetooth stack refuses the protocol: nothing happens.
    public void startBluetooth(String name, int service, Command button) {
        serverDisconnect();
        bluetoothUrl = "btspp://localhost:" + serviceUuid(service) + ";name=" + name;
        bluetoothButton = button;
        listenBluetooth();
    }

    // Device search needs the Bluetooth API, which the phone profile lacks; what the connection framework
    // offers is the other side of a search: the service of BLUE.START is offered again, so that searching
    // devices find it, unless a device is connected or a search for this phone is already open.
    public void discoverDevices() {
        synchronized (this) {
            if (bluetoothUrl == null || notifier != null || connection != null) return;
        }
        listenBluetooth();
    }

    private void listenBluetooth() {
        try {
            startLink((StreamConnectionNotifier) Connector.open(bluetoothUrl), null, true);
        } catch (Exception e) {
        }
    }

    // The 128-bit form of a 32-bit Bluetooth UUID: the number before the Bluetooth base UUID.
    static String serviceUuid(int service) {
        String digits = Integer.toHexString(service).toUpperCase();
        StringBuffer uuid = new StringBuffer();
        for (int i = digits.length(); i < 8; i++) uuid.append('0');
        return uuid.append(digits).append("00001000800000805F9B34FB").toString();
    }

    // --- Camera (VIDEO.START, VIDEO.END)

    // The camera's video control, ready for initDisplayMode; null when the program carries no camera.
    public Object StartCamera() { return camera == null ? null : camera.startCamera(); }

    public void CloseCamera() {
        if (camera != null) camera.closeCamera();
    }

    // --- Media helpers of IncludeSound and IncludeMidi

    // The content type of a sound file, from its name.
    static String contentType(String name) {
        String lower = name.toLowerCase();
        if (lower.endsWith(".wav")) return "audio/x-wav";
        if (lower.endsWith(".mid") || lower.endsWith(".midi")) return "audio/midi";
        if (lower.endsWith(".mp3")) return "audio/mpeg";
        if (lower.endsWith(".amr")) return "audio/amr";
        if (lower.endsWith(".au")) return "audio/basic";
        if (lower.endsWith(".jts")) return "audio/x-tone-seq";
        if (lower.endsWith(".mmf")) return "application/vnd.smaf";
        return "audio/x-wav";
    }

    // A file of the suite's jar; a name without "/" is taken from the jar's root, where Build puts sounds.
    static InputStream resource(Object owner, String name) {
        return owner.getClass().getResourceAsStream(name.startsWith("/") ? name : "/" + name);
    }

    // --- Text and stream helpers

    static byte[] utf8(String text) {
        ByteArrayOutputStream out = new ByteArrayOutputStream(text.length());
        for (int i = 0; i < text.length(); i++) {
            int c = text.charAt(i);
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.length() && text.charAt(i + 1) >= 0xDC00
                && text.charAt(i + 1) <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (text.charAt(++i) - 0xDC00);
            }
            if (c < 0x80) {
                out.write(c);
            } else if (c < 0x800) {
                out.write(0xC0 | (c >> 6));
                out.write(0x80 | (c & 0x3F));
            } else if (c < 0x10000) {
                out.write(0xE0 | (c >> 12));
                out.write(0x80 | ((c >> 6) & 0x3F));
                out.write(0x80 | (c & 0x3F));
            } else {
                out.write(0xF0 | (c >> 18));
                out.write(0x80 | ((c >> 12) & 0x3F));
                out.write(0x80 | ((c >> 6) & 0x3F));
                out.write(0x80 | (c & 0x3F));
            }
        }
        return out.toByteArray();
    }

    // UTF-8 as written by utf8(); a byte that starts no valid sequence stands for the character of its value.
    static String text(byte[] data) {
        if (data == null) return "";
        StringBuffer out = new StringBuffer(data.length);
        int i = 0;
        while (i < data.length) {
            int b = data[i] & 0xFF;
            int length = b >= 0xC2 && b <= 0xDF ? 2
                : b >= 0xE0 && b <= 0xEF        ? 3
                : b >= 0xF0 && b <= 0xF4        ? 4
                                                : 1;
            int c = length == 4 ? b & 0x07 : length == 3 ? b & 0x0F : b & 0x1F;
            boolean valid = length > 1 && i + length <= data.length;
            for (int k = 1; valid && k < length; k++) {
                int next = data[i + k] & 0xFF;
                if ((next & 0xC0) != 0x80) valid = false;
                c = (c << 6) | (next & 0x3F);
            }
            if (valid
                && ((length == 3 && (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF)))
                    || (length == 4 && (c < 0x10000 || c > 0x10FFFF)))) {
                valid = false;
            }
            if (!valid) {
                out.append((char) b);
                i++;
            } else if (c >= 0x10000) {
                c -= 0x10000;
                out.append((char) (0xD800 + (c >> 10)));
                out.append((char) (0xDC00 + (c & 0x3FF)));
                i += length;
            } else {
                out.append((char) c);
                i += length;
            }
        }
        return out.toString();
    }

    static void close(Connection connection) {
        if (connection == null) return;
        try {
            connection.close();
        } catch (Exception e) {
        }
    }

    static void close(InputStream in) {
        if (in == null) return;
        try {
            in.close();
        } catch (Exception e) {
        }
    }

    static void close(OutputStream out) {
        if (out == null) return;
        try {
            out.close();
        } catch (Exception e) {
        }
    }
}
