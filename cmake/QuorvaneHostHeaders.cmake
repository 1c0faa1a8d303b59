# The tools' header-only libraries (stb, CLI11) for a cross build, taken from
# the build machine. Each gets a directory of links of its own: /usr/include as
# a whole would put the Linux C library's headers before MinGW's.
set(quorvaneHostInclude ${CMAKE_BINARY_DIR}/host-include)
foreach(library stb CLI)
    if(EXISTS /usr/include/${library})
        file(MAKE_DIRECTORY ${quorvaneHostInclude})
        file(CREATE_LINK /usr/include/${library} ${quorvaneHostInclude}/${library} SYMBOLIC)
    endif()
endforeach()
if(EXISTS ${quorvaneHostInclude}/stb/stb_image_write.h)
    set(QUORVANE_STB_INCLUDE_DIR ${quorvaneHostInclude} CACHE PATH "")
endif()
if(EXISTS ${quorvaneHostInclude}/CLI/CLI.hpp)
    set(QUORVANE_CLI11_INCLUDE_DIR ${quorvaneHostInclude} CACHE PATH "")
endif()
