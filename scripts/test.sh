#!/usr/bin/env bash
# Installs what the tests need, builds, and runs every test: the normal build,
# the sanitizer build (AddressSanitizer + UndefinedBehaviorSanitizer) and, when
# the Windows cross build is set up, the end-to-end tests of the Windows
# binaries under Wine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

need=()
command -v cmake >/dev/null || need+=(cmake)
command -v g++ >/dev/null || need+=(g++)
[ -f /usr/include/gtest/gtest.h ] || need+=(libgtest-dev)
command -v python3 >/dev/null || need+=(python3)
# The SVG renderer of the picture test.
command -v rsvg-convert >/dev/null || need+=(librsvg2-bin)
if [ ${#need[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${need[@]}" </dev/null
fi

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

if [ -f scripts/fuzz.sh ]; then
  echo "== fuzzing, 60 seconds a program"
  bash scripts/fuzz.sh 60
fi
echo "== all tests passed"
