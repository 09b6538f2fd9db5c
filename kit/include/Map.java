package Game;

/**
 * A tile map read from a map file: its header, palette, blocks, animated blocks, block graphics and layers.
 * {@link JavaMappy#loadMap} checks every reference between them, so drawing and queries never index out of
 * range.
 */
public class Map {
    MapHeader header;
    ColourMap colourMap;
    Blocks blocks;
    AnimBlocks animBlocks;
    byte[] graphics;
    PixelData pixelData;
    final Layers layers = new Layers();
    String[] author = new String[0];
    private String currentChunk = "FORM";

    public MapHeader getHeader() { return header; }

    public ColourMap getColourMap() { return colourMap; }

    public Blocks getBlocks() { return blocks; }

    public AnimBlocks getAnimBlocks() { return animBlocks; }

    public PixelData getPixelData() { return pixelData; }

    public Layers getLayers() { return layers; }

    /** The ATHR lines (author, and whatever else the map's maker wrote there). */
    public String[] getAuthor() { return author; }

    /**
     * The block cell ({@code x}, {@code y}) of {@code layer} shows now, animations resolved; null outside.
     */
    public Block getBlock(int layer, int x, int y) {
        Layer cells = layers.get(layer);
        if (cells == null || !cells.contains(x, y)) return null;
        int cell = cells.getCell(x, y);
        return blocks.get(cell >= 0 ? cell : animBlocks.get(-cell - 1).getCurrentBlock());
    }

    String currentChunk() { return currentChunk; }

    void setCurrentChunk(String id) { currentChunk = id; }

    /** Checks that the chunks read make a whole map, and that every reference in it has its target. */
    void finish() throws JavaMappyException {
        if (header == null) throw new JavaMappyException("the map has no MPHD chunk");
        if (layers.get(0) == null) throw new JavaMappyException("the map has no BODY chunk");
        if (blocks == null) throw new JavaMappyException("the map has no BKDT chunk");
        if (graphics == null) throw new JavaMappyException("the map has no BGFX chunk");
        if (header.depth == 8 && colourMap == null) {
            throw new JavaMappyException("the 8-bit map has no CMAP chunk");
        }
        if (animBlocks == null) animBlocks = new AnimBlocks(new List());
        pixelData = new PixelData(graphics, header, colourMap);
        graphics = null;

        for (int n = 0; n < blocks.size(); n++) {
            for (int i = 0; i < 4; i++) {
                int graphic = blocks.get(n).graphics[i];
                if (graphic < 0 || graphic >= pixelData.count) {
                    throw new JavaMappyException(
                            "block " + n + " uses graphic " + graphic + " of " + pixelData.count);
                }
            }
        }
        for (int n = 0; n < animBlocks.size(); n++) {
            int[] frames = animBlocks.get(n).frames;
            for (int i = 0; i < frames.length; i++) {
                if (frames[i] < 0 || frames[i] >= blocks.size()) {
                    throw new JavaMappyException(
                            "animated block " + n + " shows block " + frames[i] + " of " + blocks.size());
                }
            }
        }
        for (int n = 0; n < Layers.COUNT; n++) {
            Layer layer = layers.get(n);
            if (layer == null) continue;
            for (int i = 0; i < layer.cells.length; i++) {
                int cell = layer.cells[i];
                if (cell >= 0 ? cell >= blocks.size() : -cell - 1 >= animBlocks.size()) {
                    String what = cell >= 0 ? "block " + cell + " of " + blocks.size()
                                            : "animated block " + (-cell - 1) + " of " + animBlocks.size();
                    throw new JavaMappyException("layer " + n + " cell (" + i % layer.width + ", "
                            + i / layer.width + ") uses " + what);
                }
            }
        }
    }
}
