# Sourced by ./run and ./test: makes sure the Debian packages a build needs are
# installed, with apt-get as root or through sudo. Without either it prints the
# exact command to run and stops.

# ensurePackages PACKAGE...
ensurePackages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local install=(apt-get install -y --no-install-recommends "${missing[@]}")
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
            sudo=(sudo)
        else
            echo "Missing Debian packages. Install them with:" >&2
            echo "  sudo apt-get update && sudo ${install[*]}" >&2
            exit 1
        fi
    fi
    echo "Installing ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive "${install[@]}"
}

# What the Linux build, its tests and benchmarks need. Models of every common
# format are read through assimp. The application is Qt 6 Widgets; its window
# tests run in their own X server (xvfb), one of them under a window manager
# (openbox, whose frame x11-utils' xprop reads), click with xdotool and take
# screenshots with ImageMagick; a font draws the labels. clang-format and
# clang-tidy keep the style (scripts/check-style.sh).
linuxBuildPackages=(
    cmake ninja-build g++ pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    libcli11-dev libstb-dev
    libassimp-dev
    qt6-base-dev fonts-dejavu-core
    xvfb openbox x11-utils xdotool imagemagick
    clang-format clang-tidy
)

# What the Windows cross build and its tests under Wine need besides the Linux
# list (GoogleTest's sources come with libgtest-dev). assimp is built from
# Debian's source package (unpacked by dpkg-dev) against Debian's zlib for
# MinGW and the header-only libraries Debian's assimp uses.
windowsBuildPackages=(
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine64
    dpkg-dev libz-mingw-w64-dev libutfcpp-dev libstb-dev
)
