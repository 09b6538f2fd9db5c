# Makes the class-data archive of each of the kit's Java tools and of the tool host (lib/warm_jvm.h): runs
# the tool once on a small MIDlet, as Build runs it (the host a javac row and a preverify row), with the
# JVM told (through JDK_JAVA_OPTIONS, which every java launcher reads) to write the classes it loaded into
# an archive; puts the archive beside the tool under a name that carries its length; runs the tool once
# more, now from the archive, and keeps the archive only when that run succeeds as quietly as the first.
# The host's archive is a whole one, the JDK's classes in it (make_static_archive). A tool whose archive
# cannot be made runs without one: this step never fails the build.
#   KIT          the kit folder (jdk/bin/javac, jdk/bin/tool-host, wtk/bin/preverify, wtk/lib/*.jar)
#   SAMPLE_DIR   the sample's sources (Game/*.java)
#   STAGE        a scratch folder
cmake_minimum_required(VERSION 3.25)

set(lib "${KIT}/wtk/lib")
set(javac "${KIT}/jdk/bin/javac")
set(preverify "${KIT}/wtk/bin/preverify")
file(GLOB old_archives "${KIT}/jdk/bin/*.jsa" "${KIT}/wtk/bin/*.jsa")
if(old_archives)
    file(REMOVE ${old_archives})
endif()
file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${STAGE}")

# make_archive(<setup> <tool> <argument>...): <setup> names a function that lays out the stage for one
# run; it is called before each run. The archive holds the classes the run loaded beyond the JDK's own
# archive, which the JVM maps with it.
function(make_archive setup tool)
    get_filename_component(name "${tool}" NAME)
    set(dumped "${STAGE}/${name}.jsa")
    cmake_language(CALL ${setup})
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env "JDK_JAVA_OPTIONS=\"-XX:ArchiveClassesAtExit=${dumped}\"" ${tool} ${ARGN}
        RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
    keep_archive(${setup} "${tool}" "${dumped}" "${status}" "${output}" ${ARGN})
endfunction()

# make_static_archive(<setup> <tool> <argument>...): as make_archive, but the archive holds every class the
# run loaded, the JDK's among them, and stands in for the JDK's archive: one archive to map and relocate
# when the JVM starts instead of two.
function(make_static_archive setup tool)
    get_filename_component(name "${tool}" NAME)
    set(list "${STAGE}/${name}.classlist")
    set(dumped "${STAGE}/${name}.jsa")
    cmake_language(CALL ${setup})
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env "JDK_JAVA_OPTIONS=\"-XX:DumpLoadedClassList=${list}\"" ${tool} ${ARGN}
        RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(status EQUAL 0 AND EXISTS "${list}")
        # The JVM dumps the archive and ends before the tool's main.
        execute_process(
            COMMAND ${CMAKE_COMMAND} -E env
                    "JDK_JAVA_OPTIONS=-Xshare:dump \"-XX:SharedClassListFile=${list}\" \"-XX:SharedArchiveFile=${dumped}\""
                    ${tool}
            RESULT_VARIABLE status OUTPUT_VARIABLE dump_output ERROR_VARIABLE dump_output)
        string(APPEND output "${dump_output}")
    endif()
    keep_archive(${setup} "${tool}" "${dumped}" "${status}" "${output}" ${ARGN})
endfunction()

# keep_archive(<setup> <tool> <dumped> <status> <output> <argument>...): puts the archive a run dumped
# beside the tool under a name that carries its length, and keeps it only when the tool then runs from it
# as quietly as without it.
function(keep_archive setup tool dumped status output)
    get_filename_component(folder "${tool}" DIRECTORY)
    get_filename_component(name "${tool}" NAME)
    if(NOT status EQUAL 0 OR NOT EXISTS "${dumped}")
        message(STATUS "No class-data archive for ${name}; it runs without one:\n${output}")
        return()
    endif()
    file(SIZE "${dumped}" size)
    set(archive "${folder}/${name}.${size}.jsa")
    file(COPY_FILE "${dumped}" "${archive}" RESULT copied)
    if(NOT copied EQUAL 0)
        file(REMOVE "${archive}")
        message(STATUS "No class-data archive for ${name}; it runs without one: ${copied}")
        return()
    endif()
    cmake_language(CALL ${setup})
    execute_process(COMMAND ${tool} ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT status EQUAL 0 OR NOT output STREQUAL "")
        file(REMOVE "${archive}")
        message(STATUS "The class-data archive of ${name} did not work; it runs without one:\n${output}")
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
set(compile -bootclasspath "${boot}" -d "${tmpclasses}" -classpath "${tmpclasses}" ${sources} -target 1.4
            -source 1.4)
make_archive(fresh_tmpclasses "${javac}" ${compile})
if(NOT EXISTS "${tmpclasses}/Game/Sample.class")
    execute_process(COMMAND "${javac}" ${compile})
endif()

function(fresh_classes)
    file(REMOVE_RECURSE "${classes}")
    file(MAKE_DIRECTORY "${classes}/Game")
endfunction()
make_archive(fresh_classes "${preverify}" -classpath "${boot}" -d "${classes}" "${tmpclasses}")


# The host: the same two rows in one JVM, so that its archive holds the classes of both tools.
set(host "${KIT}/jdk/bin/tool-host")
if(EXISTS "${host}")
    function(fresh_folders)
        fresh_tmpclasses()
        fresh_classes()
    endfunction()
    make_static_archive(fresh_folders "${host}" javac ${compile} --then preverify -classpath "${boot}" -d "${classes}"
                 "${tmpclasses}")
endif()
