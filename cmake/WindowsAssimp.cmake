# assimp for the Windows build: Debian packages it for Linux only, so the
# Windows build compiles the same Debian version from its source package with
# MinGW-w64, once, into build/windows/_deps, and links it statically.
include(ExternalProject)

# The formats the programs open (app/ModelFormats.cpp), by assimp's importer
# names. Debian's assimp on Linux has them all; here only these are built.
set(QUORVANE_ASSIMP_IMPORTERS OBJ STL PLY OFF GLTF FBX COLLADA 3DS LWO AC MS3D)

# debianCandidateVersion(PACKAGE OUTPUT_VARIABLE): the version apt installs.
function(debianCandidateVersion package outputVariable)
    execute_process(COMMAND apt-cache policy ${package}
        OUTPUT_VARIABLE policy COMMAND_ERROR_IS_FATAL ANY)
    if(NOT policy MATCHES "Candidate: ([^\n ]+)" OR CMAKE_MATCH_1 STREQUAL "(none)")
        message(FATAL_ERROR "apt knows no version of ${package}: run apt-get update, "
            "or ./test, which installs what the Windows build needs.")
    endif()
    set(${outputVariable} ${CMAKE_MATCH_1} PARENT_SCOPE)
endfunction()

debianCandidateVersion(libassimp-dev assimpVersion)
debianCandidateVersion(libminizip-dev minizipVersion)
# The list goes through as one argument, with commas for semicolons.
list(JOIN QUORVANE_ASSIMP_IMPORTERS , importers)

set(assimpPrefix ${CMAKE_BINARY_DIR}/_deps/assimp-install)
set(assimpLibrary ${assimpPrefix}/lib/${CMAKE_STATIC_LIBRARY_PREFIX}assimp${CMAKE_STATIC_LIBRARY_SUFFIX})
set(minizipLibrary ${assimpPrefix}/lib/${CMAKE_STATIC_LIBRARY_PREFIX}minizip${CMAKE_STATIC_LIBRARY_SUFFIX})
ExternalProject_Add(windows_assimp
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/cmake/windows-assimp
    PREFIX ${CMAKE_BINARY_DIR}/_deps/assimp
    INSTALL_DIR ${assimpPrefix}
    CMAKE_ARGS
        -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
        -DCMAKE_BUILD_TYPE=Release
        -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>
        -DQUORVANE_DEBIAN_SOURCE_SCRIPT=${PROJECT_SOURCE_DIR}/scripts/debian-source.sh
        -DQUORVANE_ASSIMP_VERSION=${assimpVersion}
        -DQUORVANE_MINIZIP_VERSION=${minizipVersion}
        -DQUORVANE_ASSIMP_IMPORTERS=${importers}
    LIST_SEPARATOR ,
    BUILD_BYPRODUCTS ${assimpLibrary} ${minizipLibrary}
    USES_TERMINAL_CONFIGURE ON
    USES_TERMINAL_BUILD ON)

# Debian's static zlib for MinGW, so that no zlib1.dll has to sit beside the programs.
find_library(QUORVANE_MINGW_STATIC_ZLIB NAMES libz.a REQUIRED)

# find_package(assimp) then gives the target assimp::assimp, as on Linux.
set(assimpConfigDirectory ${CMAKE_BINARY_DIR}/_deps/assimp-config)
file(MAKE_DIRECTORY ${assimpPrefix}/include)
file(WRITE ${assimpConfigDirectory}/assimpConfig.cmake "\
# Written by cmake/WindowsAssimp.cmake: the assimp it builds for Windows.
if(NOT TARGET assimp::assimp)
    add_library(assimp::assimp STATIC IMPORTED)
    set_target_properties(assimp::assimp PROPERTIES
        IMPORTED_LOCATION ${assimpLibrary}
        INTERFACE_INCLUDE_DIRECTORIES ${assimpPrefix}/include
        INTERFACE_LINK_LIBRARIES \"${minizipLibrary};${QUORVANE_MINGW_STATIC_ZLIB}\")
    add_dependencies(assimp::assimp windows_assimp)
endif()
")
set(assimp_DIR ${assimpConfigDirectory} CACHE PATH "The cross-built assimp's package" FORCE)
