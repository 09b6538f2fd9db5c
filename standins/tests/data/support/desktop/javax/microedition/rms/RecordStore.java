package javax.microedition.rms;

import java.util.Hashtable;
import java.util.Vector;

// Desktop stand-in for the phone's record stores, in memory, with the rules the support classes meet on a
// phone: one instance per name with an open count, no deleting an open store, record numbers from 1.
public class RecordStore {
    private static final Hashtable stores = new Hashtable();

    private final String name;
    private final Vector records = new Vector();
    private int openCount;

    private RecordStore(String name) { this.name = name; }

    public static RecordStore openRecordStore(String name, boolean create) throws RecordStoreException {
        if (name.length() < 1 || name.length() > 32) throw new IllegalArgumentException(name);
        RecordStore store = (RecordStore) stores.get(name);
        if (store == null) {
            if (!create) throw new RecordStoreNotFoundException(name);
            store = new RecordStore(name);
            stores.put(name, store);
        }
        store.openCount++;
        return store;
    }

    public static void deleteRecordStore(String name) throws RecordStoreException {
        RecordStore store = (RecordStore) stores.get(name);
        if (store == null) throw new RecordStoreNotFoundException(name);
        if (store.openCount > 0) throw new RecordStoreException(name + " is open");
        stores.remove(name);
    }

    public static String[] listRecordStores() {
        if (stores.isEmpty()) return null;
        String[] names = new String[stores.size()];
        int i = 0;
        for (java.util.Enumeration e = stores.keys(); e.hasMoreElements();)
            names[i++] = (String) e.nextElement();
        return names;
    }

    public void closeRecordStore() throws RecordStoreException {
        checkOpen();
        openCount--;
    }

    public String getName() throws RecordStoreNotOpenException {
        checkOpen();
        return name;
    }

    public int addRecord(byte[] data, int offset, int numBytes) throws RecordStoreException {
        checkOpen();
        byte[] record = new byte[numBytes];
        System.arraycopy(data, offset, record, 0, numBytes);
        records.addElement(record);
        return records.size();
    }

    public byte[] getRecord(int recordId) throws RecordStoreException {
        checkOpen();
        if (recordId < 1 || recordId > records.size())
            throw new InvalidRecordIDException(String.valueOf(recordId));
        byte[] record = (byte[]) records.elementAt(recordId - 1);
        return record.length == 0 ? null : (byte[]) record.clone();
    }

    private void checkOpen() throws RecordStoreNotOpenException {
        if (openCount <= 0) throw new RecordStoreNotOpenException(name);
    }
}
