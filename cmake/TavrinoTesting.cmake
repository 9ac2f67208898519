# The tests' libraries. The program builds without them: where one is missing the parts that need
# it are skipped with a note, unless TAVRINO_REQUIRE_TESTS (the presets) makes that an error.
# Sets TAVRINO_TESTS_FOUND when GoogleTest with GoogleMock is there.

# tavrino_skip_without(library parts): library was not found; parts ("the tests") need it.
function(tavrino_skip_without library parts)
    if(TAVRINO_REQUIRE_TESTS)
        message(FATAL_ERROR "${library} not found, which ${parts} need "
            "(scripts/install-deps.sh installs it; BUILD_TESTING=OFF builds only the programs)")
    endif()
    message(STATUS "${library} not found: ${parts} are skipped")
endfunction()

# GoogleTest: the system package natively; for the Windows cross build it is built from the
# sources Debian ships, and the tests run under Wine through CMAKE_CROSSCOMPILING_EMULATOR.
set(TAVRINO_TESTS_FOUND FALSE)
set(tavrinoGoogleTest "GoogleTest (with GoogleMock)")
if(CMAKE_CROSSCOMPILING)
    set(TAVRINO_GOOGLETEST_SOURCES /usr/src/googletest CACHE PATH
        "GoogleTest's sources, built for the cross-compiled tests")
    set(tavrinoGoogleTest "GoogleTest's sources (${TAVRINO_GOOGLETEST_SOURCES})")
    if(EXISTS ${TAVRINO_GOOGLETEST_SOURCES}/CMakeLists.txt)
        set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
        set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
        add_subdirectory(${TAVRINO_GOOGLETEST_SOURCES} ${CMAKE_BINARY_DIR}/googletest
            EXCLUDE_FROM_ALL)
        if(NOT TARGET GTest::gtest_main)
            add_library(GTest::gtest_main ALIAS gtest_main)
            add_library(GTest::gmock ALIAS gmock)
        endif()
        set(TAVRINO_TESTS_FOUND TRUE)
    endif()
else()
    find_package(GTest)
    if(GTest_FOUND AND TARGET GTest::gmock)
        set(TAVRINO_TESTS_FOUND TRUE)
    endif()
endif()
if(NOT TAVRINO_TESTS_FOUND)
    tavrino_skip_without("${tavrinoGoogleTest}" "the tests and benchmarks")
    return()
endif()
set(TAVRINO_GTEST_MAIN GTest::gtest_main)
include(GoogleTest)

# tavrino_add_test(name SOURCES a.cpp b.cpp LIBS lib1 lib2)
function(tavrino_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${TAVRINO_GTEST_MAIN} GTest::gmock tavrino_warnings)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)
endfunction()
