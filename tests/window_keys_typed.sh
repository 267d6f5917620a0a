#!/usr/bin/env bash
# Every clock ends with exit code 0 when a key is typed into its focused
# graphics window through the display server, as a user would type it.
#
#   window_keys_typed.sh <wine> <wait_for_program.exe> <clock.exe>...
set -u
wine=$1
launcher=$2
shift 2

windows_path() {
    local path
    path=$(realpath -m "$1")
    printf 'Z:%s' "${path//\//\\}"
}

failed=0
for exe in "$@"; do
    name=$(basename "$exe" .exe)
    log=$(mktemp)
    "$wine" "$launcher" "$(windows_path "$exe")" 30 >"$log" 2>/dev/null &
    launcher_pid=$!
    for _ in $(seq 300); do
        grep -q window "$log" && break
        sleep 0.1
    done
    window=$(xdotool search --onlyvisible --name "^$name\$" | head -n 1)
    if [ -n "$window" ]; then
        xdotool windowfocus --sync "$window"
        sleep 0.5  # the program's window thread learns of the focus
        xdotool key --clearmodifiers q
    fi
    wait "$launcher_pid"
    code=$?
    rm -f "$log"
    echo "$name: window ${window:-not found}, exit code $code"
    [ -n "$window" ] && [ "$code" -eq 0 ] || failed=1
done
exit "$failed"
