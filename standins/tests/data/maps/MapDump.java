package Game;

import java.io.FileInputStream;
import java.io.InputStream;
import javax.microedition.lcdui.Graphics;

/**
 * Runs the map library on the desktop and prints what it read and does. Arguments are commands:
 *   load FILE | loadnull | dump | pixels | anim STEPS | view WIDTH HEIGHT | at X Y | draw TRANSPARENT
 *   | query LAYER X Y N | renderer PROFILES | paint J2ME|MIDP10 WIDTH TRANSPARENT
 * "paint" draws with a real renderer over the stand-in Image and Graphics of the lcdui folder beside this
 * file. A failing command prints "error", the exception's class and message, and the run goes on.
 */
public class MapDump {
    /** Prints each graphic it is asked to draw instead of drawing it. */
    static class Recorder extends Renderer {
        public void prepare(PixelData pixels) {
            System.out.println("prepare " + pixels.getCount() + " graphics of " + pixels.getWidth() + "x"
                    + pixels.getHeight());
        }

        public void drawGraphic(Graphics g, int n, int x, int y, boolean keyed) {
            System.out.println("draw " + n + " at " + x + "," + y + (keyed ? " keyed" : ""));
        }
    }

    private static Map map;
    private static MapViewer viewer;

    public static void main(String[] args) {
        for (int i = 0; i < args.length; i++) {
            String command = args[i];
            try {
                if (command.equals("load")) {
                    String file = args[++i];
                    System.out.println("== " + file.substring(file.lastIndexOf('/') + 1));
                    map = null;
                    InputStream in = new FileInputStream(file);
                    try {
                        map = JavaMappy.loadMap(in);
                    } finally {
                        in.close();
                    }
                } else if (command.equals("loadnull")) {
                    System.out.println("== null");
                    map = JavaMappy.loadMap(null);
                } else if (command.equals("dump")) {
                    dump();
                } else if (command.equals("pixels")) {
                    PixelData pixels = map.getPixelData();
                    for (int n = 0; n < pixels.getCount(); n++) {
                        int[] argb = pixels.getARGB(n);
                        StringBuffer line = new StringBuffer("graphic " + n + ":");
                        for (int p = 0; p < argb.length; p++) line.append(' ').append(hex(argb[p]));
                        System.out.println(line);
                    }
                } else if (command.equals("anim")) {
                    int steps = Integer.parseInt(args[++i]);
                    AnimBlocks anims = map.getAnimBlocks();
                    for (int a = 0; a < anims.size(); a++) {
                        StringBuffer line =
                                new StringBuffer("anim " + a + ": " + anims.get(a).getCurrentBlock());
                        for (int s = 0; s < steps; s++) {
                            anims.get(a).update();
                            line.append(' ').append(anims.get(a).getCurrentBlock());
                        }
                        System.out.println(line);
                    }
                } else if (command.equals("view")) {
                    int width = Integer.parseInt(args[++i]), height = Integer.parseInt(args[++i]);
                    viewer = JavaMappy.createMapViewer(map, new Recorder(), width, height);
                } else if (command.equals("at")) {
                    viewer.setX(Integer.parseInt(args[++i]));
                    viewer.setY(Integer.parseInt(args[++i]));
                    System.out.println("at " + viewer.getX() + "," + viewer.getY());
                } else if (command.equals("draw")) {
                    boolean transparent = args[++i].equals("true");
                    viewer.updateAnimBlocks();
                    viewer.draw(null, transparent);
                } else if (command.equals("query")) {
                    int layer = Integer.parseInt(args[++i]), x = Integer.parseInt(args[++i]);
                    int y = Integer.parseInt(args[++i]), n = Integer.parseInt(args[++i]);
                    System.out.println("query " + layer + " " + x + "," + y + " " + n + ": flag "
                            + viewer.getBlockFlag(layer, x, y, n) + " image "
                            + viewer.getBlockImage(layer, x, y, n));
                } else if (command.equals("renderer")) {
                    System.setProperty("microedition.profiles", args[++i]);
                    System.out.println("renderer " + JavaMappy.defaultRenderer().getClass().getName());
                } else if (command.equals("paint")) {
                    Renderer renderer =
                            args[++i].equals("J2ME") ? (Renderer) new J2MERenderer() : new MIDP10Renderer();
                    int width = Integer.parseInt(args[++i]);
                    boolean transparent = args[++i].equals("true");
                    MapViewer painter = JavaMappy.createMapViewer(map, renderer, width, 1);
                    Graphics screen = new Graphics("screen");
                    screen.setColor(0x123456);
                    painter.draw(screen, transparent);
                    System.out.println("screen colour " + Integer.toHexString(screen.getColor()));
                } else {
                    System.out.println("unknown command " + command);
                }
            } catch (Exception e) {
                System.out.println("error " + e.getClass().getName() + ": " + e.getMessage());
            }
        }
    }

    private static void dump() {
        MapHeader h = map.getHeader();
        System.out.println("map " + h.getMapWidth() + "x" + h.getMapHeight() + " blocks " + h.getBlockWidth()
                + "x" + h.getBlockHeight() + " depth " + h.getDepth());
        String[] author = map.getAuthor();
        for (int i = 0; i < author.length; i++) System.out.println("author " + author[i]);
        Blocks blocks = map.getBlocks();
        for (int n = 0; n < blocks.size(); n++) {
            Block b = blocks.get(n);
            StringBuffer flags = new StringBuffer();
            for (int f = 7; f >= 0; f--) flags.append(b.getFlag(f));
            System.out.println("block " + n + ": " + b.getGraphic(0) + " " + b.getGraphic(1) + " "
                    + b.getGraphic(2) + " " + b.getGraphic(3) + " flags " + flags + " user " + b.user1 + " "
                    + b.user2 + " " + b.user3 + " " + b.user4 + " " + b.user5 + " " + b.user6 + " "
                    + b.user7);
        }
        AnimBlocks anims = map.getAnimBlocks();
        for (int n = 0; n < anims.size(); n++) {
            AnimBlock a = anims.get(n);
            StringBuffer frames = new StringBuffer();
            for (int f = 0; f < a.frames.length; f++) frames.append(f == 0 ? "" : " ").append(a.frames[f]);
            System.out.println("anim " + n + ": type " + a.type + " delay " + a.delay + " count " + a.count
                    + " user " + a.user + " frames " + frames + " current " + a.current);
        }
        for (int l = 0; l < Layers.COUNT; l++) {
            Layer layer = map.getLayers().get(l);
            if (layer == null) continue;
            System.out.println("layer " + l + ":");
            for (int y = 0; y < h.getMapHeight(); y++) {
                StringBuffer row = new StringBuffer();
                for (int x = 0; x < h.getMapWidth(); x++)
                    row.append(x == 0 ? "" : " ").append(layer.getCell(x, y));
                System.out.println(" " + row);
            }
        }
    }

    private static String hex(int value) {
        String digits = Integer.toHexString(value);
        while (digits.length() < 8) digits = "0" + digits;
        return digits;
    }
}
