import java.io.BufferedInputStream;
import java.io.ByteArrayInputStream;
import java.io.DataInputStream;
import java.io.DataOutputStream;
import java.io.FileDescriptor;
import java.io.FileInputStream;
import java.io.FileOutputStream;
import java.io.IOException;
import java.io.OutputStream;
import java.io.PrintStream;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.concurrent.BlockingQueue;
import java.util.concurrent.LinkedBlockingQueue;

// The kit's tool host: the Java rows of one build (the kit's javac and preverify) one after the other in
// this one JVM, so that a build starts one JVM instead of one a row.
//
//   tool-host                      takes its rows from Build-Linux over standard input, a socket (below)
//   tool-host ROW [--then ROW]...  runs the rows given, each a tool's name and its arguments, in turn,
//                                  and ends with the status of the first that fails (the kit's build
//                                  makes the host's class-data archive so)
//
// A row does what the kit's program of its tool does with those arguments (tools/javac.cpp,
// tools/preverify.cpp, which a test holds it to): the same output, the same files, the same status. It
// runs in the host's working folder and locale, which Build starts it in as it starts the tools.
//
// Over the socket, both ways through standard input's descriptor (numbers 4 bytes, high byte first):
//   a row     the number of its words, then each word's length and bytes (UTF-8), the tool's name first
//   replies   'r'                          once, when the host is ready for rows
//             'o' or 'e', length, bytes    what the row wrote on its standard output or error stream
//             'x', status                  the row has ended
// The host ends at once when the socket closes: Build has let it go, or has ended without a word.
public final class ToolHost {
    public static void main(String[] args) throws Exception {
        PrintStream out = System.out, err = System.err;
        Routes.install();
        if (args.length > 0) {
            // As when serving, so that the class-data archive made from these rows holds the same classes.
            JavacRow.preload();
            System.exit(runGiven(args, out, err));
        }
        // The first preverify row of a build comes after its javac rows: ProGuard warms up beside them.
        Thread warmUp = new Thread(PreverifyRow::warmUp, "warm-up");
        warmUp.setDaemon(true);
        warmUp.start();
        JavacRow.preload();
        serve(warmUp);
    }

    // A row: its tool's name and arguments. What it writes goes to `out` and `err`; its status.
    static int run(List<String> row, PrintStream out, PrintStream err) {
        String tool = row.get(0);
        String[] arguments = row.subList(1, row.size()).toArray(new String[0]);
        // What the tools print on the process's streams (ProGuard does) belongs to the row.
        PrintStream[] own = Routes.route(out, err);
        try {
            switch (tool) {
                case "javac":
                    return JavacRow.run(arguments, out, err);
                case "preverify":
                    return PreverifyRow.run(arguments, out, err);
                default:
                    err.print("tool-host: no tool named " + tool + "\n");
                    return 127;
            }
        } catch (Throwable failure) {
            // What the JVM says of a failure no one caught in a tool's main.
            err.print("Exception in thread \"main\" ");
            failure.printStackTrace(err);
            return 1;
        } finally {
            out.flush();
            err.flush();
            Routes.restore(own);
        }
    }

    private static int runGiven(String[] args, PrintStream out, PrintStream err) {
        List<String> row = new ArrayList<>();
        for (String word : Arrays.asList(args)) {
            if (!word.equals("--then")) {
                row.add(word);
                continue;
            }
            int status = row.isEmpty() ? 0 : run(row, out, err);
            if (status != 0) return status;
            row = new ArrayList<>();
        }
        return row.isEmpty() ? 0 : run(row, out, err);
    }

    private static void serve(Thread warmUp) throws InterruptedException {
        FileInputStream requests = new FileInputStream(FileDescriptor.in);
        // The socket is standard input's descriptor; its replies are written there too.
        Replies replies = new Replies(new FileOutputStream(FileDescriptor.in));
        System.setIn(new ByteArrayInputStream(new byte[0]));
        BlockingQueue<List<String>> rows = new LinkedBlockingQueue<>();
        Thread reader = new Thread(() -> {
            DataInputStream in = new DataInputStream(new BufferedInputStream(requests));
            try {
                for (;;) rows.put(readRow(in));
            } catch (IOException | InterruptedException closed) {
                // Build has gone: what the row that runs would still write is no one's.
            }
            Runtime.getRuntime().halt(0);
        }, "rows");
        reader.setDaemon(true);
        reader.start();
        replies.ready();
        for (;;) {
            List<String> row = rows.take();
            if (row.get(0).equals("preverify")) warmUp.join();
            PrintStream out = replies.stream('o'), err = replies.stream('e');
            int status = run(row, out, err);
            replies.end(status);
        }
    }

    private static List<String> readRow(DataInputStream in) throws IOException {
        int count = in.readInt();
        if (count < 1) throw new IOException("a row without its tool");
        List<String> row = new ArrayList<>(count);
        for (int i = 0; i < count; ++i) {
            byte[] word = new byte[in.readInt()];
            in.readFully(word);
            row.add(new String(word, StandardCharsets.UTF_8));
        }
        return row;
    }

    // The replies, one whole at a time: the tools may write from threads of their own.
    private static final class Replies {
        private final DataOutputStream socket;

        Replies(OutputStream socket) {
            this.socket = new DataOutputStream(socket);
        }

        synchronized void ready() {
            try {
                socket.writeByte('r');
                socket.flush();
            } catch (IOException gone) {
                Runtime.getRuntime().halt(0);
            }
        }

        synchronized void output(char stream, byte[] bytes, int offset, int length) {
            try {
                socket.writeByte(stream);
                socket.writeInt(length);
                socket.write(bytes, offset, length);
                socket.flush();
            } catch (IOException gone) {
                Runtime.getRuntime().halt(0);
            }
        }

        synchronized void end(int status) {
            try {
                socket.writeByte('x');
                socket.writeInt(status);
                socket.flush();
            } catch (IOException gone) {
                Runtime.getRuntime().halt(0);
            }
        }

        PrintStream stream(char stream) {
            OutputStream replies = new OutputStream() {
                @Override
                public void write(int b) {
                    write(new byte[] {(byte) b}, 0, 1);
                }

                @Override
                public void write(byte[] bytes, int offset, int length) {
                    if (length > 0) output(stream, bytes, offset, length);
                }
            };
            return new PrintStream(replies, true);
        }
    }
}
