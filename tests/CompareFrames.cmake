# Renders the same frames with the Windows build of quorvane-render (under
# Wine) and the Linux build, and fails unless each pair is equal byte for byte.
#   cmake -DWINE=... -DWINDOWS_RENDER=... -DLINUX_RENDER=... -DMODEL=... -DOUT=dir -P CompareFrames.cmake
# Without a Linux renderer named there is nothing to compare with: skipped.
# A renderer named but missing fails, so that a run which asked for the
# comparison (./test does) cannot pass without comparing anything.
if(LINUX_RENDER STREQUAL "")
    message("Skipped: no Linux quorvane-render given; configure with -DQUORVANE_LINUX_RENDER=...")
    return()
endif()
if(NOT EXISTS "${LINUX_RENDER}")
    message(FATAL_ERROR "No Linux quorvane-render at ${LINUX_RENDER}: nothing to compare the Windows frames with")
endif()
file(MAKE_DIRECTORY "${OUT}")

# The start eye, and one moved by a drag and the wheel.
set(eyes "0 0 1.5" "0.3 -0.2 1.1")
set(failures 0)
set(eyeNumber 0)
foreach(eye IN LISTS eyes)
    separate_arguments(eyeArguments UNIX_COMMAND "${eye}")
    foreach(view wireframe flat gouraud phong)
        set(name "${view}-eye${eyeNumber}")
        execute_process(
            COMMAND "${LINUX_RENDER}" --model "${MODEL}" --view ${view} --eye ${eyeArguments} --out "${OUT}/linux-${name}.ppm"
            RESULT_VARIABLE linuxResult)
        execute_process(
            COMMAND "${WINE}" "${WINDOWS_RENDER}" --model "${MODEL}" --view ${view} --eye ${eyeArguments} --out "${OUT}/windows-${name}.ppm"
            RESULT_VARIABLE windowsResult)
        if(NOT linuxResult EQUAL 0 OR NOT windowsResult EQUAL 0)
            message(SEND_ERROR "${name}: rendering failed (Linux ${linuxResult}, Windows ${windowsResult})")
            math(EXPR failures "${failures} + 1")
            continue()
        endif()
        execute_process(
            COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUT}/linux-${name}.ppm" "${OUT}/windows-${name}.ppm"
            RESULT_VARIABLE different)
        if(different)
            message(SEND_ERROR "${name}: the Windows frame differs from the Linux frame")
            math(EXPR failures "${failures} + 1")
        else()
            message(STATUS "${name}: equal")
        endif()
    endforeach()
    math(EXPR eyeNumber "${eyeNumber} + 1")
endforeach()
if(failures GREATER 0)
    message(FATAL_ERROR "${failures} frames differ")
endif()
