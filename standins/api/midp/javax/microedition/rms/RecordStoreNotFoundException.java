package javax.microedition.rms;

public class RecordStoreNotFoundException extends RecordStoreException {
    public RecordStoreNotFoundException(String message) { super(message); }

    public RecordStoreNotFoundException() {}
}
