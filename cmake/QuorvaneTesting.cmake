# GoogleTest and the way tests are registered, for the Linux and the Windows
# build alike.
if(CMAKE_CROSSCOMPILING AND WIN32)
    # Debian's libgtest-dev ships its sources: compile them with the cross
    # compiler, so the Windows tests link a Windows GoogleTest.
    set(QUORVANE_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    # Its targets come with the GTest:: names find_package gives on Linux.
    add_subdirectory(${QUORVANE_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
    find_package(GTest REQUIRED)
endif()
include(GoogleTest)

if(CMAKE_CROSSCOMPILING_EMULATOR AND WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/QuorvaneWine.cmake)
endif()

# Registers the GoogleTest program target with CTest. Natively test by test;
# under Wine as one test per program, since listing the tests would start Wine
# at build time, before the test session exists.
function(quorvane_add_gtests target)
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${target} COMMAND ${target})
        quorvane_wine_tests(${target})
    else()
        # A hung test fails within minutes instead of holding CI for its whole limit.
        gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 600)
    endif()
endfunction()
