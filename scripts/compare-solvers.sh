#!/usr/bin/env bash
# Compares two builds of vexilo-cli on seeded random puzzles at every solve level, every
# field of `solve --json --picture` but the time, the error output and the exit code.
# Prints the differing lines and exits 1 on any difference, 0 when both agree, and 2 when
# either build crashes or reports fewer results than there are puzzles.
#
# usage: scripts/compare-solvers.sh OLD_CLI NEW_CLI [COUNT [SEED [MAX_SIDE]]] [-- PATH...]
#   COUNT random puzzles (default 5000) from SEED (default 1), sides 1..MAX_SIDE
#   (default 30); PATHs after -- (puzzle files or folders, e.g. a corpus) are compared too.
#
# The old build's results are kept in COMPARE_CACHE (default ~/.cache/vexilo-compare; set it
# empty to keep nothing), keyed by the checksums of the build and of every puzzle it solves,
# so a later run against the same old build solves only with the new one.
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

cache=
COMPARE_CACHE=${COMPARE_CACHE-${HOME:-/tmp}/.cache/vexilo-compare}
if [ -n "$COMPARE_CACHE" ]; then
    key=$( (sha256sum <"$old"; echo "$count"
        (cd "$work" && find puzzles -type f -print0 | sort -z | xargs -0 sha256sum)
        [ ${#extra[@]} -eq 0 ] || find "${extra[@]}" -type f -print0 | sort -z | xargs -0 sha256sum) |
        sha256sum | cut -c1-32)
    cache="$COMPARE_CACHE/$key"
    mkdir -p "$cache"
fi

status=0
for level in 0 1 2 full; do
    for side in old new; do
        cli=$old
        [ $side = new ] && cli=$new
        if [ $side = old ] && [ -n "$cache" ] && [ -f "$cache/old-$level.code" ]; then
            cp "$cache/old-$level".{jsonl,err,code} "$work/"
            continue
        fi
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
        # The folder of the random puzzles is new each run: it reads as WORK.
        sed -E 's/"ms": [0-9.]+, //; s#'"$work"'#WORK#g' "$work/$side-$level.raw" \
            >"$work/$side-$level.jsonl"
        sed -E -i 's/[0-9.]+ ms/- ms/g; s#'"$work"'#WORK#g' "$work/$side-$level.err"
        if [ $side = old ] && [ -n "$cache" ]; then
            # Renamed into place, the code last: a run alongside never reads half a file.
            for f in jsonl err code; do
                cp "$work/old-$level.$f" "$cache/.old-$level.$f.$$"
                mv "$cache/.old-$level.$f.$$" "$cache/old-$level.$f"
            done
        fi
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
