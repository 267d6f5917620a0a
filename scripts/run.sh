#!/usr/bin/env bash
# Builds everything and shows a program in its window until Enter is pressed
# (or for KANVO_RUN_SECONDS seconds when there is no terminal). Without a
# display it starts an Xvfb of its own and saves a picture of the window.
#   scripts/run.sh [program]     e.g. scripts/run.sh ringclock (default: dialclock)
set -euo pipefail
source "$(dirname "$0")/lib/environment.sh"
program=${1:-dialclock}

kanvo_install_packages
kanvo_build
exe=$(find "$KANVO_BUILD" -name "$program.exe" -not -path '*/wineprefix/*' | head -n 1)
[ -n "$exe" ] || { kanvo_log "no program named $program"; exit 2; }
had_display=${DISPLAY:-}
kanvo_start_display
kanvo_start_wine

args=("$(kanvo_windows_path "$exe")" --cwd "$(kanvo_windows_path "$(dirname "$exe")")")
if [ -z "$had_display" ]; then
    mkdir -p "$KANVO_BUILD/screenshots"
    args+=(--screenshot "$(kanvo_windows_path "$KANVO_BUILD/screenshots/$program.png")")
fi
tool="$KANVO_BUILD/tests/show_program.exe"
kanvo_log "showing $program on display $DISPLAY"
if [ -t 0 ]; then
    kanvo_log "press Enter to end it"
    { read -r _; echo; } | "$KANVO_WINE" "$tool" "${args[@]}"
else
    "$KANVO_WINE" "$tool" "${args[@]}" --seconds "${KANVO_RUN_SECONDS:-10}" </dev/null
fi
