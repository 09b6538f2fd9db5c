package Game;

/** The animated blocks of a map, numbered from 0 as ANDT lists them (from the chunk's end backwards). */
public class AnimBlocks {
    private final AnimBlock[] anims;

    AnimBlocks(List anims) {
        this.anims = new AnimBlock[anims.size()];
        for (int i = 0; i < this.anims.length; i++) this.anims[i] = (AnimBlock) anims.get(i);
    }

    public int size() { return anims.length; }

    public AnimBlock get(int number) { return anims[number]; }

    /** Steps every animation by one tick. */
    public void update() {
        for (int i = 0; i < anims.length; i++) anims[i].update();
    }
}
