# lexi_interface_version(VARIABLE HEADER...)
#
# The version of the interface between the program and a module it loads, as
# a positive number: the first 28 bits of a hash over the text of the given
# headers (paths from the repository root) and of every header of the
# repository they include, directly or not. Whatever changes in what program
# and module hand each other changes the version, so a module built from
# other headers is refused; nobody has to remember to raise a number. CMake
# runs again whenever one of those headers changes.
function(lexi_interface_version variable)
    set(pending ${ARGN})
    set(seen)
    while(pending)
        list(POP_FRONT pending header)
        if(header IN_LIST seen)
            continue()
        endif()
        list(APPEND seen ${header})
        file(STRINGS ${PROJECT_SOURCE_DIR}/${header} includes REGEX "^#include \"[^\"]+\"")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
            if(EXISTS ${PROJECT_SOURCE_DIR}/${included})
                list(APPEND pending ${included})
            endif()
        endforeach()
    endwhile()
    list(SORT seen)
    set(texts "")
    foreach(header IN LISTS seen)
        file(READ ${PROJECT_SOURCE_DIR}/${header} text)
        string(APPEND texts "${header}\n${text}")
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                     ${PROJECT_SOURCE_DIR}/${header})
    endforeach()
    string(SHA256 hash "${texts}")
    string(SUBSTRING ${hash} 0 7 digits)
    math(EXPR version "0x${digits}")
    set(${variable} ${version} PARENT_SCOPE)
endfunction()
