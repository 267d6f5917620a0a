#!/usr/bin/env bash
# Compiles the library, the clocks, the examples, the tests and the
# benchmarks with Clang for Windows, with every warning of -Wall -Wextra an
# error in Kanvo's own code. Nothing is linked or run.
#   scripts/compile_check.sh [preset...]    (default: clang, the 64-bit target)
set -euo pipefail
source "$(dirname "$0")/lib/environment.sh"
presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(clang)
kanvo_install_packages
for preset in "${presets[@]}"; do
    kanvo_use_preset "$preset"
    kanvo_build
    kanvo_log "Clang ($preset) compiled everything without a warning"
done
