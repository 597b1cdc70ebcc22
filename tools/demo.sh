#!/usr/bin/env bash
# Sets up a fresh machine, builds everything and runs the main job: the
# built-in demo riff played through the amplifier, written to out/demo.wav.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

bc_install_packages
bc_configure
bc_build

mkdir -p "$BC_ROOT/out"
"$BC_BUILD/brindlecrest" render -o "$BC_ROOT/out/demo.wav" --set reverb=0.5
