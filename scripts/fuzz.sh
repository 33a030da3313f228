#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs them:
#
#   scripts/fuzz.sh --replay [program...]
#   scripts/fuzz.sh [seconds-per-target] [program...]
#
# --replay runs every committed input of fuzz/<program>/ once, the seeds and
# the regression inputs (one for every finding that was fixed, in
# fuzz/<program>/regressions): the same inputs every time, so the verdict is
# the same every time. The test command does this.
#
# With a number of seconds, a random campaign by hand: each target starts
# from the committed inputs and the working corpus of earlier runs
# (build-fuzz/corpus/<program>), with the program's dictionary
# (fuzz/<program>.dict). An input that runs longer than 5 seconds counts as
# an endless loop. Findings (crash-*, timeout-*, leak-*, oom-* files) are left
# in build-fuzz/findings/<program>/; once fixed, each is committed to
# fuzz/<program>/regressions/ under a name that says what it found. The
# script ends with a non-zero status when any target found something or
# failed to run.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
replay=0
seconds=60
if [ "${1:-}" = --replay ]; then
  replay=1
  shift
elif [ $# -gt 0 ]; then
  seconds=$1
  shift
fi
programs=("$@")
[ ${#programs[@]} -gt 0 ] || programs=(tarvex vantrel keslow modelcheck)

fuzzer_runtime() {
  compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null
}
need=()
command -v cmake >/dev/null || need+=(cmake)
command -v clang++ >/dev/null || need+=(clang)
fuzzer_runtime || need+=(libclang-rt-14-dev)
[ ${#need[@]} -eq 0 ] || bash scripts/apt-install.sh "$top/out/apt.log" "${need[@]}"

build="$top/build-fuzz"
jobs=$(nproc 2>/dev/null || echo 2)
echo "== fuzz build"
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DLIRA_FUZZ=ON -DLIRA_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" -j"$jobs" </dev/null >"$build/build.log" 2>&1 || {
  tail -40 "$build/build.log"; echo "fuzz build failed"; exit 1; }

# The committed inputs of a program: its seeds and its regression inputs.
committed_inputs() {
  find "$top/fuzz/$1/seeds" "$top/fuzz/$1/regressions" -type f 2>/dev/null | sort
}

status=0
for program in "${programs[@]}"; do
  fuzzer="$build/$program/${program}_fuzz"
  if [ ! -x "$fuzzer" ]; then
    echo "== $program: no fuzz target $fuzzer"
    status=1
    continue
  fi
  if [ "$replay" -eq 1 ]; then
    mapfile -t inputs < <(committed_inputs "$program")
    log="$build/logs/$program-replay.log"
    scratch="$build/tmp/$program"
    mkdir -p "$build/logs" "$scratch"
    rc=0
    # Files, not directories: libFuzzer runs each once and does not fuzz.
    TMPDIR="$scratch" "$fuzzer" -timeout=5 -rss_limit_mb=2048 "${inputs[@]}" \
      </dev/null >"$log" 2>&1 || rc=$?
    rm -rf "$scratch"
    ran=$(grep -c '^Executed ' "$log" || true)
    if [ "$rc" -ne 0 ] || [ "$ran" -ne "${#inputs[@]}" ]; then
      echo "== $program: ${ran} of ${#inputs[@]} committed inputs ran, status $rc; see $log"
      grep -E '^(Running|==[0-9]+==ERROR|SUMMARY|.*runtime error)' "$log" | tail -5 |
        sed 's/^/     /'
      status=1
    else
      echo "== $program: ${#inputs[@]} committed inputs, every one ran clean"
    fi
    continue
  fi
  corpus="$build/corpus/$program"
  findings="$build/findings/$program"
  scratch="$build/tmp/$program"
  log="$build/logs/$program.log"
  mkdir -p "$corpus" "$build/logs" "$scratch"
  rm -rf "$findings" && mkdir -p "$findings"
  echo "== $program: ${seconds}s"
  # The target moves into a scratch directory of its own, so every path it is
  # given is absolute. TMPDIR keeps that directory inside the build.
  started=$(date +%s)
  rc=0
  TMPDIR="$scratch" "$fuzzer" \
    -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
    -dict="$top/fuzz/$program.dict" -artifact_prefix="$findings/" \
    -print_final_stats=1 "$corpus" "$top/fuzz/$program/seeds" \
    $( [ -d "$top/fuzz/$program/regressions" ] && echo "$top/fuzz/$program/regressions") \
    </dev/null >"$log" 2>&1 || rc=$?
  ended=$(date +%s)
  rm -rf "$scratch"

  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  count=$(find "$corpus" -type f | wc -l)
  size=$(du -sk "$corpus" | cut -f1)
  found=$(find "$findings" -type f \( -name 'crash-*' -o -name 'timeout-*' -o -name 'leak-*' \
    -o -name 'oom-*' \) | sort)
  echo "   executions: ${executions:-unknown}"
  echo "   time: $((ended - started))s"
  echo "   corpus: $count files, ${size} KB ($corpus)"
  if [ -n "$found" ]; then
    echo "   findings: $(echo "$found" | wc -l)"
    echo "$found" | sed 's/^/     /'
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error)' "$log" | head -5 | sed 's/^/     /'
    status=1
  else
    echo "   findings: 0"
  fi
  if [ "$rc" -ne 0 ] && [ -z "$found" ]; then
    echo "   the fuzzer ended with status $rc; see $log"
    tail -5 "$log" | sed 's/^/     /'
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "== fuzzing found nothing" || echo "== fuzzing found problems"
exit "$status"
