# tz_write_library_graph(<file>): writes every target of the tree as CMake holds it once all folders are
# read, for scripts/check-layers.py. One fact a line, "<target>\t<fact>\t<value>":
#   TYPE, SOURCE_DIR                                  once each
#   SOURCES                                           a line per source, as given (relative to SOURCE_DIR)
#   INCLUDE_DIRECTORIES, INTERFACE_INCLUDE_DIRECTORIES the include folders the target declares itself
#   LINK_LIBRARIES, INTERFACE_LINK_LIBRARIES          what target_link_libraries gave it
# Utility targets (custom commands, autogen) carry no code and are left out.
function(tz_write_library_graph file)
    set(facts "")
    set(folders ${PROJECT_SOURCE_DIR})
    while(folders)
        list(POP_FRONT folders folder)
        get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
        list(APPEND folders ${subfolders})
        get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
        foreach(target IN LISTS targets)
            get_target_property(type ${target} TYPE)
            if(type STREQUAL "UTILITY")
                continue()
            endif()
            foreach(property TYPE SOURCE_DIR SOURCES INCLUDE_DIRECTORIES INTERFACE_INCLUDE_DIRECTORIES
                             LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
                get_target_property(values ${target} ${property})
                if(NOT values)
                    continue()
                endif()
                foreach(value IN LISTS values)
                    string(APPEND facts "${target}\t${property}\t${value}\n")
                endforeach()
            endforeach()
        endforeach()
    endwhile()
    file(WRITE ${file} "${facts}")
endfunction()
