package javax.microedition.m3g;

public class VertexBuffer extends Object3D {
    public VertexBuffer() {}

    public int getVertexCount() { return 0; }

    public void setPositions(VertexArray positions, float scale, float[] bias) {}

    public void setTexCoords(int index, VertexArray texCoords, float scale, float[] bias) {}

    public void setNormals(VertexArray normals) {}

    public void setColors(VertexArray colors) {}

    public VertexArray getPositions(float[] scaleBias) { return null; }

    public VertexArray getTexCoords(int index, float[] scaleBias) { return null; }

    public VertexArray getNormals() { return null; }

    public VertexArray getColors() { return null; }

    public void setDefaultColor(int ARGB) {}

    public int getDefaultColor() { return 0; }
}
