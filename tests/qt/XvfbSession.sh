# What both window tests need, sourced by them: a work folder and background
# processes that end with the script, fail, waitFor, an X server of its own
# and the Quorvane window on it.

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# fail MESSAGE: says why and shows the end of the program's output.
fail() {
    echo "FAIL: $*" >&2
    if [ -s "$work/app.log" ]; then
        echo "The program's output:" >&2
        tail -n 60 "$work/app.log" >&2
    fi
    exit 1
}

# waitFor SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds.
waitFor() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# Xvfb chooses a free display itself and writes its number once it accepts
# clients. 24 bits per pixel, so that screenshots keep every colour exactly.
startXvfb() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    pids+=($!)
    waitFor 20 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    export DISPLAY=":$(head -n 1 "$work/display")"
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
}

# What the X server knows of Quorvane's windows, mapped or not, for a failure
# message: a window that never appears may exist unmapped or under another name.
quorvaneWindows() {
    xwininfo -root -tree 2>&1 | grep -i -e quorvane -e 'no such' | head -n 10
    jobs -l | head -n 5
}

# Sets window to the visible window titled Quorvane, once there is one.
window=
findWindow() {
    window=$(xdotool search --onlyvisible --name '^Quorvane$' 2>/dev/null | head -n 1)
    [ -n "$window" ]
}
