// The kit's jar: the JDK's own, run on that JDK's JVM started warm (warm_jvm.h). When that JDK is gone,
// and for the launcher's own -J options, the distribution's jar.
#include <unistd.h>

#include <string>
#include <vector>

#include "warm_jvm.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    bool launcherOptions = false;
    for (const auto& arg : arguments) launcherOptions = launcherOptions || arg.rfind("-J", 0) == 0;
    std::vector<std::string> command;
    if (!launcherOptions && ::access(TZ_JAR_JAVA, X_OK) == 0) {
        command = standins::warmJvm(TZ_JAR_JAVA, "jar");
        command.insert(command.end(), {"-m", "jdk.jartool/sun.tools.jar.Main"});
    } else {
        command = {TZ_JAR};
    }
    command.insert(command.end(), arguments.begin(), arguments.end());
    return standins::execTool("jar", command);
}
