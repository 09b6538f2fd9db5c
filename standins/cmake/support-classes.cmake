# Compiles the support classes of generated programs and stores each class file X.class as X.inc, the form
# Build copies into a project (and renames back).
#   JAVAC             the kit's javac
#   SOURCE_DIR        folder of the .java sources (package Game)
#   BOOTCLASSPATH     the API jars, ":"-separated
#   STAGE, OUTPUT_DIR the scratch folder and the folder that receives the .inc files
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${STAGE}" "${OUTPUT_DIR}")
file(GLOB sources "${SOURCE_DIR}/*.java")
if(sources)
    execute_process(
        COMMAND "${JAVAC}" -bootclasspath "${BOOTCLASSPATH}" -source 1.4 -target 1.4 -d "${STAGE}" ${sources}
        RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "Compiling the support classes in ${SOURCE_DIR} failed")
    endif()
endif()

file(GLOB stale "${OUTPUT_DIR}/*.inc")
if(stale)
    file(REMOVE ${stale})
endif()
file(GLOB classes RELATIVE "${STAGE}/Game" "${STAGE}/Game/*.class")
foreach(class IN LISTS classes)
    string(REGEX REPLACE "\\.class$" ".inc" inc "${class}")
    file(COPY_FILE "${STAGE}/Game/${class}" "${OUTPUT_DIR}/${inc}")
endforeach()
