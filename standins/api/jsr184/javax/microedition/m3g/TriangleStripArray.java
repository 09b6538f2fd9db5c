package javax.microedition.m3g;

public class TriangleStripArray extends IndexBuffer {
    public TriangleStripArray(int firstIndex, int[] stripLengths) {}

    public TriangleStripArray(int[] indices, int[] stripLengths) {}

    public int getIndexCount() { return 0; }

    public void getIndices(int[] indices) {}
}
