package Game;

/**
 * The map library's diagnostic lines (skipped chunks and the like), printed on the phone's console.
 *
 * The kit copies the map library by a fixed list of class-file names that holds "Logger$1" and no "Logger";
 * an anonymous class would drag in an enclosing Logger class that never reaches the phone, so this is a
 * top-level class bearing that name (legal Java: '$' is an identifier letter).
 */
final class Logger$1 {
    private Logger$1() {}

    static void log(String message) { System.out.println("JavaMappy: " + message); }
}
