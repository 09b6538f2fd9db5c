import java.io.FilterOutputStream;
import java.io.IOException;
import java.io.OutputStream;
import java.io.PrintStream;
import java.io.PrintWriter;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;

import org.eclipse.jdt.internal.compiler.batch.Main;

// A javac row: what the kit's javac (tools/javac.cpp) runs, the Eclipse compiler with the same arguments
// added and the class-path lists in the same form, here on a compiler of the row's own (the batch
// compiler keeps its state in the object).
final class JavacRow {
    private static final List<String> LIST_OPTIONS =
            Arrays.asList("-classpath", "-cp", "-bootclasspath", "-sourcepath", "-extdirs", "-endorseddirs");

    private JavacRow() {}

    static int run(String[] args, PrintStream out, PrintStream err) {
        List<String> command = new ArrayList<>(Arrays.asList("-nowarn", "-encoding", "UTF-8"));
        for (int i = 0; i < args.length; ++i) {
            command.add(args[i]);
            if (LIST_OPTIONS.contains(args[i]) && i + 1 < args.length) command.add(pathList(args[++i]));
        }
        // The compiler closes its writers when it is done; the row's streams outlive it.
        Main compiler = new Main(new PrintWriter(new Unclosed(out)), new PrintWriter(new Unclosed(err)), false,
                null, null);
        // The status the compiler's own main ends with.
        return compiler.compile(command.toArray(new String[0])) ? 0 : 255;
    }

    // ";" (the descriptor's form) and ":" both separate entries; empty entries are dropped.
    static String pathList(String list) {
        StringBuilder joined = new StringBuilder();
        for (String entry : list.split("[:;]")) {
            if (entry.isEmpty()) continue;
            if (joined.length() > 0) joined.append(':');
            joined.append(entry);
        }
        return joined.toString();
    }

    private static final class Unclosed extends FilterOutputStream {
        Unclosed(OutputStream stream) {
            super(stream);
        }

        @Override
        public void write(byte[] bytes, int offset, int length) throws IOException {
            out.write(bytes, offset, length);
        }

        @Override
        public void close() throws IOException {
            flush();
        }
    }
}
