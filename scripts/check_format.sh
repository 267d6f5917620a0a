#!/usr/bin/env bash
# Fails when a C++ file of the repository is not formatted as .clang-format says.
set -euo pipefail
source "$(dirname "$0")/lib/environment.sh"
kanvo_install_packages
cd "$KANVO_ROOT"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
kanvo_log "every C++ file is formatted"
