#!/usr/bin/env bash
# The Windows build and its tests, from a Linux host:
#   1. installs mingw-w64 and Wine when they are missing (Debian packages),
#   2. cross-builds the programs (preset "windows"): tarvex.exe, keslow.exe,
#      vantrel.exe, modelcheck.exe,
#   3. runs the end-to-end tests (ctest label "e2e") against the Linux build,
#      then the same test binaries against the Windows programs under Wine,
#   4. checks that the console bytes of both builds are the same but for the
#      line ends (Russian texts and box characters in code page 866),
#   5. cross-builds the unit tests (preset "windows-unit"; a test that does not
#      build fails the run) and runs each test binary under Wine (skip:
#      --no-unit).
# A fresh Wine prefix is made for each run and removed at its end.
#
# Usage: bash scripts/test-windows.sh [--no-unit]
#   LIRA_LINUX_BUILD_DIR  a Linux build with the tests to reuse; default: the
#                         preset "linux" (out/linux), configured when missing.
# Exit code 0 when everything passed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
start=$SECONDS

run_unit=1
for arg in "$@"; do
  case $arg in
    --no-unit) run_unit=0 ;;
    *) echo "usage: $0 [--no-unit]" >&2; exit 2 ;;
  esac
done

log_dir=$root/out/test-windows
mkdir -p "$log_dir"

step() { printf '\n== %s (%ds)\n' "$1" $((SECONDS - start)); }

# --- 1. Packages -------------------------------------------------------------

find_wine() {
  local c
  for c in /usr/lib/wine/wine64 "$(command -v wine64 || true)" "$(command -v wine || true)"; do
    if [[ -n $c && -x $c ]]; then echo "$c"; return; fi
  done
}
find_wineserver() {
  local c
  for c in /usr/lib/wine/wineserver64 "$(command -v wineserver || true)"; do
    if [[ -n $c && -x $c ]]; then echo "$c"; return; fi
  done
}

step "packages"
missing=()
# The Linux build of the tests, in case this script runs first on a fresh machine.
command -v cmake >/dev/null || missing+=(cmake)
command -v make >/dev/null || missing+=(make)
command -v g++ >/dev/null || missing+=(g++)
[[ -f /usr/include/gtest/gtest.h ]] || missing+=(libgtest-dev)
# mingw-w64 with both thread models: win32 for the programs, posix for GoogleTest.
command -v x86_64-w64-mingw32-g++-win32 >/dev/null && command -v x86_64-w64-mingw32-g++-posix >/dev/null ||
  missing+=(g++-mingw-w64-x86-64)
[[ -n $(find_wine) && -n $(find_wineserver) ]] || missing+=(wine64)
if (( run_unit )) && [[ ! -f /usr/src/googletest/CMakeLists.txt ]]; then missing+=(googletest); fi
if (( ${#missing[@]} )); then
  bash scripts/apt-install.sh "$log_dir/apt.log" --no-install-recommends "${missing[@]}"
fi
wine=$(find_wine)
wineserver=$(find_wineserver)
echo "mingw: $(x86_64-w64-mingw32-g++ --version | head -1)"
echo "wine:  $wine ($("$wine" --version 2>/dev/null </dev/null || echo '?'))"

# --- 2. Builds ---------------------------------------------------------------

step "Linux build"
linux_build=${LIRA_LINUX_BUILD_DIR:-$root/out/linux}
if [[ -z ${LIRA_LINUX_BUILD_DIR:-} && ! -f $linux_build/CMakeCache.txt ]]; then
  cmake --preset linux >"$log_dir/linux-configure.log"
fi
cmake --build "$linux_build" -j2 >"$log_dir/linux-build.log" 2>&1 || {
  tail -30 "$log_dir/linux-build.log" >&2; echo "Linux build failed" >&2; exit 1; }

step "Windows build (mingw-w64, static)"
win_build=$root/out/windows
if [[ ! -f $win_build/CMakeCache.txt ]]; then
  cmake --preset windows >"$log_dir/windows-configure.log"
fi
cmake --build --preset windows >"$log_dir/windows-build.log" 2>&1 || {
  tail -30 "$log_dir/windows-build.log" >&2; echo "Windows build failed" >&2; exit 1; }
# Every program of the family; the end-to-end tests of each (ctest label
# "e2e") run against its .exe below.
programs=(tarvex keslow vantrel modelcheck)
for p in "${programs[@]}"; do
  exe=$win_build/$p/$p.exe
  [[ -f $exe ]] || { echo "the Windows build made no $p.exe" >&2; exit 1; }
  dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr '\n' ' ')
  echo "$p.exe: $(stat -c %s "$exe") bytes, imports: $dlls"
  # One file next to the model: only the system's own DLLs.
  for d in $dlls; do
    case ${d,,} in
      kernel32.dll|msvcrt.dll|user32.dll|advapi32.dll) ;;
      *) echo "$p.exe needs $d: not a single static file" >&2; exit 1 ;;
    esac
  done
