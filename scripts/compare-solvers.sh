#!/usr/bin/env bash
# Compares two builds of vexilo-cli on seeded random puzzles at every solve level, every
# field of `solve --json --picture` but the time, the error output and the exit code.
# Prints the differing lines and exits 1 on any difference, 0 when both agree, and 2 when
# either build crashes or reports fewer results than there are puzzles.
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
        set +e
        "$cli" solve --level $level --json --picture -j 2 "$work/puzzles" "${extra[@]}" \
            >"$work/$side-$level.raw" 2>"$work/$side-$level.err"
        code=$?
        set -e
        echo "$code" >"$work/$side-$level.code"
        # A crash (a signal, or an exit code that is not the tool's own) must never pass as
        # "no difference", even when both builds crash alike.
        if [ "$code" -ge 124 ]; then
            echo "level $level: $side build ($cli) CRASHED with exit code $code" >&2
            tail -5 "$work/$side-$level.err" >&2
            exit 2
        fi
        sed -E 's/"ms": [0-9.]+, //' "$work/$side-$level.raw" >"$work/$side-$level.jsonl"
        sed -E -i 's/[0-9.]+ ms/- ms/g' "$work/$side-$level.err"
    done
    lines=$(wc -l <"$work/old-$level.jsonl")
    if [ "$lines" -lt "$count" ]; then
        echo "level $level: only $lines results for at least $count puzzles" >&2
        exit 2
    fi
    if cmp -s "$work/old-$level.jsonl" "$work/new-$level.jsonl" &&
        cmp -s "$work/old-$level.code" "$work/new-$level.code" &&
        cmp -s "$work/old-$level.err" "$work/new-$level.err"; then
        echo "level $level: $lines puzzles, no difference (exit code $(cat "$work/old-$level.code"))"
    else
        echo "level $level: DIFFERENCES"
        diff "$work/old-$level.jsonl" "$work/new-$level.jsonl" | head -20
        diff "$work/old-$level.err" "$work/new-$level.err" | head -10
        echo "exit codes: old $(cat "$work/old-$level.code"), new $(cat "$work/new-$level.code")"
        status=1
    fi
done
exit $status
