package Game;

import javax.microedition.lcdui.Image;
import javax.microedition.rms.RecordStore;

// Images from the network for a generated program (the object "incImage"). NET.IMAGE fetches an image by
// its URL; NET.LOADIMAGE takes the image that NET.DOWNLOAD stored under a file name. An image that cannot be
// had comes back as one transparent pixel, so that drawing it shows nothing and the game goes on.
public class IncludeImage {
    public IncludeImage() {}

    public Image getImageFromInternet(String url) { return image(Include.download(url)); }

    // The file is the record store that NET.DOWNLOAD wrote: its record 1 holds the image.
    public Image getImageFromInternetFile(String file) {
        RecordStore store = null;
        try {
            store = RecordStore.openRecordStore(file, false);
            return image(store.getRecord(1));
        } catch (Exception e) {
            return image(null);
        } finally {
            if (store != null) {
                try {
                    store.closeRecordStore();
                } catch (Exception e) {
                }
            }
        }
    }

    private static Image image(byte[] data) {
        if (data != null && data.length > 0) {
            try {
                return Image.createImage(data, 0, data.length);
            } catch (Exception e) {
                // Not an image format the phone decodes.
            }
        }
        return Image.createRGBImage(new int[] {0}, 1, 1, true);
    }
}
