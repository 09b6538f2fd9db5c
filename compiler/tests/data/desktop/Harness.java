import java.io.ByteArrayOutputStream;
import java.io.OutputStream;
import java.io.PrintStream;
import java.lang.management.ManagementFactory;
import java.lang.reflect.Field;
import java.lang.reflect.Method;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.List;

// What RunPhone and RunApplet share: the program's standard output (PRINT) is passed on and kept line by
// line, and the steps named on the command line run in order, each one argument ("await 3 pad -1" is one
// step). The harness reports on lines of its own that start with "> ", so a test reads the program's
// lines and the reports apart; "> done" ends a run whose steps all ran. The steps of both targets:
//   sleep MS          wait
//   mark              await and since count the program's lines from here on
//   await N TEXT      until the program has printed the line TEXT N times since the mark
//   since TEXT        reports how often it has ("since mark: N x TEXT")
//   repeat STATE      until the shown canvas's key-repeat thread is in that Thread.State; reports it
//   cancel            cancels that thread and waits for its end; reports its state
//   cpu               reports the processor time of the JVM and of that thread
// A step that waits gives up after the deadline: it reports what it saw instead and the run ends with
// status 3. An exception no one catches in a thread of the program is reported as "> exception ...".
abstract class Harness {
    static final long DEADLINE_MS = 20000;

    final PrintStream report;
    private final List<String> printed = new ArrayList<>();
    private int mark;

    Harness() {
        report = System.out;
        System.setOut(new PrintStream(new Lines(), true, StandardCharsets.UTF_8));
        Thread.setDefaultUncaughtExceptionHandler((thread, error) -> report("exception " + error));
    }

    // The object of the canvas shown now, or null.
    abstract Object canvas() throws Exception;

    // A step of the target's own; false when it knows no such step.
    abstract boolean step(String name, String[] words) throws Exception;

    void report(String line) {
        synchronized (report) {
            report.println("> " + line);
            report.flush();
        }
    }

    void run(String[] steps, int first) throws Exception {
        for (int i = first; i < steps.length; i++) {
            String[] words = steps[i].trim().split(" ");
            if (!commonStep(words[0], words, steps[i]) && !step(words[0], words)) {
                report("unknown step " + steps[i]);
                System.exit(2);
            }
        }
        report("done");
    }

    private boolean commonStep(String name, String[] words, String whole) throws Exception {
        switch (name) {
            case "sleep":
                Thread.sleep(Long.parseLong(words[1]));
                return true;
            case "mark":
                // await and since count from here on.
                synchronized (printed) {
                    mark = printed.size();
                }
                return true;
            case "await": {
                // await N TEXT: until the program has printed the line TEXT N times since the mark.
                int count = Integer.parseInt(words[1]);
                String text = rest(whole, 2);
                if (!until(() -> times(text) >= count)) giveUp("timed out waiting for " + count + " x " + text);
                return true;
            }
            case "since": {
                // since TEXT: how often the program has printed the line TEXT since the mark.
                String text = rest(whole, 1);
                report("since mark: " + times(text) + " x " + text);
                return true;
            }
            case "repeat": {
                // repeat STATE: until the shown canvas's key-repeat thread is in that state.
                Thread.State wanted = Thread.State.valueOf(words[1]);
                // What the last look saw: the thread may move on between looks.
                String[] seen = {"none"};
                boolean reached = until(() -> {
                    Thread thread = repeatThread();
                    seen[0] = thread == null ? "none" : thread.getState().toString();
                    return seen[0].equals(wanted.toString());
                });
                String state = "repeat " + seen[0];
                if (!reached) giveUp(state);
                report(state);
                return true;
            }
            case "cancel": {
                Thread thread = repeatThread();
                Method cancel = thread.getClass().getMethod("cancel");
                cancel.setAccessible(true);
                cancel.invoke(thread);
                thread.join(DEADLINE_MS);
                report("repeat " + thread.getState());
                return true;
            }
            case "cpu": {
                // The processor time of the whole JVM so far, and of the shown canvas's key-repeat thread.
                long process = ((com.sun.management.OperatingSystemMXBean)
                        ManagementFactory.getOperatingSystemMXBean()).getProcessCpuTime();
                Thread thread = repeatThread();
                String repeat = thread == null ? "none"
                        : ManagementFactory.getThreadMXBean().getThreadCpuTime(thread.getId()) / 1000000 + " ms";
                report("cpu process " + process / 1000000 + " ms repeat " + repeat);
                return true;
            }
            default:
                return false;
        }
    }

    // The lines printed since the mark that are `text`.
    void giveUp(String what) {
        report(what);
        System.exit(3);
    }

    int times(String text) {
        synchronized (printed) {
            int n = 0;
            for (String line : printed.subList(mark, printed.size())) {
                if (line.equals(text)) n++;
            }
            return n;
        }
    }

    // The step's words from the `first`-th on, as written.
    static String rest(String step, int first) {
        String[] words = step.trim().split(" ", first + 1);
        return words.length > first ? words[first] : "";
    }

    Thread repeatThread() throws Exception {
        Object canvas = canvas();
        if (canvas == null) return null;
        Field field = canvas.getClass().getField("m_repeat");
        field.setAccessible(true);
        return (Thread) field.get(canvas);
    }

    interface Condition {
        boolean holds() throws Exception;
    }

    // Polls until the condition holds; false after the deadline.
    static boolean until(Condition condition) throws Exception {
        long end = System.currentTimeMillis() + DEADLINE_MS;
        while (!condition.holds()) {
            if (System.currentTimeMillis() > end) return false;
            Thread.sleep(10);
        }
        return true;
    }

    // Passes the program's output on and keeps each whole line.
    private class Lines extends OutputStream {
        private final ByteArrayOutputStream line = new ByteArrayOutputStream();

        @Override
        public synchronized void write(int b) {
            if (b != '\n') {
                line.write(b);
                return;
            }
            String text = line.toString(StandardCharsets.UTF_8);
            line.reset();
            synchronized (printed) {
                printed.add(text);
            }
            synchronized (report) {
                report.println(text);
                report.flush();
            }
        }
    }
}
