package javax.microedition.rms;

public class RecordStore {
    public static final int AUTHMODE_PRIVATE = 0;
    public static final int AUTHMODE_ANY = 1;

    private RecordStore() {}

    public static void deleteRecordStore(String recordStoreName)
        throws RecordStoreException, RecordStoreNotFoundException {}

    public static RecordStore openRecordStore(String recordStoreName, boolean createIfNecessary)
        throws RecordStoreException, RecordStoreFullException, RecordStoreNotFoundException {
        return null;
    }

    public static RecordStore openRecordStore(
        String recordStoreName, boolean createIfNecessary, int authmode, boolean writable)
        throws RecordStoreException, RecordStoreFullException, RecordStoreNotFoundException {
        return null;
    }

    public static RecordStore openRecordStore(String recordStoreName, String vendorName, String suiteName)
        throws RecordStoreException, RecordStoreNotFoundException {
        return null;
    }

    public void setMode(int authmode, boolean writable) throws RecordStoreException {}

    public void closeRecordStore() throws RecordStoreNotOpenException, RecordStoreException {}

    public static String[] listRecordStores() { return null; }

    public String getName() throws RecordStoreNotOpenException { return null; }

    public int getVersion() throws RecordStoreNotOpenException { return 0; }

    public int getNumRecords() throws RecordStoreNotOpenException { return 0; }

    public int getSize() throws RecordStoreNotOpenException { return 0; }

    public int getSizeAvailable() throws RecordStoreNotOpenException { return 0; }

    public long getLastModified() throws RecordStoreNotOpenException { return 0; }

    public void addRecordListener(RecordListener listener) {}

    public void removeRecordListener(RecordListener listener) {}

    public int getNextRecordID() throws RecordStoreNotOpenException, RecordStoreException { return 0; }

    public int addRecord(byte[] data, int offset, int numBytes)
        throws RecordStoreNotOpenException, RecordStoreException, RecordStoreFullException {
        return 0;
    }

    public void deleteRecord(int recordId)
        throws RecordStoreNotOpenException, InvalidRecordIDException, RecordStoreException {}

    public int getRecordSize(int recordId)
        throws RecordStoreNotOpenException, InvalidRecordIDException, RecordStoreException {
        return 0;
    }

    public int getRecord(int recordId, byte[] buffer, int offset)
        throws RecordStoreNotOpenException, InvalidRecordIDException, RecordStoreException {
        return 0;
    }

    public byte[] getRecord(int recordId)
        throws RecordStoreNotOpenException, InvalidRecordIDException, RecordStoreException {
        return null;
    }

    public void setRecord(int recordId, byte[] newData, int offset, int numBytes)
        throws RecordStoreNotOpenException, InvalidRecordIDException, RecordStoreException,
               RecordStoreFullException {}

    public RecordEnumeration enumerateRecords(RecordFilter filter, RecordComparator comparator,
        boolean keepUpdated) throws RecordStoreNotOpenException {
        return null;
    }
}
