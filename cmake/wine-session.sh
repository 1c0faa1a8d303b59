#!/usr/bin/env bash
# Starts or stops the Wine session the Windows tests run in.
#   wine-session.sh start|stop WINE WINESERVER
# WINEPREFIX names the prefix. The server and the services it starts outlive
# this script, so every Wine call here writes to a log file instead of the
# caller's output: CTest waits until no process holds its pipe any more.
set -euo pipefail
action=$1 wine=$2 wineserver=$3
: "${WINEPREFIX:?WINEPREFIX must name the Wine prefix}"
export WINEDEBUG=-all
# No Mono or Gecko installers: nothing here uses .NET or HTML.
export WINEDLLOVERRIDES="mscoree,mshtml="
log="$WINEPREFIX.log"

case "$action" in
start)
    # Wine refuses a prefix that belongs to another user.
    if [ -e "$WINEPREFIX" ] && [ ! -O "$WINEPREFIX" ]; then
        rm -rf "$WINEPREFIX"
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
