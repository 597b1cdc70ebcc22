#!/usr/bin/env bash
# Builds the filter-table generator and runs it.
#
#   tools/tablegen/filters.sh [OUTDIR]
#
# Writes OUTDIR/speaker_models.cpp and OUTDIR/preamp_filters.cpp (default:
# the tables/ folder of this checkout) and prints each design's figures:
# worst deviation at the measured points, peak level, largest pole radius,
# float signal-to-error ratio and idle tail. Single-threaded; takes a few
# minutes.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
out="${1:-$root/tables}"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# No -ffast-math and no contraction: the generator replays the float
# arithmetic of the cascades exactly, and its output must not depend on the
# machine's fused multiply-add.
"${CXX:-g++}" -std=c++17 -O2 -ffp-contract=off -fno-fast-math -o "$work/filters" "$here/filters.cpp"
"$work/filters" "$out"
