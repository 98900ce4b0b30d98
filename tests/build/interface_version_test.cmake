# A module's interface version follows every header its header includes: a
# change two includes down gives another version, the same text the same one.
# Run as: cmake -DSOURCE=<repository> -DWORK=<empty folder> -P this file.
cmake_minimum_required(VERSION 3.25)
include(${SOURCE}/cmake/LexiInterfaceVersion.cmake)
set(PROJECT_SOURCE_DIR ${WORK})
file(WRITE ${WORK}/module.h "#include \"middle.h\"\n#include \"module.h\"\n")
file(WRITE ${WORK}/middle.h "#include <string>\n#include \"deep.h\" // the table\n")
file(WRITE ${WORK}/deep.h "struct Table { int a; };\n")
lexi_interface_version(first module.h)
file(WRITE ${WORK}/deep.h "struct Table { long a; };\n")
lexi_interface_version(second module.h)
lexi_interface_version(again module.h)
if(first EQUAL second OR NOT second EQUAL again OR first LESS_EQUAL 0 OR second LESS_EQUAL 0)
    message(FATAL_ERROR "versions ${first}, ${second}, ${again}")
endif()
