#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build/fuzz) and runs each of them
# for a number of seconds, seeded with tests/fuzz/corpus/<target>/.
#   scripts/fuzz.sh [seconds per target, default 300] [target...]
# New inputs found go to build/fuzz/work/<target>/ (not into the repository);
# a failing input is saved as build/fuzz/work/crash-* (one that runs past 10
# seconds as timeout-*) and the script fails.
source "$(dirname "$0")/build_env.sh"
ensure_packages "${FENLOW_BUILD_PACKAGES[@]}"

seconds=${1:-300}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_edits fuzz_utf fuzz_cli fuzz_recipes)

fenlow_build native build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DFENLOW_BUILD_FUZZERS=ON \
  -DFENLOW_BUILD_TESTS=OFF -DFENLOW_WERROR=ON "${targets[@]}"

for target in "${targets[@]}"; do
  work=build/fuzz/work/$target
  mkdir -p "$work"
  echo "== $target for ${seconds}s"
  log=build/fuzz/work/$target.log
  if ! build/fuzz/tests/fuzz/"$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix=build/fuzz/work/ "$work" tests/fuzz/corpus/"$target" >"$log" 2>&1; then
    grep -E 'FINDING|ERROR|SUMMARY' "$log" | head -20 || true
    echo "$target failed; the input is saved under build/fuzz/work/ (log: $log)" >&2
    exit 1
  fi
  grep -E '^Done|stat::number_of_executed_units' "$log"
done
