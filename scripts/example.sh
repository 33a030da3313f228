#!/usr/bin/env bash
# The first command: builds the four programs (tarvex, keslow, vantrel,
# modelcheck; Release, no tests) in build-release/, installs them into
# out/bin/, and converts the example model shipped in examples/tarvex/ with
# scripted answers. The model is copied to out/example/ first (tarvex works on
# the files of its working directory); the script is written there as
# modelans.lgw, the console (code page 866) as console.txt.
#
# cmake and g++ are installed with apt when missing (89 packages, 386 MiB on a
# bare Debian 12; apt's output in out/apt.log). LIRA_EXAMPLE_BUILD names
# another build folder to take the programs from (the test command passes its
# own, already built); it is configured only when it has no CMakeCache.txt.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
need=()
command -v cmake >/dev/null || need+=(cmake)
command -v g++ >/dev/null || need+=(g++)
[ ${#need[@]} -eq 0 ] || bash scripts/apt-install.sh "$top/out/apt.log" "${need[@]}"

build=${LIRA_EXAMPLE_BUILD:-build-release}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DLIRA_TESTS=OFF >/dev/null
fi
mkdir -p out
cmake --build "$build" -j"$(nproc 2>/dev/null || echo 2)" --target tarvex keslow vantrel modelcheck \
  >out/example-build.log 2>&1 || { tail -30 out/example-build.log; echo "the build failed; see out/example-build.log"; exit 1; }
cmake --install "$build" --prefix "$top/out" >/dev/null
echo "Programs installed in $top/out/bin: $(cd out/bin && echo *)"

rm -rf out/example && mkdir -p out/example
cp examples/tarvex/modellir.txt out/example/
cd out/example
# VR3 0.005; common density 2500 kg/m3; one exception: stiffness 4 at 7850;
# own weight is load case 1; 'c' continues at the confirmation.
status=0
printf '0.005\n2500\ny\n4\n7850\n0\n1\nc\n' | "$top/out/bin/tarvex" > console.txt || status=$?
# The console's last lines; its Russian texts read on a UTF-8 terminal only
# when converted from code page 866.
if [ "$(locale charmap 2>/dev/null)" = UTF-8 ]; then
  tail -c 400 console.txt | iconv -f CP866 -t UTF-8
else
  tail -c 400 console.txt
fi
echo
if [ "$status" -ne 0 ]; then
  echo "tarvex ended with status $status; console in $(pwd)/console.txt"
  exit 1
fi
echo "Script written to $(pwd)/modelans.lgw ($(wc -l < modelans.lgw) lines); console in $(pwd)/console.txt"
echo "To run the programs by name: export PATH=\"$top/out/bin:\$PATH\""
