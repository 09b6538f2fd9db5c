package javax.microedition.lcdui;

public class Ticker {
    public Ticker(String str) {}

    public void setString(String str) {}

    public String getString() { return null; }
}
