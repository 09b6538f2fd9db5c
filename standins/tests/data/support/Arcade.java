package Game;

import java.io.*;
import java.util.*;
import javax.microedition.midlet.*;
import javax.microedition.lcdui.*;
import javax.microedition.lcdui.game.*;
import javax.microedition.media.*;
import javax.microedition.media.control.*;
public class Arcade extends MIDlet implements CommandListener {

VideoControl videoControl;
Include inc;
       IncludeSound incSound;
       IncludeMidi incMidi;
       IncludeImage incImage;
       IncludeVideo incVideo;
LayerManager layers = new LayerManager();
TiledLayer tiles;
Alert alert;
Display display;

int LastKey = 0;
int GameTemp = 0;
Random generator = new Random( System.currentTimeMillis() );
public Graphics g;
Command LINK = new Command("Link",Command.SCREEN,1);
String NAME = "";
String REPLY = "";
int COUNT = 0;
boolean FOUND = false;
Image LOGO;
Image PHOTO;
Image BANNER;
TBCanvas VIEW;
Timer timer0;
public Arcade() {
}
public void startApp() {
	try{
       display = Display.getDisplay(this);
       inc = new Include(Display.getDisplay(this));
       incSound = new IncludeSound();
       incMidi = new IncludeMidi();
       incImage = new IncludeImage();
       incVideo = new IncludeVideo();

PLAY();
}catch(Exception err) { err.printStackTrace(); } };
public void PLAY() {
incSound.LoadSound("/shot.wav",1);
incSound.PlaySound(1);
incSound.LoopSound(1,3);
incSound.StopSound(1);
incSound.DeleteSound(1);
incMidi.LoadMidi("/theme.mid");
incMidi.PlayMidi();
incMidi.LoopMidi(2);
incMidi.StopMidi();
incMidi.DeleteMidi();
inc.openRMS("scores");
inc.writeRMS("Ann" + " 100");
NAME = inc.readRMS(1);
FOUND = inc.existRms("scores");
inc.closeRMS();
inc.deleteRMS("scores");
FOUND = inc.serverConnect("example.org",4000);
inc.serverSend(NAME);
REPLY = inc.serverReceive();
inc.serverDisconnect();
REPLY = inc.getTextFromInternet("http://example.org/news.txt");
REPLY = inc.getDataFromInternet("http://example.org/level.dat");
inc.getFileFromInternet("http://example.org/logo.png","logo");
LOGO= incImage.getImageFromInternet("http://example.org/logo.png");
BANNER= incImage.getImageFromInternetFile("logo");
COUNT = inc.availablePorts();
NAME = inc.getPort(0);
REPLY = inc.getStringPort(0);
inc.sendStringPort(0,"AT");
inc.startBluetooth("Arcade",4660,LINK);
inc.discoverDevices();
FOUND = incVideo.HasCamera();
FOUND = incVideo.CaptureCamera();
PHOTO= incVideo.capturedImage;
VIEW = new TBCanvas() {
public void paint(Graphics b) {
g = b;
if(incVideo.HasCamera() == true) { videoControl = (VideoControl) inc.StartCamera(); videoControl.initDisplayMode(VideoControl.USE_DIRECT_VIDEO, this); try { videoControl.setDisplayLocation(2, 2); videoControl.setDisplaySize(getWidth() - 4, getHeight() - 4); } catch (MediaException me) { try { videoControl.setDisplayFullScreen(true); } catch (MediaException me2) {} } }
videoControl.setVisible(true);
videoControl.setVisible(false);
videoControl.setVisible(false); inc.CloseCamera();
}
};
display.setCurrent(VIEW);
}
public void pauseApp() {
}
public void destroyApp(boolean unconditional) {
}
public void commandAction(Command C, Displayable s) {
}
class TBCanvas extends Canvas implements KeyRepeater{
public KeyRepeat m_repeat = new KeyRepeat(this);
public TBCanvas() {	m_repeat.start(); }
public void paint(Graphics b){}
public void performAction(int gameAction){} }
interface KeyRepeater { public void performAction(int gameAction); }
class KeyRepeat extends Thread {
private boolean m_cancel = false;
private long m_sleepTime = 50;
private int m_gameAction = 0;
private int m_pressed = 0;
private final KeyRepeater m_ui;
public KeyRepeat(KeyRepeater ui) { m_ui = ui; }
public synchronized void startRepeat(int gameAction) {
m_gameAction = gameAction; m_pressed = gameAction; notifyAll(); }
public synchronized void stopRepeat() { m_gameAction = 0; }
public synchronized void cancel() { m_cancel = true; notifyAll(); }
private synchronized int nextAction() throws InterruptedException {
while (m_gameAction == 0 && m_pressed == 0 && !m_cancel) { wait(); }
int action = m_cancel ? 0 : m_gameAction != 0 ? m_gameAction : m_pressed;
m_pressed = 0;
return action; }
public void run() {
try { for (int action = nextAction(); action != 0; action = nextAction()) {
m_ui.performAction(action);
sleep(m_sleepTime); } } catch (InterruptedException e) { } } }
}
