#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) into build/fuzz and runs each one.
#   scripts/fuzz.sh              short run: about a minute for all targets
#   scripts/fuzz.sh SECONDS      SECONDS per target
#   scripts/fuzz.sh --long       ten minutes per target
# Each target starts from its committed seeds (fuzz/seeds/<target>) plus what
# earlier runs found (build/fuzz/corpus/<target>). A crash leaves its input in
# build/fuzz/crashes/<target>/ and makes the script fail.
set -euo pipefail
root=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
build="$root/build/fuzz"
total_short=60

case "${1:-}" in
  --long) per_target=600 ;;
  "") per_target= ;;
  *[!0-9]*) echo "usage: $0 [seconds-per-target | --long]" >&2; exit 2 ;;
  *) per_target=$1 ;;
esac

mkdir -p "$build"
if ! { cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 &&
       cmake --build "$build" -j"$(nproc)"; } >"$build/build.log" 2>&1; then
  tail -n 60 "$build/build.log" >&2
  echo "fuzz: build failed; full log: $build/build.log" >&2
  exit 1
fi

mapfile -t targets < <(find "$build" -maxdepth 1 -type f -executable -name '*_fuzzer' -printf '%f\n' | sort)
[ ${#targets[@]} -gt 0 ] || { echo "fuzz: no targets built" >&2; exit 1; }
[ -n "$per_target" ] || per_target=$(( total_short / ${#targets[@]} > 3 ? total_short / ${#targets[@]} : 3 ))

export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
failed=0
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target" crashes="$build/crashes/$target"
  seeds="$root/fuzz/seeds/${target%_fuzzer}"
  mkdir -p "$corpus" "$crashes"
  log="$build/$target.log"
  dirs=("$corpus")
  [ -d "$seeds" ] && dirs+=("$seeds")
  if "$build/$target" -max_total_time="$per_target" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
       -print_final_stats=1 -artifact_prefix="$crashes/" "${dirs[@]}" >"$log" 2>&1; then
    runs=$(grep -oE '^stat::number_of_executed_units: *[0-9]+' "$log" | grep -oE '[0-9]+$' || echo "?")
    echo "$target: $runs executions in ${per_target} s, no failure"
  else
    tail -n 40 "$log" >&2
    echo "$target: FAILED (log: $log, inputs: $crashes)" >&2
    failed=1
  fi
done
exit $failed
