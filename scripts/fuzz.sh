#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for the given number of seconds:
#
#   scripts/fuzz.sh [seconds-per-target] [program...]
#
# Each target starts from the committed seeds (fuzz/<program>/seeds) and the
# working corpus of earlier runs (build-fuzz/corpus/<program>), with the
# program's dictionary (fuzz/<program>.dict). An input that runs longer than
# 5 seconds counts as an endless loop. Findings (crash-*, timeout-*, leak-*,
# oom-* files) are left in build-fuzz/findings/<program>/; the script ends
# with a non-zero status when any target found something or failed to run.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
seconds=${1:-60}
shift || true
programs=("$@")
[ ${#programs[@]} -gt 0 ] || programs=(tarvex vantrel keslow)

fuzzer_runtime() {
  compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null
}
need=()
command -v cmake >/dev/null || need+=(cmake)
command -v clang++ >/dev/null || need+=(clang)
fuzzer_runtime || need+=(libclang-rt-14-dev)
if [ ${#need[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo -n"
  $sudo apt-get update -qq </dev/null
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${need[@]}" </dev/null
fi

build="$top/build-fuzz"
jobs=$(nproc 2>/dev/null || echo 2)
echo "== fuzz build"
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DLIRA_FUZZ=ON -DLIRA_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" -j"$jobs" </dev/null >"$build/build.log" 2>&1 || {
  tail -40 "$build/build.log"; echo "fuzz build failed"; exit 1; }

status=0
for program in "${programs[@]}"; do
  fuzzer="$build/$program/${program}_fuzz"
  if [ ! -x "$fuzzer" ]; then
    echo "== $program: no fuzz target $fuzzer"
    status=1
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
