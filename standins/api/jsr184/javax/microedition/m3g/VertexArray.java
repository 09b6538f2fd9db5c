package javax.microedition.m3g;

public class VertexArray extends Object3D {
    public VertexArray(int numVertices, int numComponents, int componentSize) {}

    public int getVertexCount() { return 0; }

    public int getComponentCount() { return 0; }

    public int getComponentType() { return 0; }

    public void set(int firstVertex, int numVertices, short[] values) {}

    public void set(int firstVertex, int numVertices, byte[] values) {}

    public void get(int firstVertex, int numVertices, byte[] values) {}

    public void get(int firstVertex, int numVertices, short[] values) {}
}
