#pragma once

#include <string>
#include <vector>

namespace standins {

// How the kit's Java tools (jdk/bin/javac, wtk/bin/preverify) start their JVM: the java
// found when the kit was built, called directly, with the options measured for short tool runs, and the
// tool's class-data archive when one fit to use lies beside the tool.
//
// The archive of tool T is "T.<size>.jsa", <size> its length in bytes: the JVM maps an archive without
// checking its length, and one cut short (an interrupted copy of the kit) would crash it, so an archive
// whose length is not the one its name gives is left alone. An archive made by another JDK, for other
// jars, or damaged inside, the JVM checks and drops by itself; the options keep it from saying so.

// The archive of `tool` in `folder` that is fit to use, or "" when there is none.
std::string usableArchive(const std::string& folder, const std::string& tool);

// Whether the kernel gives transparent huge pages to a program that asks for them: `setting` (the kernel's
// "enabled" file) names a mode in brackets and it is not "never".
bool transparentHugePages(const std::string& setting = "/sys/kernel/mm/transparent_hugepage/enabled");

// The JVM's command up to its main class or jar: `java`, the tools' options and the archive of `tool`
// beside the running program.
std::vector<std::string> warmJvm(const std::string& java, const std::string& tool);

// Replaces this process by argv; returns only when that fails, with a message on standard error.
int execTool(const std::string& tool, const std::vector<std::string>& argv);

}  // namespace standins
