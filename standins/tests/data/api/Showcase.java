package Game;

import java.io.*;
import java.util.*;
import javax.microedition.io.*;
import javax.microedition.lcdui.*;
import javax.microedition.lcdui.game.*;
import javax.microedition.midlet.*;
import javax.microedition.pki.*;
import javax.microedition.rms.*;

// A MIDP 2.0 MIDlet written by hand, as a user of a converted project would: every screen and item kind,
// the game layers, the record store, the connections and the timer.
public class Showcase extends MIDlet
    implements CommandListener, ItemStateListener, ItemCommandListener, RecordListener, Runnable {
    private final Command exit = new Command("Exit", Command.EXIT, 1);
    private final Command pick = new Command("Pick", "Pick a date", Command.ITEM, 2);
    private Display display;
    private Form form;
    private Gauge volume;
    private DateField when;
    private Dial dial;
    private Timer timer;

    public Showcase() {}

    protected void startApp() throws MIDletStateChangeException {
        display = Display.getDisplay(this);
        form = new Form("Showcase", new Item[] {new StringItem(null, "Hello", Item.PLAIN)});
        volume = new Gauge("Volume", true, 10, 5);
        volume.setLayout(Item.LAYOUT_EXPAND | Item.LAYOUT_NEWLINE_AFTER);
        when = new DateField("When", DateField.DATE_TIME, TimeZone.getTimeZone("GMT"));
        when.setDate(new Date(System.currentTimeMillis()));
        when.setInputMode(DateField.DATE);
        Image icon = Image.createRGBImage(new int[16 * 16], 16, 16, true);
        ImageItem picture = new ImageItem("Icon", icon, ImageItem.LAYOUT_CENTER, "an icon", Item.BUTTON);
        picture.setDefaultCommand(pick);
        picture.setItemCommandListener(this);
        Spacer gap = new Spacer(4, 8);
        gap.setMinimumSize(2, 2);
        TextField name = new TextField("Name", "", 20, TextField.ANY | TextField.INITIAL_CAPS_WORD);
        name.setInitialInputMode("UCB_BASIC_LATIN");
        ChoiceGroup level = new ChoiceGroup("Level", Choice.POPUP, new String[] {"Easy", "Hard"}, null);
        level.setFitPolicy(Choice.TEXT_WRAP_OFF);
        dial = new Dial("Dial");
        form.append(volume);
        form.append(when);
        form.append(picture);
        form.append(gap);
        form.insert(0, name);
        form.append(level);
        form.append(dial);
        form.append("plain text");
        form.addCommand(exit);
        form.setCommandListener(this);
        form.setItemStateListener(this);
        form.setTicker(new Ticker("Welcome"));
        display.setCurrent(form);
        display.setCurrentItem(volume);

        timer = new Timer();
        timer.scheduleAtFixedRate(new TimerTask() {
            public void run() {
                volume.setValue((volume.getValue() + 1) % (volume.getMaxValue() + 1));
            }
        }, 0, 500);
    }

    protected void pauseApp() {}

    protected void destroyApp(boolean unconditional) throws MIDletStateChangeException {
        if (timer != null) timer.cancel();
    }

    public void commandAction(Command c, Displayable d) {
        if (c == exit) {
            notifyDestroyed();
        } else if (c == List.SELECT_COMMAND) {
            List list = (List) d;
            Alert alert = new Alert("Chosen", list.getString(list.getSelectedIndex()), null, AlertType.INFO);
            alert.setIndicator(new Gauge(null, false, Gauge.INDEFINITE, Gauge.CONTINUOUS_RUNNING));
            alert.setTimeout(Alert.FOREVER);
            AlertType.CONFIRMATION.playSound(display);
            display.setCurrent(alert, form);
        }
    }

    public void commandAction(Command c, Item item) {
        if (item instanceof ImageItem && c.getCommandType() == Command.ITEM) {
            List list = new List("Pick", List.IMPLICIT);
            list.append("Today", null);
            list.setFont(0, Font.getFont(Font.FACE_PROPORTIONAL, Font.STYLE_BOLD, Font.SIZE_LARGE));
            list.setSelectCommand(List.SELECT_COMMAND);
            list.removeCommand(exit);
            list.setCommandListener(this);
            display.setCurrent(list);
        }
    }

    public void itemStateChanged(Item item) {
        if (item == when && when.getDate() != null) {
            Calendar calendar = Calendar.getInstance();
            calendar.setTime(when.getDate());
            dial.setTurn(calendar.get(Calendar.HOUR_OF_DAY));
        }
    }

    public void recordAdded(RecordStore store, int recordId) {}

    public void recordChanged(RecordStore store, int recordId) {}

    public void recordDeleted(RecordStore store, int recordId) {}

    // Saves the score and reads every record back, highest first.
    int saveScore(int score) {
        int best = 0;
        try {
            RecordStore store = RecordStore.openRecordStore("scores", true, RecordStore.AUTHMODE_PRIVATE, false);
            store.addRecordListener(this);
            ByteArrayOutputStream bytes = new ByteArrayOutputStream();
            DataOutputStream out = new DataOutputStream(bytes);
            out.writeInt(score);
            out.writeUTF(getAppProperty("MIDlet-Name"));
            byte[] record = bytes.toByteArray();
            store.addRecord(record, 0, record.length);
            RecordEnumeration scores = store.enumerateRecords(new RecordFilter() {
                public boolean matches(byte[] candidate) { return candidate.length >= 4; }
            }, new RecordComparator() {
                public int compare(byte[] a, byte[] b) {
                    return a[3] == b[3] ? RecordComparator.EQUIVALENT
                                        : a[3] > b[3] ? RecordComparator.PRECEDES : RecordComparator.FOLLOWS;
                }
            }, false);
            if (scores.hasNextElement()) {
                best = new DataInputStream(new ByteArrayInputStream(scores.nextRecord())).readInt();
            }
            scores.destroy();
            store.closeRecordStore();
        } catch (RecordStoreFullException e) {
            best = -1;
        } catch (RecordStoreException e) {
            best = -2;
        } catch (IOException e) {
            best = -3;
        }
        return best;
    }

    // Fetches a page, then talks to the other connection kinds a MIDP 2.0 phone offers.
    public void run() {
        try {
            HttpConnection http = (HttpConnection) Connector.open("http://example.invalid/", Connector.READ, true);
            http.setRequestMethod(HttpConnection.POST);
            http.setRequestProperty("User-Agent", "Showcase");
            if (http.getResponseCode() == HttpConnection.HTTP_OK) {
                InputStream in = http.openInputStream();
                in.close();
            }
            http.close();
            HttpsConnection https = (HttpsConnection) Connector.open("https://example.invalid/");
            SecurityInfo info = https.getSecurityInfo();
            Certificate certificate = info.getServerCertificate();
            String subject = certificate.getSubject() + info.getProtocolName() + https.getPort();
            SocketConnection socket = (SocketConnection) Connector.open("socket://example.invalid:79");
            socket.setSocketOption(SocketConnection.LINGER, 5);
            OutputStream out = socket.openOutputStream();
            out.write(subject.getBytes());
            out.close();
            socket.close();
            ServerSocketConnection server = (ServerSocketConnection) Connector.open("socket://:9000");
            StreamConnection client = server.acceptAndOpen();
            client.close();
            server.close();
            UDPDatagramConnection udp = (UDPDatagramConnection) Connector.open("datagram://:9001");
            Datagram datagram = udp.newDatagram(udp.getMaximumLength());
            udp.receive(datagram);
            udp.close();
            CommConnection serial = (CommConnection) Connector.open("comm:COM0;baudrate=9600");
            serial.setBaudRate(serial.getBaudRate());
            serial.close();
            SecureConnection secure = (SecureConnection) Connector.open("ssl://example.invalid:443");
            secure.getSecurityInfo().getCipherSuite();
            secure.close();
            PushRegistry.registerConnection("socket://:9002", "Game.Showcase", "*");
            PushRegistry.registerAlarm("Game.Showcase", System.currentTimeMillis() + 60000L);
            String[] pending = PushRegistry.listConnections(true);
            if (pending.length > 0 && platformRequest("http://example.invalid/help")) notifyDestroyed();
            if (checkPermission("javax.microedition.io.Connector.http") == 1) resumeRequest();
        } catch (CertificateException e) {
            System.out.println(e.getReason() == CertificateException.EXPIRED ? "expired" : e.getMessage());
        } catch (ConnectionNotFoundException e) {
            e.printStackTrace();
        } catch (ClassNotFoundException e) {
            e.printStackTrace();
        } catch (IOException e) {
            e.printStackTrace();
        } catch (SecurityException e) {
            e.printStackTrace();
        }
    }
}

