import javax.microedition.lcdui.Display;
import javax.microedition.midlet.MIDlet;

// Runs a phone program on the desktop JVM: java -cp <harness>:<Name>.jar:<the API jars> RunPhone
// Game.<Name> STEP...  The MIDlet is made and started (its main section runs), then the steps: those of
// Harness, and
//   press CODE / release CODE   a key of that key code pressed or released on the shown canvas
//   drag X Y                    the pointer dragged there
//   paint                       the shown canvas painted once
// The display of this folder stands in for the phone's: showing a canvas calls showNotify, leaving it
// hideNotify, so its LOOP runs while it is shown. Nothing is drawn anywhere.
public class RunPhone extends Harness {
    private Display display;

    public static void main(String[] args) throws Exception {
        RunPhone harness = new RunPhone();
        MIDlet game = (MIDlet) Class.forName(args[0]).getDeclaredConstructor().newInstance();
        harness.display = Display.getDisplay(game);
        game.getClass().getMethod("startApp").invoke(game);
        harness.run(args, 1);
        System.exit(0);
    }

    @Override
    Object canvas() {
        return display.shownCanvas();
    }

    @Override
    boolean step(String name, String[] words) {
        switch (name) {
            case "press":
                display.press(Integer.parseInt(words[1]));
                return true;
            case "release":
                display.release(Integer.parseInt(words[1]));
                return true;
            case "drag":
                display.drag(Integer.parseInt(words[1]), Integer.parseInt(words[2]));
                return true;
            case "paint":
                display.paintShown();
                return true;
            default:
                return false;
        }
    }
}
