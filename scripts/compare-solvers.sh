#!/usr/bin/env bash
# Compares two builds of vexilo-cli on seeded random puzzles at every solve level, every
# field of `solve --json --picture` but the time. Prints the differing lines and exits 1
# on any difference, 0 when both agree.
#
# usage: scripts/compare-solvers.sh OLD_CLI NEW_CLI [COUNT [SEED [MAX_SIDE]]] [-- PATH...]
#   COUNT random puzzles (default 5000) from SEED (default 1), sides 1..MAX_SIDE
#   (default 30); PATHs after -- (puzzle files or folders, e.g. a corpus) are compared too.
set -euo pipefail

old=$1 new=$2
shift 2
count=5000 seed=1 max_side=30
[ $# -gt 0 ] && [ "$1" != "--" ] && { count=$1; shift; }
[ $# -gt 0 ] && [ "$1" != "--" ] && { seed=$1; shift; }
[ $# -gt 0 ] && [ "$1" != "--" ] && { max_side=$1; shift; }
[ $# -gt 0 ] && [ "$1" = "--" ] && shift
extra=("$@")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$(dirname "$0")/random_puzzles.py" "$work/puzzles" "$count" "$seed" "$max_side"

status=0
for level in 0 1 2 full; do
    for side in old new; do
        cli=$old
        [ $side = new ] && cli=$new
        "$cli" solve --level $level --json --picture -j 2 "$work/puzzles" "${extra[@]}" \
            2>/dev/null | sed -E 's/"ms": [0-9.]+, //' >"$work/$side-$level.jsonl" || true
    done
    lines=$(wc -l <"$work/old-$level.jsonl")
    if cmp -s "$work/old-$level.jsonl" "$work/new-$level.jsonl"; then
        echo "level $level: $lines puzzles, no difference"
    else
        echo "level $level: DIFFERENCES"
        diff "$work/old-$level.jsonl" "$work/new-$level.jsonl" | head -20
        status=1
    fi
done
exit $status
