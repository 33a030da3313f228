#!/usr/bin/env bash
# Installs Debian packages quietly, for the scripts of this repository:
#
#   bash scripts/apt-install.sh LOG [--no-install-recommends] package...
#
# apt's whole output goes to the file LOG (appended); the console gets one
# line of what is asked for and one of what it cost (packages and disk
# space, counted by dpkg before and after). When apt fails, the last lines
# of LOG are shown and the script ends with status 1. Not root: through
# "sudo -n", so a password prompt cannot hang a scripted run.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 LOG [--no-install-recommends] package..." >&2; exit 2; }
log=$1
shift
mkdir -p "$(dirname "$log")"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo -n)
options=(-y -q -o DPkg::Lock::Timeout=300 -o Dpkg::Options::=--force-confdef
         -o Dpkg::Options::=--force-confold)
export DEBIAN_FRONTEND=noninteractive

# Packages installed and their installed size in KiB.
installed() {
  dpkg-query -W -f '${db:Status-Abbrev} ${Installed-Size}\n' 2>/dev/null |
    awk '$1 == "ii" { n++; kib += $2 } END { print n + 0, kib + 0 }'
}

packages=()
for p in "$@"; do [ "$p" = --no-install-recommends ] || packages+=("$p"); done
echo "installing ${packages[*]} with apt (log: $log)"
read -r count_before kib_before < <(installed)
if ! { "${sudo[@]}" apt-get "${options[@]}" update && "${sudo[@]}" apt-get "${options[@]}" install "$@"; } \
    </dev/null >>"$log" 2>&1; then
  tail -30 "$log" >&2
  echo "apt-get could not install ${packages[*]}; its whole output is in $log" >&2
  exit 1
fi
read -r count_after kib_after < <(installed)
echo "installed $((count_after - count_before)) packages, $(((kib_after - kib_before) / 1024)) MiB"
