package Game;

import java.io.*;
import java.util.*;
import javax.microedition.midlet.*;
import javax.microedition.lcdui.*;
import javax.microedition.lcdui.game.*;
public class Plain extends MIDlet implements CommandListener {

Include inc;
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
int COUNT = 0;
boolean FOUND = false;
public Plain() {
}
public void startApp() {
	try{
       display = Display.getDisplay(this);
       inc = new Include(Display.getDisplay(this));

SAVE();
}catch(Exception err) { err.printStackTrace(); } };
public void SAVE() {
inc.openRMS("scores");
inc.writeRMS(NAME);
NAME = inc.readRMS(1);
FOUND = inc.existRms("scores");
inc.closeRMS();
inc.deleteRMS("scores");
FOUND = inc.serverConnect("",4000);
inc.serverSend("hello");
NAME = inc.serverReceive();
inc.serverDisconnect();
NAME = inc.getTextFromInternet("http://example.org/a.txt");
NAME = inc.getDataFromInternet("http://example.org/a.dat");
inc.getFileFromInternet("http://example.org/a.txt","a");
COUNT = inc.availablePorts();
NAME = inc.getPort(COUNT - 1) + inc.getStringPort(0);
inc.sendStringPort(0,NAME);
inc.startBluetooth("Plain",1,LINK);
inc.discoverDevices();
}
public void pauseApp() {
}
public void destroyApp(boolean unconditional) {
}
public void commandAction(Command C, Displayable s) {
}
}
