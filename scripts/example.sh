#!/usr/bin/env bash
# Builds the three programs and converts the example model shipped in
# examples/tarvex/ with scripted answers. The script is written to
# out/example/modelans.lgw (the model is copied there first: tarvex works on
# the files of its working directory).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
command -v cmake >/dev/null && command -v g++ >/dev/null || {
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq cmake g++ </dev/null
}
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DLIRA_TESTS=OFF >/dev/null
cmake --build build-release -j"$(nproc 2>/dev/null || echo 2)" --target tarvex >/dev/null
rm -rf out/example && mkdir -p out/example
cp examples/tarvex/modellir.txt out/example/
cd out/example
# VR3 0.005; common density 2500 kg/m3; one exception: stiffness 4 at 7850;
# own weight is load case 1; 'c' continues at the confirmation.
printf '0.005\n2500\ny\n4\n7850\n0\n1\nc\n' | "$top/build-release/tarvex/tarvex" > console.txt || true
tail -c 400 console.txt
echo
echo "Script written to $(pwd)/modelans.lgw ($(wc -l < modelans.lgw) lines); console in $(pwd)/console.txt"
