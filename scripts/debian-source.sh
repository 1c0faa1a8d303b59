#!/usr/bin/env bash
# Fetches and unpacks the Debian source package of the version that apt would
# install for a binary package, so that a library can be cross-built from
# exactly the sources of the Linux build's package.
#
#   scripts/debian-source.sh BINARY_PACKAGE DESTINATION [APT_STATE_DIR]
#
# apt reads source indices only through deb-src entries, which a Debian
# machine usually lacks. Rather than change the machine's apt configuration,
# this script keeps its own: deb-src entries for the same Debian suites and
# mirrors as the machine's deb entries, with their lists in APT_STATE_DIR
# (by default beside DESTINATION). No root is needed.
set -euo pipefail

if [ $# -lt 2 ]; then
    echo "usage: $0 BINARY_PACKAGE DESTINATION [APT_STATE_DIR]" >&2
    exit 2
fi
package=$1
destination=$(realpath -m "$2")
state=$(realpath -m "${3:-$destination.apt}")

candidate=$(apt-cache policy "$package" | awk '/Candidate:/ {print $2}')
if [ -z "$candidate" ] || [ "$candidate" = "(none)" ]; then
    echo "Error: apt knows no version of $package; run apt-get update first." >&2
    exit 1
fi
# "Source: NAME" or "Source: NAME (VERSION)"; a binary built from a source of
# its own name and version has no Source field.
read -r source sourceVersion < <(apt-cache show "$package=$candidate" |
    awk -v name="$package" -v version="$candidate" '
        /^Source:/ { gsub(/[()]/, ""); name = $2; if (NF > 2) version = $3 }
        /^$/ { exit }
        END { print name, version }')

mkdir -p "$state/lists/partial" "$state/cache/archives/partial" "$state/sources.list.d"
apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' \
        'Identifier: Packages' 'Origin: Debian' | sort -u |
    while read -r uri suite component; do
        echo "deb-src $uri $suite $component"
    done >"$state/sources.list"
if [ ! -s "$state/sources.list" ]; then
    echo "Error: apt has no Debian archive configured to take the sources from." >&2
    exit 1
fi

apt=(apt-get -q
    -o Dir::Etc::SourceList="$state/sources.list"
    -o Dir::Etc::SourceParts="$state/sources.list.d"
    -o Dir::State::Lists="$state/lists"
    -o Dir::Cache="$state/cache"
    -o APT::Sandbox::User=root)
[ "$(id -u)" -eq 0 ] || apt+=(-o APT::Sandbox::User="$(id -un)")
"${apt[@]}" update

work=$(mktemp -d "$destination.XXXXXX")
trap 'rm -rf "$work"' EXIT
(cd "$work" && "${apt[@]}" source "$source=$sourceVersion")
unpacked=("$work"/*/)
if [ ${#unpacked[@]} -ne 1 ]; then
    echo "Error: unpacking $source $sourceVersion gave ${#unpacked[@]} folders." >&2
    exit 1
fi
rm -rf "$destination"
mv "${unpacked[0]}" "$destination"
echo "$source $sourceVersion (for $package $candidate) is in $destination"