// An item the form draws itself: turns with the keys or the pointer.
class Dial extends CustomItem {
    private int turn;

    Dial(String label) {
        super(label);
    }

    void setTurn(int turn) {
        this.turn = turn;
        repaint();
    }

    protected int getMinContentWidth() { return 20; }

    protected int getMinContentHeight() { return 20; }

    protected int getPrefContentWidth(int height) { return 40; }

    protected int getPrefContentHeight(int width) { return 40; }

    protected void paint(Graphics g, int w, int h) {
        g.setColor(0x00ff00);
        g.fillArc(0, 0, w, h, 0, turn * 15);
        g.setStrokeStyle(Graphics.DOTTED);
        g.drawString(String.valueOf(turn), w / 2, h / 2, Graphics.HCENTER | Graphics.BASELINE);
    }

    protected boolean traverse(int dir, int viewportWidth, int viewportHeight, int[] visRect_inout) {
        if ((getInteractionModes() & CustomItem.TRAVERSE_VERTICAL) == 0) return false;
        return dir == Canvas.UP || dir == Canvas.DOWN;
    }

    protected void keyPressed(int keyCode) {
        if (getGameAction(keyCode) == Canvas.RIGHT) setTurn(turn + 1);
        invalidate();
        notifyStateChanged();
    }

