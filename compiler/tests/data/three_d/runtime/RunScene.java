import javax.microedition.lcdui.Display;
import javax.microedition.m3g.Graphics3D;
import javax.microedition.midlet.MIDlet;

// Stands in for the phone: starts the MIDlet, draws the screen it shows three times, and reports what the 3D
// runtime saw. Any exception ends the run with its stack trace.
public class RunScene {
    public static void main(String[] args) throws Exception {
        MIDlet game = (MIDlet) Class.forName("Game.Game").newInstance();
        game.getClass().getMethod("startApp", new Class[0]).invoke(game, new Object[0]);
        for (int i = 0; i < 3; i++) Display.getDisplay(game).paintShown();
        System.out.println("frames " + Graphics3D.frames + " background " + Integer.toHexString(Graphics3D.cleared));
        System.exit(0);
    }
}
