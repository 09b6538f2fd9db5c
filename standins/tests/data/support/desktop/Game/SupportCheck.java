package Game;

import java.io.*;
import java.net.ServerSocket;
import java.net.Socket;
import javax.microedition.io.Connector;

// Runs Include on a desktop JVM over the stand-ins beside it and prints what the program would see, one
// line per step; characters outside printable ASCII are written as a backslash, "u" and four hex digits.
public class SupportCheck {
    static String show(String text) {
        StringBuilder out = new StringBuilder();
        for (char c : text.toCharArray()) {
            if (c >= 0x20 && c < 0x7F && c != '\\')
                out.append(c);
            else
                out.append(String.format("\\u%04X", (int) c));
        }
        return out.toString();
    }

    static void print(String label, Object value) {
        System.out.println(label + ": " + (value instanceof String ? show((String) value) : value));
    }

    static byte[] bytes(int... values) {
        byte[] data = new byte[values.length];
        for (int i = 0; i < values.length; i++) data[i] = (byte) values[i];
        return data;
    }

    static String hex(byte[] data) {
        StringBuilder out = new StringBuilder();
        for (byte b : data) out.append(String.format("%02X", b & 0xFF));
        return out.toString();
    }

    // Waits for the next message of the link; the link's threads deliver it.
    static String receive(Include inc) throws InterruptedException {
        for (int i = 0; i < 1000; i++) {
            String text = inc.serverReceive();
            if (!text.isEmpty()) return text;
            Thread.sleep(10);
        }
        return "(nothing)";
    }

