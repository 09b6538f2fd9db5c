package Game;

import java.io.*;
import java.util.*;
import javax.microedition.midlet.*;
import javax.microedition.lcdui.*;
import javax.microedition.lcdui.game.*;
import javax.microedition.lcdui.List;
import javax.microedition.lcdui.game.Layer;
import javax.microedition.media.*;
import javax.microedition.media.control.*;
import javax.microedition.m3g.*;
public class Space extends MIDlet implements CommandListener {

VideoControl videoControl;
private MapViewer m_mapViewer;
Graphics3D g3d;
Background background = new Background();
Fog fog;
Image2D image2D;
Texture2D texture2D;
Transform tTransform = new Transform();
Include inc;
       IncludeSound incSound;
       IncludeMidi incMidi;
       IncludeImage incImage;
       IncludeVideo incVideo;
LayerManager layers = new LayerManager();
TiledLayer tiles;
Alert alert;
Display display;
int I,J,K;
int LastKey = 0;
int GameTemp = 0;
Random generator = new Random( System.currentTimeMillis() );
public Graphics g;
Image SHIP;
Image ROCK;
Image[] TILES;
Sprite HERO;
Sprite[] ENEMIES;
Mesh CUBE;
TBCanvas MENU;
Timer timer0;
TBCanvas PLAY;
Timer timer1;
public Space() {
g3d = Graphics3D.getInstance();
background.setColor(0xf54588);
}
public void startApp() {
	try{
       display = Display.getDisplay(this);
       inc = new Include(Display.getDisplay(this));
       incSound = new IncludeSound();
       incMidi = new IncludeMidi();
       incImage = new IncludeImage();
       incVideo = new IncludeVideo();

}catch(Exception err) { err.printStackTrace(); } };
public void pauseApp() {
}
public void destroyApp(boolean unconditional) {
}
public void commandAction(Command C, Displayable s) {
}
public void paint(Graphics b) {
g = b;
}
class TBCanvas extends Canvas implements KeyRepeater{
public KeyRepeat m_repeat = new KeyRepeat(this);
public TBCanvas() {	m_repeat.start(); }
public void paint(Graphics b){}
public void performAction(int gameAction){} }
interface KeyRepeater { public void performAction(int gameAction); }
class KeyRepeat extends Thread {
public boolean m_cancel = false;
private long m_sleepTime = 50;
private int m_gameAction = 0;
private final KeyRepeater m_ui;
public KeyRepeat(KeyRepeater ui) { m_ui = ui; }
public void startRepeat(int gameAction) { m_gameAction = gameAction; }
public void stopRepeat() { m_gameAction = 0; }
public void run() {
while (!m_cancel) {
while (m_gameAction == 0 && !m_cancel) { Thread.yield(); }
m_ui.performAction(m_gameAction);
try { sleep(m_sleepTime); } catch (InterruptedException e) { } } } }
}
