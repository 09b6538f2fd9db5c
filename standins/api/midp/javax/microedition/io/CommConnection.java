package javax.microedition.io;

public interface CommConnection extends StreamConnection {
    public int setBaudRate(int baudrate);

    public int getBaudRate();
}
