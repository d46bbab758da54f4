#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang-14 in their own build folder and runs each
# for FUZZ_SECONDS seconds (default 60), from the seeds in fuzz/corpus/<target> and what
# earlier runs found (kept in the build folder). Prints per target the executions and the
# coverage reached. A finding stops the run with the fuzzer's report; the input that
# triggered it lies in <build folder>/findings/. FUZZ_SEED fixes libFuzzer's random seed
# (make test uses 1, so that a run explores the same inputs each time).
#   FUZZ_SECONDS=300 scripts/fuzz.sh [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${FUZZ_BUILD_DIR:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}
jobs=${JOBS:-2}
seed=()
[ -n "${FUZZ_SEED:-}" ] && seed=(-seed="$FUZZ_SEED")

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++-14 -DVEXILO_FUZZ=ON -DVEXILO_GUI=OFF -DVEXILO_TESTS=OFF \
  -DVEXILO_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" --target fuzz_all -j "$jobs"

targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_native fuzz_slz fuzz_lpm fuzz_slt fuzz_ring fuzz_open fuzz_link fuzz_loopy fuzz_grid
    fuzz_import fuzz_progress fuzz_solve)
mkdir -p "$build/findings"
for t in "${targets[@]}"; do
  corpus="$build/fuzz-corpus/$t"
  log="$build/findings/$t.log"
  mkdir -p "$corpus"
  if ! "$build/fuzz/$t" "$corpus" "fuzz/corpus/$t" -max_total_time="$seconds" "${seed[@]}" -timeout=10 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/findings/$t-" \
      >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "$t: FINDING (the input is in $build/findings/, the whole report in $log)" >&2
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1 || true)
  cov=$(sed -nE 's/.* cov: ([0-9]+) .*/\1/p' <<<"$done_line")
  ft=$(sed -nE 's/.* ft: ([0-9]+) .*/\1/p' <<<"$done_line")
  corp=$(sed -nE 's/.* corp: ([0-9]+)\/.*/\1/p' <<<"$done_line")
  printf '%-12s %10s runs in %ss, coverage %s edges, %s features, corpus %s inputs\n' \
    "$t" "$runs" "$seconds" "$cov" "$ft" "$corp"
done
