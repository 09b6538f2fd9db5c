package javax.microedition.m3g;

public class Group extends Node {
    public Group() {}

    public void addChild(Node child) {}

    public void removeChild(Node child) {}

    public int getChildCount() { return 0; }

    public Node getChild(int index) { return null; }
}
