#!/usr/bin/env bash
# Builds the programs for speed in a build directory of its own and times them
# on generated models of each size beside a baseline that only reads the same
# files (see bench.py for the baselines and the environment it takes).
#
#   bash bench/run.sh                 sizes 10000, 100000, 1000000
#   bash bench/run.sh 10000 100000    a smaller set
#   REPEAT=1 PROGRAMS=tarvex CALLGRIND_SIZE=0 MESH_SIZE=0 bash bench/run.sh 100000
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="${BENCH_BUILD:-$top/build-bench}"

echo "== Release build in $build" >&2
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DLIRA_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target tarvex keslow vantrel >/dev/null

# What the figures need: /usr/bin/time (peak memory), valgrind (instruction
# counts) and Debian's python3-meshio (the mesh converter to compare with).
need=()
[ -x /usr/bin/time ] || need+=(time)
command -v valgrind >/dev/null || need+=(valgrind)
/usr/bin/python3 -c "import meshio" 2>/dev/null || need+=(python3-meshio)
if [ ${#need[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "== installing ${need[*]}" >&2
  { $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${need[@]}"; } \
    </dev/null >&2 || echo "could not install ${need[*]}: those figures are left out" >&2
fi
if [ ! -x /usr/bin/time ]; then
  echo "/usr/bin/time is needed for the peak memory (apt-get install time)" >&2
  exit 1
fi
echo "== $(uname -srm), $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')" >&2
exec python3 "$top/bench/bench.py" "$build" "$@"
