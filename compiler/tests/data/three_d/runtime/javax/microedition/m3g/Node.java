package javax.microedition.m3g;

// The test runtime keeps what the checks need: the group a node belongs to.
public abstract class Node extends Transformable {
    Group parent;

    Node() {}

    public Node getParent() { return parent; }
}
