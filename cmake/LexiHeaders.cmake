# lexi_public_headers(TARGET)
#
# Every include is written from the repository root ("platform/registry.h"),
# but a file sees only the headers of its own library and of the libraries its
# target links. Each library publishes the headers of its source folder (not
# of its subfolders, which are libraries of their own) in an include tree of
# its own in the build folder; linking the library puts that tree on the
# linker's include path. A core file that includes a backend, or tray/ and
# mail/ including each other, therefore fails to compile.
function(lexi_public_headers target)
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    set(tree ${PROJECT_BINARY_DIR}/include/${target})
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    file(REMOVE_RECURSE ${tree})
    file(MAKE_DIRECTORY ${tree}/${folder})
    foreach(header IN LISTS headers)
        get_filename_component(name ${header} NAME)
        file(CREATE_LINK ${header} ${tree}/${folder}/${name} SYMBOLIC)
    endforeach()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE" OR type STREQUAL "MODULE_LIBRARY")
        target_include_directories(${target} PRIVATE ${tree})
    else()
        target_include_directories(${target} PUBLIC ${tree})
    endif()
endfunction()