    public static void main(String[] args) throws Exception {
        Include inc = new Include(null);

        // Text as the phone stores and sends it.
        String[] texts = {"", "Ann 100", "caf\u00e9", "\u20ac5", "\ud83d\ude00"};
        for (String text : texts)
            print("utf8 " + show(text), hex(Include.utf8(text)) + " -> " + Include.text(Include.utf8(text)));
        int[][] raw = {{0xE9}, {0xC3, 0xA9}, {0xC0, 0x80}, {0xED, 0xA0, 0x80}, {0xE2, 0x82}, {0xF8, 0x41},
            {0xF4, 0x90, 0x80, 0x80}};
        for (int[] data : raw) print("text " + hex(bytes(data)), Include.text(bytes(data)));
        print("uuid 4660", Include.serviceUuid(4660));
        print("uuid -1", Include.serviceUuid(-1));
        for (String name :
            new String[] {"/a.WAV", "b.mid", "c.midi", "d.mp3", "e.amr", "f.au", "g.jts", "h.mmf", "noext"})
            print("type " + name, Include.contentType(name));

        // Record stores.
        inc.writeRMS("lost");
        print("read without a file", inc.readRMS(1));
        inc.openRMS("scores");
        inc.writeRMS("Ann 100");
        inc.writeRMS("caf\u00e9");
        inc.writeRMS("");
        print("read 1", inc.readRMS(1));
        print("read 2", inc.readRMS(2));
        print("read 3", inc.readRMS(3));
        print("read 4", inc.readRMS(4));
        print("read 0", inc.readRMS(0));
        print("exist scores", inc.existRms("scores"));
        print("exist other", inc.existRms("other"));
        inc.closeRMS();
        print("read after close", inc.readRMS(1));
        inc.openRMS("scores");
        print("read after reopen", inc.readRMS(2));
        inc.deleteRMS("scores");
        print("exist after delete of the open file", inc.existRms("scores"));
        print("read after delete", inc.readRMS(1));
        inc.openRMS("");
        inc.openRMS("a name longer than thirty-two characters");
        inc.writeRMS("x");
        print("read of a refused name", inc.readRMS(1));

        // HTTP.
        Connector.pages.put("http://h/text", new Connector.Page(200, null, Include.utf8("h\u00e9llo\n")));
        Connector.pages.put("http://h/data", new Connector.Page(200, null, bytes(0xC3, 0xA9, 0x00, 0xFF)));
        Connector.pages.put("http://h/moved", new Connector.Page(302, "http://h/text", new byte[0]));
        Connector.pages.put("http://h/missing", new Connector.Page(404, null, Include.utf8("not found")));
        Connector.pages.put("http://h/loop", new Connector.Page(301, "http://h/loop", new byte[0]));
        print("text", inc.getTextFromInternet("http://h/text"));
        print("text as data", inc.getDataFromInternet("http://h/text"));
        print("data", inc.getDataFromInternet("http://h/data"));
        print("data as text", inc.getTextFromInternet("http://h/data"));
        print("moved", inc.getTextFromInternet("http://h/moved"));
        print("missing", inc.getTextFromInternet("http://h/missing"));
        print("redirect loop", inc.getTextFromInternet("http://h/loop"));
        print("unknown host", inc.getTextFromInternet("http://nowhere/"));
        inc.getFileFromInternet("http://h/data", "news");
        inc.getFileFromInternet("http://h/text", "news");
        inc.openRMS("news");
        print("downloaded 1", inc.readRMS(1));
        print("downloaded 2", inc.readRMS(2));
        inc.getFileFromInternet("http://h/moved", "news");
        print("downloaded again while open", inc.readRMS(1));
        inc.getFileFromInternet("http://h/missing", "news");
        print("failed download keeps the file", inc.readRMS(1));
        inc.closeRMS();

        // Socket link to a server.
        ServerSocket server = new ServerSocket(0);
        print("connect", inc.serverConnect("127.0.0.1", server.getLocalPort()));
        Socket peer = server.accept();
        inc.serverSend("h\u00e9llo");
        inc.serverSend("second");
        BufferedReader fromPhone = new BufferedReader(new InputStreamReader(peer.getInputStream(), "UTF-8"));
        print("server got", fromPhone.readLine());
        print("server got", fromPhone.readLine());
        OutputStream toPhone = peer.getOutputStream();
        toPhone.write("hi\r\n\nthere\ntail".getBytes("UTF-8"));
        toPhone.flush();
        peer.shutdownOutput();
        print("received", receive(inc));
        print("received", receive(inc));
        print("received", receive(inc));
        print("then", inc.serverReceive());
        inc.serverSend("after the peer closed");
        inc.serverDisconnect();
        peer.close();
        int port = server.getLocalPort();
        server.close();
        print("connect to a closed port", inc.serverConnect("127.0.0.1", port));
        print("receive without a link", inc.serverReceive());
        inc.serverSend("dropped");

        // Listening link: an empty host.
        ServerSocket probe = new ServerSocket(0);
        port = probe.getLocalPort();
        probe.close();
        print("listen", inc.serverConnect("", port));
        Socket client = new Socket("127.0.0.1", port);
        client.getOutputStream().write("ping\n".getBytes("UTF-8"));
        print("received", receive(inc));
        inc.serverSend("pong");
        BufferedReader fromListener =
            new BufferedReader(new InputStreamReader(client.getInputStream(), "UTF-8"));
        print("client got", fromListener.readLine());
        inc.serverDisconnect();
        print("client after disconnect", fromListener.readLine());
        client.close();

        // Serial ports.
        System.setProperty("microedition.commports", "COM0, IR0,,COM1");
        print("ports", inc.availablePorts());
        print("port 0", inc.getPort(0));
        print("port 1", inc.getPort(1));
        print("port 2", inc.getPort(2));
        print("port 3", inc.getPort(3));
        print("port -1", inc.getPort(-1));
        print("read refused port", inc.getStringPort(0));
        inc.sendStringPort(7, "AT");

        // Bluetooth without a Bluetooth stack.
        Connector.opened.removeAllElements();
        inc.startBluetooth("Arcade", 4660, null);
        inc.discoverDevices();
        for (int i = 0; i < Connector.opened.size(); i++) print("opened", Connector.opened.elementAt(i));
        print("camera without IncludeVideo", inc.StartCamera());
        inc.CloseCamera();
        System.exit(0);
    }
}
