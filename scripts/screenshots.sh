#!/usr/bin/env bash
# Renders a picture of every clock program (each directory under clocks/ with
# a CMakeLists.txt) into docs/<program>.png: builds, starts a display when there
# is none, runs each program as a user would for a few seconds and captures its
# window. The clocks are started at a fixed local time when faketime is there,
# so that the pictures change only when the programs do.
#   scripts/screenshots.sh [program...]
set -euo pipefail
source "$(dirname "$0")/lib/environment.sh"

KANVO_SCREENSHOT_TIME=${KANVO_SCREENSHOT_TIME:-2026-01-01 10:08:36}
faketime_library=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1

programs=("$@")
if [ ${#programs[@]} -eq 0 ]; then
    for directory in "$KANVO_ROOT"/clocks/*/; do
        [ -f "$directory/CMakeLists.txt" ] && programs+=("$(basename "$directory")")
    done
fi

kanvo_install_packages
kanvo_build
kanvo_start_display
kanvo_start_wine

clock_environment=()
if [ -f "$faketime_library" ]; then
    clock_environment=(LD_PRELOAD="$faketime_library" FAKETIME="@$KANVO_SCREENSHOT_TIME"
                       FAKETIME_DONT_FAKE_MONOTONIC=1)
fi
pictures=$(mktemp -d)
mkdir -p "$KANVO_ROOT/docs"
tool="$KANVO_BUILD/tests/show_program.exe"
failed=0
for program in "${programs[@]}"; do
    exe="$KANVO_BUILD/clocks/$program/$program.exe"
    picture="$pictures/$program.png"
    if [ ! -f "$exe" ]; then
        kanvo_log "no clock program named $program"
        failed=1
        continue
    fi
    kanvo_log "picturing $program"
    if env "${clock_environment[@]}" "$KANVO_WINE" "$tool" "$(kanvo_windows_path "$exe")" \
           --cwd "$(kanvo_windows_path "$(dirname "$exe")")" \
           --screenshot "$(kanvo_windows_path "$picture")" --delay 10000 --seconds 1 </dev/null \
        && [ -s "$picture" ] && cp "$picture" "$KANVO_ROOT/docs/$program.png"; then
        kanvo_log "wrote docs/$program.png"
    else
        kanvo_log "no picture of $program"
        failed=1
    fi
done
rm -rf "$pictures"
exit $failed
