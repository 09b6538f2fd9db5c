package javax.microedition.m3g;

import java.util.Vector;

// A node belongs to one group at a time, as the 3D API requires.
public class Group extends Node {
    private final Vector children = new Vector();

    public Group() {}

    public void addChild(Node child) {
        if (child == null) throw new NullPointerException("addChild(null)");
        if (child instanceof World) throw new IllegalArgumentException("a World cannot be a child");
        if (child.parent != null) throw new IllegalArgumentException("the node already has a parent");
        for (Node n = this; n != null; n = n.parent) {
            if (n == child) throw new IllegalArgumentException("a group cannot hold its ancestor");
        }
        children.addElement(child);
        child.parent = this;
    }

    public void removeChild(Node child) {
        if (child != null && child.parent == this) {
            children.removeElement(child);
            child.parent = null;
        }
    }

    public int getChildCount() { return children.size(); }
}