done

# --- Wine: a fresh prefix, one server kept alive for the whole run -----------

step "Wine prefix"
unset DISPLAY WAYLAND_DISPLAY
export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/lira-wine.XXXXXX")
export WINEPREFIX
cleanup() {
  "$wineserver" -k </dev/null >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
# A persistent server: each program start then costs a fraction of a second.
"$wineserver" -p </dev/null >/dev/null 2>&1
"$wine" wineboot -i </dev/null >"$log_dir/wineboot.log" 2>&1 || {
  cat "$log_dir/wineboot.log" >&2; echo "wineboot failed" >&2; exit 1; }
echo "prefix $WINEPREFIX"

# --- 3. End-to-end tests on both builds -------------------------------------

# ctest's summary line gives the counts: "100% tests passed, 0 tests failed out of 7".
count_line() {
  local total failed
  total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$1" | tail -1)
  failed=$(sed -n 's/.* \([0-9]*\) tests failed out of.*/\1/p' "$1" | tail -1)
  total=${total:-0}; failed=${failed:-0}
  echo "$((total - failed)) $failed"
}

failures=0
run_e2e() {  # name log [VAR=value...]
  local name=$1 log=$2; shift 2
  local status=0
  env "$@" ctest --test-dir "$linux_build" -L e2e -j2 --timeout 600 --output-on-failure \
    </dev/null >"$log" 2>&1 || status=$?
  read -r passed failed < <(count_line "$log")
  if (( status != 0 || passed == 0 )); then
    grep -E '\*\*\*Failed|Failed  |Timeout|Not Run|No tests were found' "$log" | head -40 >&2 || true
    failures=$((failures + 1))
  fi
  results+=("$(printf '%-34s %d passed, %d failed' "$name" "$passed" "$failed")")
  echo "${results[-1]}"
}
results=()

step "end-to-end tests, Linux build"
run_e2e "end-to-end tests, Linux:" "$log_dir/e2e-linux.log"

step "end-to-end tests, Windows build under Wine"
run_e2e "end-to-end tests, Windows (Wine):" "$log_dir/e2e-windows.log" \
  LIRA_BIN_DIR="$win_build" LIRA_EXE_SUFFIX=.exe LIRA_RUNNER="$wine"

# --- 4. The console bytes of both builds -------------------------------------

step "console bytes of both builds"
# Each run: a program, its answers, its arguments (blank-separated). The
# answers reach the questions, the Russian texts, the file diagram and the
# orderly stop without needing a model; modelcheck, which takes arguments,
# shows its help and its refusal of an unknown option.
compare_runs=(
  "tarvex|0.5\n2500\nn\n1\ne\n|"
  "tarvex|0.5\n2500\ny\n5\n2400\n0\n1\ne\n|"
  "tarvex|0.5\n2500\nn\n1\nc\n|"
  "tarvex|x\n|"
  "keslow||"
  "vantrel||"
  "modelcheck||--help"
  "modelcheck||--no-such-option"
)
# The programs that draw the file diagram, in code page 866.
draws_diagram() { [[ $1 == tarvex || $1 == keslow || $1 == vantrel ]]; }

strip_cr() { sed 's/\r$//' "$1"; }
identical=0
differing=0
scratch=$(mktemp -d "${TMPDIR:-/tmp}/lira-compare.XXXXXX")
for run in "${compare_runs[@]}"; do
  IFS='|' read -r p answers arguments <<<"$run"
  read -r -a args <<<"$arguments"
  rm -rf "$scratch"/*
  mkdir -p "$scratch/linux" "$scratch/windows"
  printf "$answers" >"$scratch/answers"
  linux_rc=0
  (cd "$scratch/linux" && "$linux_build/$p/$p" "${args[@]}" <"$scratch/answers" >../linux.out \
    2>../linux.err) || linux_rc=$?
  windows_rc=0
  (cd "$scratch/windows" && "$wine" "$win_build/$p/$p.exe" "${args[@]}" <"$scratch/answers" \
    >../windows.out 2>../windows.err) || windows_rc=$?
  problem=""
  if ! cmp -s <(strip_cr "$scratch/windows.out") "$scratch/linux.out"; then
    problem="console bytes differ"
  elif ! cmp -s <(strip_cr "$scratch/windows.err") "$scratch/linux.err"; then
    problem="standard error differs"
  elif grep -q $'\r' "$scratch/linux.out"; then
    problem="CR on the Linux console"
  elif [[ $(tr -cd '\n' <"$scratch/windows.out" | wc -c) != $(grep -c $'\r$' "$scratch/windows.out") ]]; then
    problem="a line end without CR on the Windows console"
  elif draws_diagram "$p" && ! grep -q $'\xC4\xC4' "$scratch/linux.out"; then
    problem="no box characters on the console"
  elif [[ ! -s $scratch/linux.out && ! -s $scratch/linux.err ]]; then
    problem="nothing shown"
  elif (( linux_rc != windows_rc )); then
    problem="exit codes $linux_rc and $windows_rc"
  elif ! diff -r <(cd "$scratch/linux" && ls -A) <(cd "$scratch/windows" && ls -A) >/dev/null; then
    problem="different files left"
  else
    for f in "$scratch/linux"/*; do
      [[ -e $f ]] || continue
      if ! cmp -s <(strip_cr "$f") <(strip_cr "$scratch/windows/${f##*/}"); then
        problem="file ${f##*/} differs"
      fi
    done
  fi
  if [[ -n $problem ]]; then
    differing=$((differing + 1))
    echo "$p with answers '$answers' and arguments '$arguments': $problem" >&2
    cp "$scratch/linux.out" "$log_dir/console-$p-linux.out"
    cp "$scratch/windows.out" "$log_dir/console-$p-windows.out"
  else
    identical=$((identical + 1))
  fi
