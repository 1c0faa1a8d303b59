# quorvane_use_header_only(TARGET FOLDER HEADER): gives TARGET, and only it,
# the header-only Debian package whose headers live in /usr/include/FOLDER
# (HEADER being one of them, to find it by). The folder is copied into the
# build tree and included from there: a cross build that searches only its own
# sysroot finds it too, without putting the host's /usr/include on its include
# path. Configuring asks for a package only when a target that uses it exists.
function(quorvane_use_header_only target folder header)
    string(MAKE_C_IDENTIFIER "QUORVANE_${folder}_HOST_DIR" hostDir)
    find_path(${hostDir} ${folder}/${header} NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    set(copy ${CMAKE_BINARY_DIR}/header-only/${folder})
    file(COPY ${${hostDir}}/${folder} DESTINATION ${copy})
    target_include_directories(${target} SYSTEM PRIVATE ${copy})
endfunction()
