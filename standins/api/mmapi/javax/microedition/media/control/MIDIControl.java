package javax.microedition.media.control;

import javax.microedition.media.Control;
import javax.microedition.media.MediaException;

public interface MIDIControl extends Control {
    public static final int NOTE_ON = 0x90;
    public static final int CONTROL_CHANGE = 0xB0;

    public boolean isBankQuerySupported();

    public int[] getProgram(int channel) throws MediaException;

    public int getChannelVolume(int channel);

    public void setProgram(int channel, int bank, int program);

    public void setChannelVolume(int channel, int volume);

    public int[] getBankList(boolean custom) throws MediaException;

    public int[] getProgramList(int bank) throws MediaException;

    public String getProgramName(int bank, int prog) throws MediaException;

    public String getKeyName(int bank, int prog, int key) throws MediaException;

    public void shortMidiEvent(int type, int data1, int data2);

    public int longMidiEvent(byte[] data, int offset, int length);
}
