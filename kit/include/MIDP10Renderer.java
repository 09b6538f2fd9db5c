package Game;

import javax.microedition.lcdui.Graphics;
import javax.microedition.lcdui.Image;

/**
 * The renderer for MIDP 1.0 phones, which have neither RGB images nor see-through mutable ones: each graphic
 * is painted once into an opaque image, and a graphic with transparent pixels is drawn see-through from its
 * runs of visible pixels.
 */
public class MIDP10Renderer extends Renderer {
    private ImageData images;

    public void prepare(PixelData pixels) {
        int width = pixels.getWidth(), height = pixels.getHeight();
        images = new ImageData(pixels.getCount());
        for (int n = 0; n < pixels.getCount(); n++) {
            int[] argb = pixels.getARGB(n);
            Image image = Image.createImage(width, height);
            Graphics g = image.getGraphics();
            List visible = new List();
            boolean keyed = false;
            for (int y = 0; y < height; y++) {
                int x = 0;
                while (x < width) {
                    int first = argb[y * width + x];
                    int end = x + 1;
                    while (end < width && argb[y * width + end] == first) end++;
                    g.setColor(first & 0xFFFFFF);
                    g.fillRect(x, y, end - x, 1);
                    if ((first >>> 24) != 0) {
                        visible.add(new int[] {x, y, end - x, first & 0xFFFFFF});
                    } else {
                        keyed = true;
                    }
                    x = end;
                }
            }
            images.images[n] = image;
            images.keyed[n] = keyed;
            if (keyed) {
                int[] runs = new int[visible.size() * 4];
                for (int i = 0; i < visible.size(); i++) System.arraycopy(visible.get(i), 0, runs, i * 4, 4);
                images.runs[n] = runs;
            }
        }
    }

    public void drawGraphic(Graphics g, int n, int x, int y, boolean keyed) {
        int[] runs = images.runs[n];
        if (!keyed || runs == null) {
            g.drawImage(images.images[n], x, y, Graphics.TOP | Graphics.LEFT);
            return;
        }
        int colour = g.getColor();
        for (int i = 0; i < runs.length; i += 4) {
            g.setColor(runs[i + 3]);
            g.fillRect(x + runs[i], y + runs[i + 1], runs[i + 2], 1);
        }
        g.setColor(colour);
    }
}
