#!/usr/bin/env bash
# Installs what building and running Kanvo here needs, then builds everything.
set -euo pipefail
source "$(dirname "$0")/lib/environment.sh"
kanvo_install_packages
kanvo_build
