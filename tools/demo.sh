#!/usr/bin/env bash
# Sets up a fresh machine, builds everything and runs the main job.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

bc_install_packages
bc_configure
bc_build

"$BC_BUILD/brindlecrest" params
