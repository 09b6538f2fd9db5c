package javax.microedition.m3g;

public class Mesh extends Node {
    public Mesh(VertexBuffer vertices, IndexBuffer submesh, Appearance appearance) {}

    public Mesh(VertexBuffer vertices, IndexBuffer[] submeshes, Appearance[] appearances) {}

    public void setAppearance(int index, Appearance appearance) {}

    public Appearance getAppearance(int index) { return null; }

    public IndexBuffer getIndexBuffer(int index) { return null; }

    public VertexBuffer getVertexBuffer() { return null; }

    public int getSubmeshCount() { return 0; }
}
