#!/usr/bin/env bash
# Builds everything and runs the whole test suite under Wine on a display
# (an Xvfb of its own when DISPLAY is unset). Extra arguments go to ctest.
set -euo pipefail
source "$(dirname "$0")/lib/environment.sh"
kanvo_install_packages
kanvo_build
kanvo_start_display
kanvo_start_wine
ctest --test-dir "$KANVO_BUILD" --output-on-failure -j "$(nproc)" --timeout 300 "$@"
