#!/usr/bin/env bash
# Builds the signal-table generator and runs it.
#
#   tools/tablegen/signals.sh [OUTDIR]
#
# Writes the valve curves and the reverb impulse responses as little-endian
# float32 files into OUTDIR/data (default: the tables/ folder of this
# checkout) and prints each table's figures. Single-threaded; a few seconds.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
out="${1:-$root/tables}"
mkdir -p "$out/data"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# No -ffast-math and no contraction, so the output does not depend on the
# machine's fused multiply-add.
"${CXX:-g++}" -std=c++17 -O2 -ffp-contract=off -fno-fast-math -o "$work/signals" "$here/signals.cpp"
"$work/signals" "$out/data"
