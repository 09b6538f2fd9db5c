package Game;

/**
 * One block structure of BKDT: up to four graphics drawn in one cell (a background and three foregrounds,
 * graphic 0 meaning none for a foreground), the editor's user values and eight flag bits.
 */
public class Block {
    /** Flag numbers: the four collision corners, the trigger, and three more free bits. */
    public static final int TOP_LEFT = 0, TOP_RIGHT = 1, BOTTOM_LEFT = 2, BOTTOM_RIGHT = 3, TRIGGER = 4;

    final int[] graphics = new int[4];
    int user1, user2, user3, user4, user5, user6, user7;
    int flags;

    /** Graphic {@code n}: 0 the background, 1 to 3 the foregrounds; -1 for another n. */
    public int getGraphic(int n) { return n >= 0 && n < 4 ? graphics[n] : -1; }

    /** Flag bit {@code n} (0..7) as 1 or 0; 0 for another n. */
    public int getFlag(int n) { return n >= 0 && n < 8 ? (flags >> n) & 1 : 0; }
}
