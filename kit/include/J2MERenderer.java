package Game;

import javax.microedition.lcdui.Graphics;
import javax.microedition.lcdui.Image;

/** The renderer for MIDP 2.0 phones: one see-through image per graphic. */
public class J2MERenderer extends Renderer {
    private ImageData images;
    private int width, height, keyRGB;

    public void prepare(PixelData pixels) {
        width = pixels.getWidth();
        height = pixels.getHeight();
        keyRGB = pixels.getKeyRGB();
        images = new ImageData(pixels.getCount());
        for (int n = 0; n < pixels.getCount(); n++) {
            int[] argb = pixels.getARGB(n);
            images.keyed[n] = ImageData.hasKey(argb);
            images.images[n] = Image.createRGBImage(argb, width, height, true);
        }
    }

    public void drawGraphic(Graphics g, int n, int x, int y, boolean keyed) {
        if (!keyed && images.keyed[n]) {
            int colour = g.getColor();
            g.setColor(keyRGB);
            g.fillRect(x, y, width, height);
            g.setColor(colour);
        }
        g.drawImage(images.images[n], x, y, Graphics.TOP | Graphics.LEFT);
    }
}
