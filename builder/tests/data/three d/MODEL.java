package Game;

import javax.microedition.m3g.*;

// A model class as a 3D converter gives one: a public constructor and a static getObject() with the mesh.
public class MODEL {
    private static Mesh mesh;

    public MODEL() {}

    public static Mesh getObject() {
        if (mesh == null) {
            VertexArray positions = new VertexArray(3, 3, 2);
            positions.set(0, 3, new short[] {0, 0, 0, 1, 0, 0, 0, 1, 0});
            VertexBuffer vertices = new VertexBuffer();
            vertices.setPositions(positions, 1.0f, null);
            mesh = new Mesh(vertices, new TriangleStripArray(0, new int[] {3}), new Appearance());
        }
        return mesh;
    }
}
