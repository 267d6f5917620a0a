#!/usr/bin/env bash
# Builds everything and runs the whole test suite under Wine on a display
# (an Xvfb of its own when DISPLAY is unset). Extra arguments go to ctest.
set -euo pipefail
source "$(dirname "$0")/lib/environment.sh"
kanvo_install_packages
kanvo_build
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
