package Game;

/** A chunk of a map file that is malformed, truncated, out of order or of an unsupported kind. */
public class ChunkLoadException extends JavaMappyException {
    public ChunkLoadException(String chunk, String problem) { super("chunk " + chunk + ": " + problem); }
}
