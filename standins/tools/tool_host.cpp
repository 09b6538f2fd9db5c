// The kit's tool host (host/ToolHost.java): one JVM in which Build-Linux runs the Java rows of a build,
// the kit's javac and preverify, one after the other. It starts warm as the tools do (warm_jvm.h), from a
// class-data archive of its own that holds the classes of both: the Eclipse compiler and ProGuard. Without
// the JVM or the jars the kit was built with it says so and ends with status 3 before it takes a row, and
// Build runs the tools themselves.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "kit/program_folder.h"
#include "warm_jvm.h"

int main(int argc, char** argv) {
    const std::string jar = kit::programFolder() + "/tool-host.jar";
    for (const std::string& file : {jar, std::string(TZ_ECJ_JAR), std::string(TZ_PROGUARD_JAR)}) {
        if (::access(file.c_str(), R_OK) != 0) {
            std::cerr << "tool-host: cannot read " << file << "\n";
            return 3;
        }
    }
    if (::access(TZ_TOOL_JAVA, X_OK) != 0) {
        std::cerr << "tool-host: cannot run " << TZ_TOOL_JAVA << "\n";
        return 3;
    }
    std::vector<std::string> command = standins::warmJvm(TZ_TOOL_JAVA, "tool-host");
    command.insert(
        command.end(),
        {"-cp", jar + ":" + std::string(TZ_ECJ_JAR) + ":" + std::string(TZ_PROGUARD_JAR), "ToolHost"});
    for (int i = 1; i < argc; ++i) command.emplace_back(argv[i]);
    return standins::execTool("tool-host", command);
}
