# Makes the class-data archive of each of the kit's Java tools: runs the tool once on a small MIDlet, as
# Build runs it, with the JVM told (through JDK_JAVA_OPTIONS, which every java launcher reads) to write the
# classes it loaded into the archive beside the tool; then runs it once more from the archive, and keeps
# the archive only when that run succeeds as quietly as the first. A tool whose archive cannot be made runs without one:
# this step never fails the build.
#   KIT          the kit folder (jdk/bin/javac, jdk/bin/jar, wtk/bin/preverify, wtk/lib/*.jar)
#   SAMPLE_DIR   the sample's sources (Game/*.java)
#   STAGE        a scratch folder
cmake_minimum_required(VERSION 3.25)

set(lib "${KIT}/wtk/lib")
set(javac "${KIT}/jdk/bin/javac")
set(jar "${KIT}/jdk/bin/jar")
set(preverify "${KIT}/wtk/bin/preverify")
set(javac_archive "${KIT}/jdk/bin/javac.jsa")
set(jar_archive "${KIT}/jdk/bin/jar.jsa")
set(preverify_archive "${KIT}/wtk/bin/preverify.jsa")
file(REMOVE "${javac_archive}" "${jar_archive}" "${preverify_archive}")
file(REMOVE_RECURSE "${STAGE}")

# make_archive(<archive> <setup> <tool> <argument>...): <setup> names a function that lays out the
# stage for one run (called before each run).
function(make_archive archive setup)
    get_filename_component(tool_name "${ARGV2}" NAME)
    cmake_language(CALL ${setup})
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env "JDK_JAVA_OPTIONS=\"-XX:ArchiveClassesAtExit=${archive}\"" ${ARGN}
        RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT status EQUAL 0 OR NOT EXISTS "${archive}")
        file(REMOVE "${archive}")
        message(STATUS "No class-data archive for ${tool_name}; it runs without one:\n${output}")
        return()
    endif()
    cmake_language(CALL ${setup})
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT status EQUAL 0 OR NOT output STREQUAL "")
        file(REMOVE "${archive}")
        message(STATUS "The class-data archive of ${tool_name} did not work; it runs without one:\n${output}")
    endif()
endfunction()

file(GLOB sources "${SAMPLE_DIR}/Game/*.java")
set(tmpclasses "${STAGE}/tmpclasses")
set(classes "${STAGE}/classes")
set(boot "${lib}/midpapi20.jar:${lib}/cldcapi10.jar")

function(fresh_tmpclasses)
    file(REMOVE_RECURSE "${tmpclasses}")
    file(MAKE_DIRECTORY "${tmpclasses}/Game")
endfunction()
make_archive("${javac_archive}" fresh_tmpclasses
             "${javac}" -bootclasspath "${boot}" -d "${tmpclasses}" -classpath "${tmpclasses}" ${sources}
             -target 1.4 -source 1.4)
if(NOT EXISTS "${tmpclasses}/Game/Sample.class")
    execute_process(COMMAND "${javac}" -bootclasspath "${boot}" -d "${tmpclasses}" -classpath "${tmpclasses}"
                            ${sources} -target 1.4 -source 1.4)
endif()

function(fresh_classes)
    file(REMOVE_RECURSE "${classes}")
    file(MAKE_DIRECTORY "${classes}/Game")
endfunction()
make_archive("${preverify_archive}" fresh_classes
             "${preverify}" -classpath "${lib}/midpapi20.jar:${lib}/cldcapi10.jar" -d "${classes}" "${tmpclasses}")
if(NOT EXISTS "${classes}/Game/Sample.class")
    file(COPY "${tmpclasses}/Game" DESTINATION "${classes}")
endif()

# The update of an existing suite with a new manifest and a resource reads and writes an archive and a
# manifest: it loads what both of Build's jar runs (the suite with its manifest, then the images) load.
file(WRITE "${STAGE}/MANIFEST.MF" "MIDlet-1: Sample,,Game.Sample\nMIDlet-Name: Sample\nMIDlet-Vendor: Kit\n"
                                  "MIDlet-Version: 1.0\nMicroEdition-Profile: MIDP-2.0\n"
                                  "MicroEdition-Configuration: CLDC-1.0\n")
file(WRITE "${STAGE}/sample.png" "an image")
function(fresh_suite)
    file(REMOVE "${STAGE}/Sample.jar")
    execute_process(COMMAND "${jar}" cf "${STAGE}/Sample.jar" -C "${classes}" .)
endfunction()
make_archive("${jar_archive}" fresh_suite
             "${jar}" umf "${STAGE}/MANIFEST.MF" "${STAGE}/Sample.jar" -C "${STAGE}" sample.png)
