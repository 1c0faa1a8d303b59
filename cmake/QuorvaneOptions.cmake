# Compile options every Quorvane target shares, attached through one interface library.
add_library(quorvane_options INTERFACE)

# Pixels must be bit-identical on every build: each float operation is rounded
# on its own (no fused multiply-add) and fast-math is never allowed.
target_compile_options(quorvane_options INTERFACE
    $<$<CXX_COMPILER_ID:GNU,Clang>:-ffp-contract=off -fno-fast-math -Wall -Wextra -Wpedantic>
    $<$<CXX_COMPILER_ID:MSVC>:/fp:precise /W4 /permissive->)

if(QUORVANE_WERROR)
    target_compile_options(quorvane_options INTERFACE
        $<$<CXX_COMPILER_ID:GNU,Clang>:-Werror>
        $<$<CXX_COMPILER_ID:MSVC>:/WX>)
endif()

if(QUORVANE_SANITIZE)
    target_compile_options(quorvane_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(quorvane_options INTERFACE -fsanitize=address,undefined)
endif()

if(QUORVANE_SANITIZE_THREAD)
    target_compile_options(quorvane_options INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
    target_link_options(quorvane_options INTERFACE -fsanitize=thread)
endif()

# The fuzz preset: clang instruments every target for libFuzzer's coverage and
# runs it under the address and undefined-behaviour sanitizers; only the fuzz
# programs link libFuzzer itself (fuzz/CMakeLists.txt). The per-pixel loops
# stay out of the coverage instrumentation (fuzz/CoverageIgnoreList.txt).
if(QUORVANE_FUZZ)
    target_compile_options(quorvane_options INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g
        -fsanitize-coverage-ignorelist=${PROJECT_SOURCE_DIR}/fuzz/CoverageIgnoreList.txt)
    target_link_options(quorvane_options INTERFACE -fsanitize=address,undefined)
endif()