    protected void pointerDragged(int x, int y) {
        repaint(0, 0, x, y);
    }
}

// The game screen: a scrolling tiled background, a sprite and the key states.
class Board extends GameCanvas implements Runnable {
    private final LayerManager layers = new LayerManager();
    private final Sprite hero;
    private final TiledLayer ground;
    private volatile boolean running = true;

    Board(Image tiles, Image frames) {
        super(true);
        setFullScreenMode(true);
        ground = new TiledLayer(20, 20, tiles, 16, 16);
        int water = ground.createAnimatedTile(1);
        ground.fillCells(0, 0, 20, 20, 2);
        ground.setCell(3, 3, water);
        hero = new Sprite(frames, 16, 16);
        hero.defineReferencePixel(8, 8);
        hero.setRefPixelPosition(getWidth() / 2, getHeight() / 2);
        hero.setFrameSequence(new int[] {0, 1, 2, 1});
        hero.defineCollisionRectangle(2, 2, 12, 12);
        layers.append(hero);
        layers.insert(ground, 1);
    }

    public void run() {
        Graphics g = getGraphics();
        while (running) {
            int keys = getKeyStates();
            if ((keys & LEFT_PRESSED) != 0) hero.move(-1, 0);
            if ((keys & RIGHT_PRESSED) != 0) {
                hero.setTransform(Sprite.TRANS_MIRROR);
                hero.move(1, 0);
            }
            if ((keys & FIRE_PRESSED) != 0 && hero.collidesWith(ground, true)) hero.setVisible(false);
            hero.nextFrame();
            ground.setAnimatedTile(-1, 1 + hero.getFrame() % 2);
            layers.setViewWindow(hero.getX() - 40, hero.getY() - 40, getWidth(), getHeight());
            layers.paint(g, 0, 0);
            g.drawRegion(Image.createImage(8, 8), 0, 0, 8, 8, Sprite.TRANS_ROT90, 0, 0, Graphics.TOP | Graphics.LEFT);
            g.fillTriangle(0, 0, 5, 5, 0, 5);
            flushGraphics();
            try {
                Thread.sleep(50);
            } catch (InterruptedException e) {
                running = false;
            }
        }
    }

    protected void sizeChanged(int w, int h) {
        layers.setViewWindow(0, 0, w, h);
    }

    protected void pointerPressed(int x, int y) {
        running = hasPointerEvents() && x >= 0;
    }
}
