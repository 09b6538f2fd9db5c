import java.io.ByteArrayOutputStream;
import java.io.File;
import java.io.IOException;
import java.io.PrintStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.InvalidPathException;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayDeque;
import java.util.ArrayList;
import java.util.Deque;
import java.util.List;
import java.util.function.Predicate;

import proguard.Configuration;
import proguard.ConfigurationParser;
import proguard.ProGuard;

// A preverify row: what the kit's preverify (tools/preverify.cpp) does, the wireless toolkit's command line
// turned into ProGuard's configuration, here run on ProGuard in this JVM as its main would run it.
//   preverify [-classpath LIST] [-d OUTDIR] INPUT...
// Quiet on success; on failure ProGuard's own lines without its progress and its advice, then
// "preverify: preverification failed", status 1.
final class PreverifyRow {
    private static final String USAGE =
            "Usage: preverify [-classpath <list>] [-d <output folder>] <class folder or jar>...";

    private PreverifyRow() {}

    static int run(String[] args, PrintStream out, PrintStream err) {
        List<String> classpath = new ArrayList<>();
        String output = "output";
        List<String> inputs = new ArrayList<>();
        for (int i = 0; i < args.length; ++i) {
            String arg = args[i];
            if (arg.equals("-classpath") || arg.equals("-cp") || arg.equals("-d")) {
                if (i + 1 >= args.length) return fail(err, "missing value after " + arg + "\n" + USAGE);
                String value = args[++i];
                if (arg.equals("-d")) {
                    output = value;
                } else {
                    classpath.addAll(splitList(value));
                }
            } else if (arg.startsWith("-")) {
                return fail(err, "unknown option " + arg + "\n" + USAGE);
            } else {
                inputs.add(arg);
            }
        }
        if (inputs.isEmpty()) return fail(err, "no input given\n" + USAGE);

        StringBuilder config = new StringBuilder("-microedition\n-dontshrink\n-dontoptimize\n-dontobfuscate\n"
                + "-dontnote\n-forceprocessing\n-keepattributes\n");
        List<Path> inputPaths = new ArrayList<>();
        for (String input : inputs) {
            boolean folder = is(input, Files::isDirectory);
            if (!folder && !is(input, Files::isRegularFile)) return fail(err, "cannot find " + input);
            String target = folder ? output
                    : output.isEmpty() ? fileName(input)
                                       : output + "/" + fileName(input);
            String in = quoteName(input), into = quoteName(target);
            if (in == null || into == null) return fail(err, "cannot pass the file name " + input + " on");
            config.append("-injars ").append(in).append("\n-outjars ").append(into).append("\n");
            inputPaths.add(canonicalPath(input));
        }
        for (String entry : classpath) {
            if (!is(entry, Files::exists)) continue;  // as the toolkit: a missing entry adds nothing
            // The inputs themselves are program classes, not library classes.
            if (inputPaths.contains(canonicalPath(entry))) continue;
            String name = quoteName(entry);
            if (name == null) return fail(err, "cannot pass the file name " + entry + " on");
            config.append("-libraryjars ").append(name).append("\n");
        }
        try {
            Files.createDirectories(Paths.get(output));
        } catch (IOException | InvalidPathException ignored) {
            // ProGuard names what it cannot write.
        }

        // ProGuard's two streams, interleaved as it wrote them.
        ByteArrayOutputStream printed = new ByteArrayOutputStream();
        PrintStream proguardOut = new PrintStream(printed, true);
        PrintStream[] row = Routes.route(proguardOut, proguardOut);
        int status;
        try {
            status = proguard(config.toString());
        } finally {
            proguardOut.flush();
            Routes.restore(row);
        }
        if (status == 0) return 0;

        // Byte for byte: each char of ISO-8859-1 is one byte.
        String text = new String(printed.toByteArray(), StandardCharsets.ISO_8859_1);
        StringBuilder relayed = new StringBuilder();
        for (int pos = 0; pos < text.length();) {
            int end = text.indexOf('\n', pos);
            if (end < 0) end = text.length();
            String line = text.substring(pos, end);
            pos = end + 1;
            if (!isProgressLine(line) && !isAdviceLine(line)) relayed.append(line).append('\n');
        }
        byte[] shown = relayed.length() == 0 ? printed.toByteArray()
                                             : relayed.toString().getBytes(StandardCharsets.ISO_8859_1);
        err.write(shown, 0, shown.length);
        return fail(err, "preverification failed");
    }

