#!/usr/bin/env bash
# Builds the fuzz targets with clang 14 and libFuzzer, under ASan and UBSan, and runs each on its
# corpus (tests/fuzz/corpus/TARGET) for a short while: USERDB_FUZZ_SECONDS each (default 5;
# 30 or more for a real search). New inputs go to a scratch folder, never into the corpus; a
# crash leaves its input in build/fuzz/crashes and fails the stage.
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds="${USERDB_FUZZ_SECONDS:-5}"
build=build/fuzz
crashes="$build/crashes"
sanitizers="address,undefined"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
  -DUSERDB_BUILD_TESTS=OFF -DUSERDB_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,$sanitizers -fno-sanitize-recover=all -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=$sanitizers" >/dev/null

targets=()
for source in fuzz/*_fuzz.cpp; do
  targets+=("$(basename "$source" .cpp)")
done
cmake --build "$build" -j 2 --target "${targets[@]}"

mkdir -p "$crashes"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# fuzz TARGET: its search for the stage's seconds; a crash prints the end of its log and fails.
fuzz() {
  local target=$1 log="$scratch/$1.log" runs
  mkdir -p "$scratch/$target"
  if ! "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$crashes/$target-" "$scratch/$target" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
    { tail -n 40 "$log"; echo "$target: crash; its input is in $crashes (replay: $build/fuzz/$target FILE)"; } >&2
    return 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "$target: ${runs:-?} runs in ${seconds} s, no crash"
}
export -f fuzz
export build crashes scratch seconds

# A libFuzzer search keeps one core busy: two targets at a time, each for its full seconds.
printf '%s\n' "${targets[@]}" | xargs -P 2 -I '{}' bash -c 'fuzz "$1"' _ '{}'
