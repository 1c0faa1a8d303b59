#!/usr/bin/env bash
# Starts Quorvane in an X server of its own, as a user would, and checks what
# is on the screen: the top-left 500 x 500 pixels of the client area must equal
# the headless renderer's frame, first at start-up (flat shading), again after
# a click on "Phong Shading", after a drag of 100 pixels right and 50 down
# (the eye moves by +0.2, -0.1) and after one wheel notch toward the user (the
# eye moves 0.1 farther, to the float nearest 1.6), and after a drag that is
# released outside the window: the release must end the drag, so moving back
# in without the button changes nothing. Then File > Exit must end the
# program with code 0. Every wait polls with a deadline instead of sleeping
# a fixed time.
#
# Usage: WindowInXvfbTest.sh QUORVANE QUORVANE_RENDER MODEL_DIRECTORY
set -euo pipefail

app=$1
renderer=$2
modelDirectory=$3

source "$(dirname "$0")/XvfbSession.sh"
startXvfb

# reference NAME VIEW X Y Z: the renderer's frame of VIEW with the eye at (X, Y, Z).
reference() {
    (cd "$modelDirectory" && "$renderer" --view "$2" --eye "$3" "$4" "$5" --out "$work/$1.ppm") \
        || fail "quorvane-render could not render $1"
}
reference flat flat 0 0 1.5
reference phong phong 0 0 1.5
reference dragged phong 0.2 -0.1 1.5
reference farther phong 0.2 -0.1 1.60000002
reference draggedOut phong 1.2 -0.1 1.70000005

(cd "$modelDirectory" && exec "$app") >"$work/app.log" 2>&1 &
appPid=$!
pids+=("$appPid")

waitFor 30 findWindow || fail "no window titled Quorvane appeared; the server has: $(quorvaneWindows)"

# The client area starts below the menu bar, whose height depends on the font.
# It is found once as the only row offset at which the start-up frame matches
# exactly: rows of the menu bar above it, or of the window's background below
# it, differ from the frame's black border.
pictureTop=
findPictureTop() {
    import -window "$window" "$work/shot.png" || return 1
    convert "$work/shot.png" -crop 500x600+0+0 +repage "$work/strip.png"
    local result
    result=$(compare -metric AE -subimage-search "$work/strip.png" "$work/flat.ppm" null: 2>&1 || true)
    # "0 (0) @ 0,24": no pixel differs at column 0, row 24.
    [[ $result =~ ^0\ .*@\ 0,([0-9]+) ]] || return 1
    pictureTop=${BASH_REMATCH[1]}
}
waitFor 30 findPictureTop || fail "the start-up picture never matched the flat frame"
[ "$pictureTop" -gt 0 ] || fail "no menu bar above the picture"
echo "picture found at the client area's top-left, $pictureTop rows below the window's top"

# shows VIEW: the picture on screen equals VIEW's frame, every pixel.
shows() {
    import -window "$window" "$work/shot.png" || return 1
    convert "$work/shot.png" -crop "500x500+0+$pictureTop" +repage "$work/picture.png"
    local differing
    differing=$(compare -metric AE "$work/picture.png" "$work/$1.ppm" null: 2>&1 || true)
    [ "$differing" = "0" ]
}
shows flat || fail "the start-up picture differs from the flat frame"

# "Phong Shading" is at (500, 110) in the client area, 115 x 30 pixels.
xdotool mousemove --window "$window" 557 $((pictureTop + 125)) click 1
waitFor 20 shows phong || fail "after the click on Phong Shading the picture differs from the phong frame"
echo "the picture equals the renderer's frame before and after the click on Phong Shading"

# Each xdotool move warps the pointer, which is one motion event.
xdotool mousemove --window "$window" 200 $((pictureTop + 200)) mousedown 1 \
    mousemove --window "$window" 300 $((pictureTop + 250)) mouseup 1
waitFor 20 shows dragged || fail "after the drag the picture differs from the frame of the eye at (0.2, -0.1, 1.5)"
# Button 5 is the wheel turned toward the user.
xdotool click 5
waitFor 20 shows farther || fail "after the wheel notch the picture differs from the frame of the eye at z = 1.6"
echo "the picture follows the drag and the wheel"

# 500 pixels to the right, released beyond the window's right edge (630): the
# eye's x becomes 0.2f + 1.0f, the float nearest 1.2. The pointer then comes
# back over the picture with the button up, which must not pan; the wheel
# notch after it shows where the eye is.
xdotool mousemove --window "$window" 200 $((pictureTop + 200)) mousedown 1 \
    mousemove --window "$window" 700 $((pictureTop + 200)) mouseup 1 \
    mousemove --window "$window" 300 $((pictureTop + 300)) click 5
waitFor 20 shows draggedOut || fail "a release outside the window did not end the drag"
echo "a release outside the window ends the drag"

# File > Exit from the keyboard.
xdotool windowfocus --sync "$window"
xdotool key alt+f
xdotool key x
waitFor 20 bash -c "! kill -0 $appPid 2>/dev/null" || fail "Exit did not end the program"
status=0
wait "$appPid" || status=$?
[ "$status" -eq 0 ] || fail "the program ended with code $status after Exit"
echo "Exit ended the program with code 0"
