# tz_discover_tests(<binary> [LABELS <label>...] [JAVA <name>...] [XVFB <name>...]
#                   [PROPERTIES <property> <value>...]): the GoogleTest binary's tests for ctest, each
# carrying LABELS. The tests named under JAVA drive the Java tool chain (a JVM: javac, preverify, java) and
# are labelled java as well; those named under XVFB also show windows on a display of their own
# (testing/with-display.sh) and are labelled java and xvfb. A name is "Suite.Test", or "Suite.*" for a suite
# about the tool chain. A name that matches no test of the binary fails the ctest TestLabels.<binary>, so
# the lists cannot name a test that is gone.
function(tz_discover_tests target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "LABELS;JAVA;XVFB;PROPERTIES")
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 TEST_LIST ${target}_TESTS
                         PROPERTIES ${arg_PROPERTIES})
    set(labels ${CMAKE_CURRENT_BINARY_DIR}/${target}_labels.cmake)
    file(WRITE ${labels}
         "set(tz_binary [==[${target}]==])\n"
         "set(tz_tests \"\${${target}_TESTS}\")\n"
         "set(tz_labels [==[${arg_LABELS}]==])\n"
         "set(tz_java [==[${arg_JAVA}]==])\n"
         "set(tz_xvfb [==[${arg_XVFB}]==])\n"
         "include([==[${PROJECT_SOURCE_DIR}/testing/label_tests.cmake]==])\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${labels})
endfunction()
