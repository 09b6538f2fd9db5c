package Game;

import java.io.*;
import java.util.*;
import java.applet.*;
import java.awt.*;
import java.awt.event.*;
public class Space extends Applet implements ActionListener {

Color ColorTemp;
Panel MainPanel;
int I,J,K;
int LastKey = 0;
int GameTemp = 0;
Random generator = new Random( System.currentTimeMillis() );
public Graphics g;
Image SHIP;
Image ROCK;
Image[] TILES;
TBCanvas MENU;
Timer timer0;
TBCanvas PLAY;
Timer timer1;
public Space() {
}
public void init() {
MainPanel = new Panel();
add(MainPanel);

}
public void pauseApp() {
}
public void destroyApp(boolean unconditional) {
}
public void actionPerformed(ActionEvent C) {
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
