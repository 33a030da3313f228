#!/usr/bin/env bash
# Runs the README's first commands as they stand: the indented block after
# the line "<!-- first commands -->", one command a line, from the top of the
# repository and in one shell, so that `cd` and `export` carry over. Each
# command must end with status 0 (a pipe fails when any of its programs
# fails), and a line ending in  # says "TEXT"  must show TEXT. At the end the
# four programs must be found by name in out/bin/, where the first command
# installs them. Prints the time of each command; on a failure, its output.
#
# The test command runs it with LIRA_EXAMPLE_BUILD set to its own build, so
# the first command takes the programs the tests ran; scripts/fresh-machine.sh
# runs it as a newcomer would, the first command building them.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

mapfile -t lines < <(awk '
  /^<!-- first commands -->$/ { inside = 1; next }
  inside && /^    / { print substr($0, 5); seen = 1; next }
  inside && seen && !/^[[:space:]]*$/ { exit }
' README.md)
if [ ${#lines[@]} -lt 3 ]; then
  echo "README.md: no block of first commands after \"<!-- first commands -->\"" >&2
  exit 1
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/readme-commands.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
set +e
set -o pipefail
ran=0
for line in "${lines[@]}"; do
  [ -n "${line//[[:space:]]/}" ] || continue
  says=$(sed -n 's/.*[[:space:]]# says "\(.*\)"[[:space:]]*$/\1/p' <<<"$line")
  command=$(sed 's/[[:space:]][[:space:]]*# .*$//' <<<"$line")
  started=$EPOCHREALTIME
  eval "$command" </dev/null >"$scratch/output" 2>&1
  status=$?
  ran=$((ran + 1))
  seconds=$(awk -v a="$started" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f", b - a }')
  printf '%7s s  %s\n' "$seconds" "$command"
  grep -h '^installed [0-9]* packages' "$scratch/output" | sed 's/^/            /' || true
  if [ "$status" -ne 0 ] || { [ -n "$says" ] && ! grep -qF -- "$says" "$scratch/output"; }; then
    tail -40 "$scratch/output" | sed 's/^/    | /'
    if [ "$status" -ne 0 ]; then
      echo "the README's command ended with status $status: $command" >&2
    else
      echo "the README's command does not say \"$says\": $command" >&2
    fi
    exit 1
  fi
done
for program in tarvex keslow vantrel modelcheck; do
  found=$(command -v "$program" || true)
  if [ "$found" != "$top/out/bin/$program" ]; then
    echo "after the README's commands, $program is ${found:-not found}, not $top/out/bin/$program" >&2
    exit 1
  fi
done
echo "the README's first commands: all $ran ran as written"
