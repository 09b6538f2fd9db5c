package Game;

/**
 * One animated block of ANDT: a sequence of block numbers stepped by {@link #update}. The count runs down
 * by one per update; when it drops below 0 it restarts at the delay and the frame moves on by the type.
 */
public class AnimBlock {
    static final int END = -1;
    static final int NONE = 0;
    static final int LOOP_FORWARD = 1;
    static final int LOOP_REVERSE = 2;
    /** Once forward, then back to the first frame and still (becomes ONCE_STOPPED). */
    static final int ONCE = 3;
    /** Once forward, then holds the last frame. */
    static final int ONCE_HOLD = 4;
    /** Ping-pong: the forward and reverse halves of one cycle, each type turning into the other. */
    static final int PING_PONG_FORWARD = 5;
    static final int PING_PONG_REVERSE = 6;
    static final int PING_PONG_REVERSE_FIRST = 7;
    static final int PING_PONG_FORWARD_SECOND = 8;
    static final int ONCE_STOPPED = 9;

    int type;
    final int delay;
    int count;
    final int user;
    /** Block numbers, never empty; {@code current} indexes it. */
    final int[] frames;
    int current;

    AnimBlock(int type, int delay, int count, int user, int[] frames, int current) {
        this.type = type;
        this.delay = delay;
        this.count = count;
        this.user = user;
        this.frames = frames;
        this.current = current;
    }

    /** The block number this animation shows now. */
    public int getCurrentBlock() { return frames[current]; }

    void update() {
        if (type == NONE || type == ONCE_STOPPED) return;
        if (--count >= 0) return;
        count = delay;
        int last = frames.length - 1;
        switch (type) {
            case LOOP_FORWARD:
                current = current == last ? 0 : current + 1;
                break;
            case LOOP_REVERSE:
                current = current == 0 ? last : current - 1;
                break;
            case ONCE:
                if (current == last) {
                    current = 0;
                    type = ONCE_STOPPED;
                } else {
                    current++;
                }
                break;
            case ONCE_HOLD:
                if (current < last) current++;
                break;
            case PING_PONG_FORWARD:
            case PING_PONG_FORWARD_SECOND:
                if (current < last) {
                    current++;
                } else if (last > 0) {
                    current--;
                    type = type == PING_PONG_FORWARD ? PING_PONG_REVERSE : PING_PONG_REVERSE_FIRST;
                }
                break;
            case PING_PONG_REVERSE:
            case PING_PONG_REVERSE_FIRST:
                if (current > 0) {
                    current--;
                } else if (last > 0) {
                    current++;
                    type = type == PING_PONG_REVERSE ? PING_PONG_FORWARD : PING_PONG_FORWARD_SECOND;
                }
                break;
            default:
                break;
        }
    }
}
