# Helpers that keep each folder's CMakeLists.txt to a list of its own files.

# ponderix_sources(core|win FILES...): adds sources, relative to the calling folder, to the
# portable core or to the Win32 library. Win32 sources are ignored by the host build.
function(ponderix_sources kind)
    list(TRANSFORM ARGN PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
    if(kind STREQUAL "core")
        target_sources(ponderix_core PRIVATE ${ARGN})
    elseif(kind STREQUAL "win")
        if(PONDERIX_WIN32)
            target_sources(ponderix_win PRIVATE ${ARGN})
        endif()
    else()
        message(FATAL_ERROR "ponderix_sources: kind must be core or win, not ${kind}")
    endif()
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

# ponderix_glob_sources(): every *.cpp of the calling folder (not its subfolders); files named
# *_win.cpp go to the Win32 library, all others to the portable core.
function(ponderix_glob_sources)
    file(GLOB sources CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
         ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    set(core)
    set(win)
    foreach(source ${sources})
        if(source MATCHES "_win\\.cpp$")
            list(APPEND win ${source})
        else()
            list(APPEND core ${source})
        endif()
    endforeach()
    if(core)
        ponderix_sources(core ${core})
    endif()
    if(win)
        ponderix_sources(win ${win})
    endif()
endfunction()
