package Game;

/** The block structures of a map, numbered from 0 in file order. */
public class Blocks {
    private final Block[] blocks;

    Blocks(Block[] blocks) { this.blocks = blocks; }

    public int size() { return blocks.length; }

    public Block get(int number) { return blocks[number]; }
}
