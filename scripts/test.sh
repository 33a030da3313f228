#!/usr/bin/env bash
# Installs what the tests need, builds, and runs every test: the normal build,
# the sanitizer build (AddressSanitizer + UndefinedBehaviorSanitizer), the
# Windows programs and unit tests under Wine, and every committed fuzz input
# once. The same inputs every time: random fuzzing is scripts/fuzz.sh, by hand.
# Then the README's first commands on the programs it built, and, in a git
# checkout, that the tests left it as they found it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

# What git sees before the tests: a run leaves exactly that behind.
in_git=0
if command -v git >/dev/null && git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  in_git=1
  checkout=$(git status --porcelain)
fi

need=()
command -v cmake >/dev/null || need+=(cmake)
command -v g++ >/dev/null || need+=(g++)
[ -f /usr/include/gtest/gtest.h ] || need+=(libgtest-dev)
command -v python3 >/dev/null || need+=(python3)
# The SVG renderer of the picture test.
command -v rsvg-convert >/dev/null || need+=(librsvg2-bin)
[ ${#need[@]} -eq 0 ] || bash scripts/apt-install.sh "$top/out/apt.log" "${need[@]}"

jobs=$(nproc 2>/dev/null || echo 2)
for variant in release sanitize; do
  dir="build-test-$variant"
  flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
  [ "$variant" = sanitize ] && flags=(-DCMAKE_BUILD_TYPE=Debug -DLIRA_SANITIZE=ON)
  echo "== $variant build"
  cmake -S . -B "$dir" "${flags[@]}" >/dev/null
  cmake --build "$dir" -j"$jobs"
  echo "== $variant tests"
  (cd "$dir" && ctest --output-on-failure -j"$jobs" </dev/null)
done

echo "== Windows binaries under Wine"
LIRA_LINUX_BUILD_DIR="$top/build-test-release" bash scripts/test-windows.sh

echo "== the committed fuzz inputs, each run once"
bash scripts/fuzz.sh --replay
echo "== the README's first commands, on the programs of the release build"
LIRA_EXAMPLE_BUILD="$top/build-test-release" bash scripts/readme-commands.sh

if [ "$in_git" -eq 1 ]; then
  after=$(git status --porcelain)
  if [ "$after" != "$checkout" ]; then
    echo "== the tests changed the checkout (git status --porcelain before, then after):"
    printf '%s\n' "$checkout" | sed 's/^/   before: /'
    printf '%s\n' "$after" | sed 's/^/   after:  /'
    exit 1
  fi
  echo "== the checkout is as the tests found it"
fi
echo "== all tests passed"
