import java.io.FilterOutputStream;
import java.io.IOException;
import java.io.OutputStream;
import java.io.PrintStream;
import java.io.PrintWriter;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.Locale;

import org.eclipse.jdt.internal.compiler.batch.Main;
import org.eclipse.jdt.internal.compiler.problem.DefaultProblemFactory;

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

    // The compiler's costliest first steps, its parser's tables and its message bundles, each taken on a
    // thread of its own as the host starts, so that the first javac row finds them done (a row that gets
    // there first waits for the thread, as a class is initialised once). None of these initialisers needs
    // a class whose initialiser needs one of them, so a row and a preload never wait on each other in a
    // circle. Nothing here prints.
    static void preload() {
        new Preload(true).start();
        new Preload(false).start();
    }

    private static final class Preload extends Thread {
        private final boolean parser;  // the parser's tables, or else the message bundles

        Preload(boolean parser) {
            super("preload");
            this.parser = parser;
            setDaemon(true);
        }

        @Override
        public void run() {
            Routes.route(Routes.NOWHERE, Routes.NOWHERE);
            try {
                if (parser) {
                    initialize("org.eclipse.jdt.internal.compiler.parser.Parser");
                } else {
                    Locale locale = Locale.getDefault();
                    Main.ResourceBundleFactory.getBundle(locale);
                    new DefaultProblemFactory(locale);
                    initialize("org.eclipse.jdt.internal.compiler.util.Messages");
                }
            } catch (Throwable ignored) {
                // Only slower: the row takes these steps itself.
            }
        }

        private static void initialize(String name) throws ClassNotFoundException {
            Class.forName(name, true, JavacRow.class.getClassLoader());
        }
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
