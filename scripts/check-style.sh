#!/usr/bin/env bash
# Keeps the style without anyone's attention; ./test runs it after the release
# build. Fails when a C++ file differs from what clang-format makes of it with
# .clang-format, or when clang-tidy finds one of .clang-tidy's faults in the
# core's sources (math/, scene/, render/, app/ without the shells) or the
# importer's (import/).
#   scripts/check-style.sh BUILD_DIR   (a configured tree with compile_commands.json)
# To format a file: clang-format -i FILE.
set -euo pipefail
cd "$(dirname "$0")/.."
buildDir=$(realpath "$1")

folders=()
for folder in math scene render app import tools tests bench fuzz; do
    [ -d "$folder" ] && folders+=("$folder")
done
mapfile -t sources < <(find "${folders[@]}" \( -name '*.cpp' -o -name '*.h' \) -type f | sort)
echo "clang-format: ${#sources[@]} files"
clang-format --dry-run --Werror "${sources[@]}"

# The core and the importer only: they need nothing but the standard library
# and assimp and take a minute or two of CPU; the shells' Qt and Windows
# headers would add several.
tidied="^$PWD/(math|scene|render|app|import)/[^/]*\.cpp$"
commands="$buildDir/compile_commands.json"
count=$(grep -cE "\"file\": \"$PWD/(math|scene|render|app|import)/[^/\"]*\.cpp\"" "$commands" || true)
# A wrong build tree would otherwise pass with nothing read.
if [ "$count" -eq 0 ]; then
    echo "clang-tidy: no core source in $commands" >&2
    exit 1
fi
echo "clang-tidy: $count files of the core and the importer"
log="$buildDir/clang-tidy.log"
status=0
run-clang-tidy -p "$buildDir" -quiet -j "$(nproc)" "$tidied" >"$log" 2>&1 || status=$?
grep -v -e '^clang-tidy' -e 'warnings generated' -e '^Suppressed' -e '^Use -header-filter' "$log" || true
exit "$status"