    // Preverifies the small MIDlet the host carries against the kit's own libraries, writing nothing and
    // saying nothing, so that ProGuard's code is loaded and compiled before a build's preverify row.
    static void warmUp() {
        Routes.route(Routes.NOWHERE, Routes.NOWHERE);
        try {
            Path jar = Paths.get(ToolHost.class.getProtectionDomain().getCodeSource().getLocation().toURI());
            Path lib = jar.getParent().getParent().getParent().resolve("wtk/lib");
            StringBuilder config = new StringBuilder(
                    "-microedition\n-dontshrink\n-dontoptimize\n-dontobfuscate\n-dontnote\n-dontwarn\n"
                    + "-ignorewarnings\n-forceprocessing\n-keepattributes\n");
            config.append("-injars ").append(quoteName(jar.toString())).append("(warm-up/**.class)\n");
            for (String library : new String[] {"midpapi20.jar", "cldcapi10.jar"}) {
                Path path = lib.resolve(library);
                if (Files.isRegularFile(path)) config.append("-libraryjars ").append(quoteName(path.toString())).append("\n");
            }
            proguard(config.toString());
        } catch (Throwable ignored) {
            // Only slower: the row loads what the warm-up did not.
        }
    }

    // ProGuard's main, without its exit: the configuration parsed, ProGuard run, a failure said in its words.
    private static int proguard(String config) {
        Configuration configuration = new Configuration();
        try {
            ConfigurationParser parser = new ConfigurationParser(config, "preverify's configuration",
                    new File("."), System.getProperties());
            try {
                parser.parse(configuration);
            } finally {
                parser.close();
            }
            new ProGuard(configuration).execute();
            return 0;
        } catch (Exception failure) {
            if (configuration.verbose) {
                failure.printStackTrace();
            } else {
                System.err.println("Error: " + failure.getMessage());
            }
            return 1;
        } catch (Throwable failure) {
            System.err.print("Exception in thread \"main\" ");
            failure.printStackTrace();
            return 1;
        }
    }

    private static int fail(PrintStream err, String message) {
        err.print("preverify: " + message + "\n");
        err.flush();
        return 1;
    }

    static List<String> splitList(String list) {
        List<String> entries = new ArrayList<>();
        for (String entry : list.split("[:;]")) {
            if (!entry.isEmpty()) entries.add(entry);
        }
        return entries;
    }

    // Whether the file `name` names is `what`: "" names none (a Path of it would be the working folder).
    private static boolean is(String name, Predicate<Path> what) {
        try {
            return !name.isEmpty() && what.test(Paths.get(name));
        } catch (InvalidPathException unusable) {
            return false;
        }
    }

    private static String fileName(String name) {
        return name.substring(name.lastIndexOf('/') + 1);
    }

    private static Path canonicalPath(String name) {
        try {
            Path path = Paths.get(name).toAbsolutePath().normalize();
            try {
                return path.toRealPath();
            } catch (IOException notThere) {
                return path;
            }
        } catch (InvalidPathException unusable) {
            return null;
        }
    }

    // The name with "." and "name/.." taken out, and "." for nothing left.
    static String normal(String name) {
        boolean absolute = name.startsWith("/");
        Deque<String> parts = new ArrayDeque<>();
        for (String part : name.split("/")) {
            if (part.isEmpty() || part.equals(".")) continue;
            if (part.equals("..") && !parts.isEmpty() && !parts.peekLast().equals("..")) {
                parts.removeLast();
            } else if (!(part.equals("..") && absolute)) {
                parts.addLast(part);
            }
        }
        String joined = String.join("/", parts);
        return absolute ? "/" + joined : joined.isEmpty() ? "." : joined;
    }

    // A file name in ProGuard's configuration: absolute (ProGuard takes relative names from the
    // configuration's folder) and quoted, so that blanks, commas and brackets stay part of it. A relative
    // name goes through the working folder's link in /proc, so that the folder's own path never reaches
    // the configuration. Null for a name the configuration cannot hold.
    static String quoteName(String name) {
        String absolute = name.startsWith("/") ? normal(name) : "/proc/self/cwd/" + normal(name);
        if (absolute.indexOf('<') >= 0) return null;  // ProGuard reads <...> as a system property
        char quote = absolute.indexOf('\'') < 0 ? '\'' : '"';
        if (absolute.indexOf(quote) >= 0) return null;
        return quote + absolute + quote;
    }

    private static final String[] PROGRESS = {"ProGuard, version", "Reading ", "Preverifying",
            "Preparing output", "  Copying resources", "Writing output", "Initializing",
            "Ignoring unused library classes", "  Original number", "  Final number", "Printing",
            "Inlining subroutines"};

    private static boolean isProgressLine(String line) {
        if (line.isEmpty()) return true;
        for (String prefix : PROGRESS) {
            if (line.startsWith(prefix)) return true;
        }
        return false;
    }

    // ProGuard's advice on how to silence its warnings does not apply here: missing classes are errors.
    private static boolean isAdviceLine(String line) {
        return !line.startsWith("Warning:") && !line.startsWith("Error:") && !line.isEmpty()
                && (line.charAt(0) == ' ' || line.charAt(0) == '\t' || line.charAt(0) == '(');
    }
}