done
rm -rf "$scratch"
(( differing == 0 && identical > 0 )) || failures=$((failures + 1))
results+=("$(printf '%-34s %d passed, %d failed' "console bytes, both builds:" "$identical" "$differing")")
echo "${results[-1]}"

# --- 5. Unit tests on Windows ------------------------------------------------

if (( run_unit )); then
  step "unit tests, Windows build under Wine"
  gtest_dir=$root/out/gtest-windows
  if [[ ! -f $gtest_dir/install/lib/cmake/GTest/GTestConfig.cmake ]]; then
    # GoogleTest needs std::mutex: the posix thread model of mingw-w64.
    cmake -S /usr/src/googletest -B "$gtest_dir/build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
      -DLIRA_MINGW_THREADS=-posix -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON \
      -DCMAKE_INSTALL_PREFIX="$gtest_dir/install" >"$log_dir/gtest-build.log" 2>&1 &&
      cmake --build "$gtest_dir/build" -j2 >>"$log_dir/gtest-build.log" 2>&1 &&
      cmake --install "$gtest_dir/build" >>"$log_dir/gtest-build.log" 2>&1 || {
        tail -30 "$log_dir/gtest-build.log" >&2; echo "GoogleTest cross build failed" >&2; exit 1; }
  fi
  unit_build=$root/out/windows-unit
  if [[ ! -f $unit_build/CMakeCache.txt ]]; then
    cmake --preset windows-unit >"$log_dir/windows-unit-configure.log"
  fi
  # Every unit test builds for Windows: one that does not fails the run. The
  # tests that need POSIX are *-posix_test.cc files, which the build leaves out.
  cmake --build --preset windows-unit >"$log_dir/windows-unit-build.log" 2>&1 || {
    log=$log_dir/windows-unit-build.log
    grep -m10 ' error: ' "$log" >&2 || tail -30 "$log" >&2
    echo "the unit tests do not build for Windows (see ${log#$root/})" >&2
    exit 1; }
  mapfile -t unit_exes < <(find "$unit_build" -name '*_test.exe' -type f | sort)
  unit_passed=0
  unit_failed=0
  for exe in "${unit_exes[@]}"; do
    t=$(basename "$exe" .exe)
    log=$log_dir/unit-$t.log
    # Each binary runs in a scratch directory: some tests make files.
    dir=$(mktemp -d "${TMPDIR:-/tmp}/lira-unit.XXXXXX")
    status=0
    (cd "$dir" && "$wine" "$exe" </dev/null >"$log" 2>&1) || status=$?
    rm -rf "$dir"
    p=$(tr -d '\r' <"$log" | sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' | tail -1)
    f=$(tr -d '\r' <"$log" | sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\?, listed below:.*/\1/p' | tail -1)
    p=${p:-0}; f=${f:-0}
    if (( status != 0 && f == 0 )); then f=1; fi  # a crash before the summary
    echo "  $t.exe: $p passed, $f failed"
    if (( f > 0 )); then
      tr -d '\r' <"$log" | sed -n 's/^\[  FAILED  \] \([A-Za-z_][^ ]*\).*/    failed: \1/p' | sort -u
    fi
    unit_passed=$((unit_passed + p))
    unit_failed=$((unit_failed + f))
  done
  (( unit_failed == 0 && unit_passed > 0 )) || failures=$((failures + 1))
  results+=("$(printf '%-34s %d passed, %d failed' "unit tests, Windows (Wine):" "$unit_passed" "$unit_failed")")
  echo "${results[-1]}"
fi

# --- Summary -----------------------------------------------------------------

echo
echo "== Windows test summary ($((SECONDS - start)) s; logs in ${log_dir#$root/})"
printf '%s\n' "${results[@]}"
if (( failures )); then
  echo "Windows tests: FAILED"
  exit 1
fi
echo "Windows tests: all passed"
