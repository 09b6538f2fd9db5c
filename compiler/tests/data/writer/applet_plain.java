package Game;

import java.io.*;
import java.util.*;
import java.applet.*;
import java.awt.*;
import java.awt.event.*;
public class Demo extends Applet implements ActionListener {

Color ColorTemp;
Panel MainPanel;

int LastKey = 0;
int GameTemp = 0;
Random generator = new Random( System.currentTimeMillis() );
public Graphics g;
// global line

public Demo() {
}
public void init() {
MainPanel = new Panel();
add(MainPanel);

x = 1;

}
public void pauseApp() {
}
public void actionPerformed(ActionEvent C) {
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
