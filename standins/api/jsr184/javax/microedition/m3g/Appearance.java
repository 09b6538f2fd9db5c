package javax.microedition.m3g;

public class Appearance extends Object3D {
    public Appearance() {}

    public void setLayer(int layer) {}

    public int getLayer() { return 0; }

    public void setFog(Fog fog) {}

    public Fog getFog() { return null; }

    public void setPolygonMode(PolygonMode polygonMode) {}

    public PolygonMode getPolygonMode() { return null; }

    public void setCompositingMode(CompositingMode compositingMode) {}

    public CompositingMode getCompositingMode() { return null; }

    public void setTexture(int index, Texture2D texture) {}

    public Texture2D getTexture(int index) { return null; }

    public void setMaterial(Material material) {}

    public Material getMaterial() { return null; }
}
