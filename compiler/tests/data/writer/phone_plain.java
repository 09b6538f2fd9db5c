package Game;

import java.io.*;
import java.util.*;
import javax.microedition.midlet.*;
import javax.microedition.lcdui.*;
import javax.microedition.lcdui.game.*;
public class Demo extends MIDlet implements CommandListener {

Include inc;
LayerManager layers = new LayerManager();
TiledLayer tiles;
Alert alert;
Display display;

int LastKey = 0;
int GameTemp = 0;
Random generator = new Random( System.currentTimeMillis() );
public Graphics g;
// global line

public Demo() {
}
public void startApp() {
	try{
       display = Display.getDisplay(this);
       inc = new Include(Display.getDisplay(this));

x = 1;

}catch(Exception err) { err.printStackTrace(); } };
public void pauseApp() {
}
public void commandAction(Command C, Displayable s) {
}
public void destroyApp(boolean unconditional) {
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
