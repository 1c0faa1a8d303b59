#!/usr/bin/env bash
# Starts Quorvane with a model on its command line in an X server of its own
# under a real window manager (openbox), as a user's desktop would, and checks
# what only a window manager shows: the outer size, frame included, is
# 630 x 550; the picture is the headless renderer's frame of that model; and
# the keyboard focus is not on a button, so Space leaves the view alone.
#
# Usage: WindowManagerXvfbTest.sh QUORVANE QUORVANE_RENDER
set -euo pipefail

app=$1
renderer=$2

source "$(dirname "$0")/XvfbSession.sh"
startXvfb

openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
waitFor 20 bash -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" \
    || fail "openbox did not start: $(cat "$work/openbox.log")"

# A tetrahedron in ASCII STL, which goes through the importer.
cat >"$work/model.stl" <<'STL'
solid t
facet normal 0 0 1
outer loop
vertex 0 0 1
vertex 1 0 0
vertex 0 1 0
endloop
endfacet
facet normal 0 0 -1
outer loop
vertex 0 0 0
vertex 0 1 0
vertex 1 0 0
endloop
endfacet
facet normal -1 0 0
outer loop
vertex 0 0 0
vertex 0 0 1
vertex 0 1 0
endloop
endfacet
endsolid t
STL
"$renderer" --model "$work/model.stl" --out "$work/expected.ppm" || fail "quorvane-render could not render the model"
"$renderer" --model "$work/model.stl" --eye 0 0 1.60000002 --out "$work/farther.ppm" \
    || fail "quorvane-render could not render the model"

"$app" "$work/model.stl" >"$work/app.log" 2>&1 &
pids+=($!)

waitFor 30 findWindow || fail "no window titled Quorvane appeared; the server has: $(quorvaneWindows)"

# The client's size plus the frame the window manager drew around it.
outerSize() {
    local extents width height
    extents=$(xprop -id "$window" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ' ')
    [ -n "$extents" ] || return 1
    eval "$(xdotool getwindowgeometry --shell "$window")"
    IFS=, read -r left right top bottom <<<"$extents"
    echo "$((WIDTH + left + right))x$((HEIGHT + top + bottom))"
}
isOuterSize() { [ "$(outerSize)" = "$1" ]; }
waitFor 20 isOuterSize 630x550 || fail "the outer size is $(outerSize), not 630x550"
echo "outer size 630 x 550 with openbox's frame"

# shows FRAME: somewhere below the menu bar the window shows FRAME exactly.
shows() {
    import -window "$window" "$work/shot.png" || return 1
    convert "$work/shot.png" -crop 500x600+0+0 +repage "$work/strip.png"
    local result
    result=$(compare -metric AE -subimage-search "$work/strip.png" "$work/$1.ppm" null: 2>&1 || true)
    [[ $result =~ ^0\ .*@\ 0,([0-9]+) ]]
}
waitFor 30 shows expected || fail "the picture never matched quorvane-render's frame of the model"
echo "the model from the command line shows as quorvane-render draws it"

# With a focused "Mesh" button Space would switch to the wireframe. The wheel
# notch after it renders the next frame, which must still be flat shaded.
xdotool windowactivate --sync "$window" key space
xdotool mousemove --window "$window" 250 250 click 5
waitFor 20 shows farther || fail "Space changed the view: a button had the keyboard focus"
echo "Space leaves the view alone"
