#!/usr/bin/env bash
# Regenerates every generated table into a temporary folder and compares each
# file it produced byte for byte with the committed one under tables/. Exits
# non-zero on any difference. Slow (several minutes); not part of the
# regular test run.
#
#   tools/tablegen/check.sh
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
out="$work/tables"
mkdir -p "$out" "$work/logs"
export OPENBLAS_NUM_THREADS=1

# Every generator writes into "$out" with the layout of tables/.

# Loudspeaker models and preamplifier path filters.
"$here/filters.sh" "$out" > "$work/logs/filters.log"

# ---- Valve curves and reverb impulse responses (tools/tablegen/signals*) ----
"$here/signals.sh" "$out" > "$work/logs/signals.log"
# ---- end of valve curves and reverb impulse responses ----

status=0
count=0
while IFS= read -r -d '' file; do
    rel="${file#"$out"/}"
    count=$((count + 1))
    if cmp -s "$file" "$root/tables/$rel"; then
        echo "same: tables/$rel"
    else
        echo "DIFFERS: tables/$rel" >&2
        status=1
    fi
done < <(find "$out" -type f -print0 | sort -z)

if [ "$count" -eq 0 ]; then
    echo "no generated files" >&2
    status=1
fi
exit $status
