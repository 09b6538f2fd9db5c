package Game;

/** A map that cannot be loaded or shown: a broken or unsupported map file, or a map without a stream. */
public class JavaMappyException extends Exception {
    public JavaMappyException(String message) { super(message); }
}
