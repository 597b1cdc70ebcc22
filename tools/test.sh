#!/usr/bin/env bash
# Sets up a fresh machine, builds everything and runs the whole test suite.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

bc_install_packages
bc_configure
bc_build

ctest --test-dir "$BC_BUILD" --output-on-failure --parallel "$(nproc)" --timeout 900
