# Helpers that keep each folder's CMakeLists.txt to a list of its own files.

# ponderix_layer(NAME [DEPENDS layers...] [EXCLUDE files...]): the static library of the calling
# folder, ponderix_NAME. It is made of the folder's *.cpp files (not its subfolders'): portable
# ones in both builds, Win32 ones (named *_win.cpp) only in the Windows build. It links the
# libraries of the layers named in DEPENDS and nothing else, so that a call into a later layer
# fails to link. A folder with no sources in this build still gets the library, as an interface
# to its dependencies.
function(ponderix_layer name)
    cmake_parse_arguments(ARG "" "" "DEPENDS;EXCLUDE" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
         ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(ARG_EXCLUDE)
        list(REMOVE_ITEM sources ${ARG_EXCLUDE})
    endif()
    if(NOT PONDERIX_WIN32)
        list(FILTER sources EXCLUDE REGEX "_win\\.cpp$")
    endif()
    list(TRANSFORM ARG_DEPENDS PREPEND ponderix_)
    set(target ponderix_${name})
    if(sources)
        list(TRANSFORM sources PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
        add_library(${target} STATIC ${sources})
        target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
        target_link_libraries(${target} PUBLIC ${ARG_DEPENDS} PRIVATE ponderix_warnings)
    else()
        add_library(${target} INTERFACE)
        target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
        target_link_libraries(${target} INTERFACE ${ARG_DEPENDS})
    endif()
    set_property(GLOBAL APPEND PROPERTY PONDERIX_LAYERS ${target})
endfunction()

# ponderix_add_test(NAME SOURCES... [LIBS libs...]): a GoogleTest program registered with CTest.
# In the Windows build CTest runs it through the Wine runner (the cross-compiling emulator).
function(ponderix_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock ponderix_warnings)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 900)
endfunction()
