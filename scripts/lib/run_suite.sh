#!/usr/bin/env bash
# Runs the test suite of one build (a preset of CMakePresets.json, already
# built) under Wine with a display and a wineserver of its own, and stops them
# afterwards. Extra arguments go to ctest.
#   scripts/lib/run_suite.sh <preset> [ctest args]
set -euo pipefail
source "$(dirname "$0")/environment.sh"
kanvo_use_preset "$1"
shift
kanvo_log "running the tests of build/$KANVO_PRESET"
kanvo_start_display
kanvo_start_wine
# ctest reads each test program's list of cases from the program itself
# under Wine, once per build of it. A Wine start-up that fails while the
# run's services come up would sink the whole run, so listing (which runs no
# test) is tried again before the run.
for attempt in 1 2 3; do
    ctest --test-dir "$KANVO_BUILD" -N >/dev/null 2>&1 && break
    kanvo_log "listing the tests failed (attempt $attempt of 3)"
    sleep 2
done
ctest --test-dir "$KANVO_BUILD" --output-on-failure -j "$(nproc)" --timeout 300 "$@"
