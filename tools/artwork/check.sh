#!/usr/bin/env bash
# Paints the window's pictures afresh and checks that they reproduce the PNG
# files in resources/ (byte for byte, or pixel for pixel where the encoder
# writes other bytes), and that the knob outline tables regenerate unchanged.
#
#   tools/artwork/check.sh            check
#   tools/artwork/check.sh --write    repaint resources/ and rewrite the tables
#
# BC_BUILD names the build folder (default: build).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${BC_BUILD:-$root/build}"

cmake --build "$build" --target brindlecrest >/dev/null
tool="$build/brindlecrest"

if [ "${1:-}" = "--write" ]; then
    "$tool" artwork -o "$root/resources"
    "$tool" glyphs -o "$root/lookandfeel/GlyphData.cpp"
    echo "artwork: rewritten; rebuild to embed the new pictures"
    exit 0
fi

status=0
"$tool" artwork --check "$root/resources" || status=1

tables="$(mktemp)"
trap 'rm -f "$tables"' EXIT
"$tool" glyphs -o "$tables"
if cmp -s "$tables" "$root/lookandfeel/GlyphData.cpp"; then
    echo "GlyphData.cpp: same bytes"
else
    echo "GlyphData.cpp: DIFFERS"
    status=1
fi
exit $status
