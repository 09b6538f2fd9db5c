# Builds one API stub jar: copies the source trees into a staging folder (a later tree replaces a file of an
# earlier one), compiles them with ecj and archives the classes.
#   ECJ, JAR          the compiler and archiver
#   SOURCE_DIRS       source trees, separated by "|"
#   BOOTCLASSPATH     class path of the jars this one builds on, ":"-separated; empty for java.lang itself
#   CLDC10            ON drops every line marked "// CLDC 1.1" (CLDC 1.0 has no floating point and fewer methods)
#   STAGE, OUTPUT     the scratch folder and the jar to write
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${STAGE}/src" "${STAGE}/classes")
string(REPLACE "|" ";" source_dirs "${SOURCE_DIRS}")
set(staged "")
foreach(dir IN LISTS source_dirs)
    file(GLOB_RECURSE sources RELATIVE "${dir}" "${dir}/*.java")
    foreach(rel IN LISTS sources)
        file(READ "${dir}/${rel}" text)
        if(CLDC10)
            string(REGEX REPLACE "[^\n]*// CLDC 1\\.1[^\n]*\n" "" text "${text}")
        endif()
        file(WRITE "${STAGE}/src/${rel}" "${text}")
        list(APPEND staged "${STAGE}/src/${rel}")
    endforeach()
endforeach()
list(REMOVE_DUPLICATES staged)

execute_process(
    COMMAND "${ECJ}" -source 1.4 -target 1.4 -nowarn -encoding UTF-8 -bootclasspath "${BOOTCLASSPATH}"
            -d "${STAGE}/classes" ${staged}
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "Compiling the API stubs of ${OUTPUT} failed")
endif()

file(REMOVE "${OUTPUT}")
execute_process(COMMAND "${JAR}" cf "${OUTPUT}" -C "${STAGE}/classes" . RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "Archiving ${OUTPUT} failed")
endif()
