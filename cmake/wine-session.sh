#!/usr/bin/env bash
# Starts or stops the Wine session the Windows tests run in.
#   wine-session.sh start|stop WINE WINESERVER BUILD_DIR
# WINEPREFIX names the prefix, which must lie inside BUILD_DIR: the script
# may delete it. The server and the services it starts outlive this script,
# so every Wine call here writes to a log file instead of the caller's
# output (CTest waits until no process holds its pipe any more); when a step
# fails, the log's last lines are printed.
set -euo pipefail
if [ $# -ne 4 ]; then
    echo "usage: $0 start|stop WINE WINESERVER BUILD_DIR" >&2
    exit 2
fi
action=$1 wine=$2 wineserver=$3 buildDir=$4
: "${WINEPREFIX:?WINEPREFIX must name the Wine prefix}"
prefix=$(realpath -m "$WINEPREFIX")
case "$prefix/" in
"$(realpath -m "$buildDir")"/?*/) ;;
*)
    echo "wine-session.sh: refusing to use $WINEPREFIX, which is not inside the build tree $buildDir" >&2
    exit 2
    ;;
esac
export WINEDEBUG=-all
# No Mono or Gecko installers: nothing here uses .NET or HTML.
export WINEDLLOVERRIDES="mscoree,mshtml="
log="$WINEPREFIX.log"

showLog() {
    local status=$?
    echo "wine-session.sh $action failed with status $status; the last lines of $log:" >&2
    tail -n 30 "$log" >&2 || true
    exit "$status"
}
trap showLog ERR

case "$action" in
start)
    # Wine refuses a prefix that belongs to another user.
    if [ -e "$WINEPREFIX" ] && [ ! -O "$WINEPREFIX" ]; then
        rm -rf "$prefix"
    fi
    mkdir -p "$WINEPREFIX"
    : >"$log"
    # A server left running for this prefix (an interrupted run) is reused.
    "$wineserver" -p </dev/null >>"$log" 2>&1 || true
    "$wine" wineboot -i </dev/null >>"$log" 2>&1
    # No X server needed: windows exist, paint into memory and get messages,
    # but nothing is shown.
    "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >>"$log" 2>&1
    # A new prefix's desktop process chose its driver before the setting
    # existed, and then windows cannot be created: start the session again.
    "$wineserver" -k </dev/null >>"$log" 2>&1 || true
    "$wineserver" -w </dev/null >>"$log" 2>&1 || true
    "$wine" wineboot </dev/null >>"$log" 2>&1
    ;;
stop)
    "$wineserver" -k </dev/null >>"$log" 2>&1 || true
    "$wineserver" -w </dev/null >>"$log" 2>&1 || true
    ;;
*)
    echo "usage: $0 start|stop WINE WINESERVER" >&2
    exit 2
    ;;
esac
