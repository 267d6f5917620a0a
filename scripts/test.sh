#!/usr/bin/env bash
# Builds everything for 64-bit and for 32-bit Windows, then runs the whole
# test suite of each build under Wine on a display (an Xvfb of its own when
# DISPLAY is unset), one after the other. Extra arguments go to ctest.
# KANVO_PRESETS chooses the builds, e.g. KANVO_PRESETS=wine32 scripts/test.sh.
set -euo pipefail
scripts=$(dirname "$0")
source "$scripts/lib/environment.sh"
read -r -a presets <<<"${KANVO_PRESETS:-wine wine32}"
kanvo_install_packages
for preset in "${presets[@]}"; do
    kanvo_use_preset "$preset"
    kanvo_build
done
# Every suite runs even when an earlier one failed; the result is a failure
# when any failed.
failed=()
for preset in "${presets[@]}"; do
    "$scripts/lib/run_suite.sh" "$preset" "$@" || failed+=("$preset")
done
if [ ${#failed[@]} -gt 0 ]; then
    kanvo_log "failed: ${failed[*]}"
    exit 1
fi
