package javax.microedition.m3g;

public class MorphingMesh extends Mesh {
    public MorphingMesh(VertexBuffer base, VertexBuffer[] targets, IndexBuffer submesh, Appearance appearance) {
        super(base, submesh, appearance);
    }

    public MorphingMesh(VertexBuffer base, VertexBuffer[] targets, IndexBuffer[] submeshes,
                        Appearance[] appearances) {
        super(base, submeshes, appearances);
    }

    public VertexBuffer getMorphTarget(int index) { return null; }

    public int getMorphTargetCount() { return 0; }

    public void setWeights(float[] weights) {}

    public void getWeights(float[] weights) {}
}
