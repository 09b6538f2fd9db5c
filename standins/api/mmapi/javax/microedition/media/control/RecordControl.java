package javax.microedition.media.control;

import java.io.IOException;
import java.io.OutputStream;
import javax.microedition.media.Control;
import javax.microedition.media.MediaException;

public interface RecordControl extends Control {
    public void setRecordStream(OutputStream stream);

    public void setRecordLocation(String locator) throws IOException, MediaException;

    public String getContentType();

    public void startRecord();

    public void stopRecord();

    public void commit() throws IOException;

    public int setRecordSizeLimit(int size) throws MediaException;

    public void reset() throws IOException;
}
