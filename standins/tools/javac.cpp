// The kit's javac: the Eclipse compiler, which still writes the Java 1.4 class files a CLDC phone takes.
// Class-path lists may come with ";" (the descriptor's form) as well as ":"; both separate entries here,
// and empty entries are dropped. The compiler runs on the kit's JVM started warm (warm_jvm.h); without
// that JVM or the compiler's jar, through the distribution's ecj.
#include <unistd.h>

#include <string>
#include <vector>

#include "warm_jvm.h"

namespace {

// Build-Linux runs this program's rows in the kit's tool host (tool_host.cpp, host/JavacRow.java, which
// does what this program does) when it finds this mark in the program's file (builder/src/tool_host.h).
[[gnu::used]] const char kToolHostMark[] = "tz-tool-host-row:javac";

std::string pathList(const std::string& list) {
    std::string joined, entry;
    for (char c : list + ":") {
        if (c == ':' || c == ';') {
            if (!entry.empty()) joined += (joined.empty() ? "" : ":") + entry;
            entry.clear();
        } else {
            entry += c;
        }
    }
    return joined;
}

bool takesList(const std::string& option) {
    for (const char* listOption :
         {"-classpath", "-cp", "-bootclasspath", "-sourcepath", "-extdirs", "-endorseddirs"})
        if (option == listOption) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> command;
    if (::access(TZ_ECJ_JAVA, X_OK) == 0 && ::access(TZ_ECJ_JAR, R_OK) == 0) {
        command = standins::warmJvm(TZ_ECJ_JAVA, "javac");
        command.insert(command.end(), {"-cp", TZ_ECJ_JAR, "org.eclipse.jdt.internal.compiler.batch.Main"});
    } else {
        command = {TZ_ECJ};
    }
    command.insert(command.end(), {"-nowarn", "-encoding", "UTF-8"});
    for (int i = 1; i < argc; ++i) {
        command.emplace_back(argv[i]);
        if (takesList(argv[i]) && i + 1 < argc) command.push_back(pathList(argv[++i]));
    }
    return standins::execTool("javac", command);
}
