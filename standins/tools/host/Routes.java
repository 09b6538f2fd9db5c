import java.io.IOException;
import java.io.OutputStream;
import java.io.PrintStream;

// System.out and System.err by thread: a row's streams are its thread's (and those of the threads its tool
// starts), so that a warm-up running beside a row writes nothing into the row's output.
final class Routes {
    private static final InheritableThreadLocal<PrintStream> OUT = new InheritableThreadLocal<>();
    private static final InheritableThreadLocal<PrintStream> ERR = new InheritableThreadLocal<>();

    // What goes nowhere: the warm-up's streams.
    static final PrintStream NOWHERE = new PrintStream(OutputStream.nullOutputStream());

    private Routes() {}

    // From here on System.out and System.err write where the calling thread's route says; a thread with
    // none writes to the process's own streams.
    static void install() {
        PrintStream processOut = System.out, processErr = System.err;
        System.setOut(new PrintStream(new Routed(OUT, processOut), true));
        System.setErr(new PrintStream(new Routed(ERR, processErr), true));
    }

    // Routes this thread's streams to `out` and `err`; the routes they replace, to be put back.
    static PrintStream[] route(PrintStream out, PrintStream err) {
        PrintStream[] before = {OUT.get(), ERR.get()};
        OUT.set(out);
        ERR.set(err);
        return before;
    }

    static void restore(PrintStream[] before) {
        OUT.set(before[0]);
        ERR.set(before[1]);
    }

    private static final class Routed extends OutputStream {
        private final ThreadLocal<PrintStream> route;
        private final PrintStream process;

        Routed(ThreadLocal<PrintStream> route, PrintStream process) {
            this.route = route;
            this.process = process;
        }

        private PrintStream target() {
            PrintStream target = route.get();
            return target != null ? target : process;
        }

        @Override
        public void write(int b) {
            target().write(b);
        }

        @Override
        public void write(byte[] bytes, int offset, int length) {
            target().write(bytes, offset, length);
        }

        @Override
        public void flush() throws IOException {
            target().flush();
        }
    }
}
