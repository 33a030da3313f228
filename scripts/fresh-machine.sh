#!/usr/bin/env bash
# A newcomer's first hour, on a fresh machine: makes a bare Debian 12
# (bookworm) root with debootstrap in a temporary folder, puts a clean clone of
# the committed tree into it, and there, in a chroot, runs the README's
# commands as it writes them: its first commands (scripts/readme-commands.sh:
# the first command, modelcheck --help, the order of work on the example),
# then the test command. Checks their exit codes and what they say, and
# prints the time of every step, the packages each installed and the size of
# the root. The root is removed at the end (--keep leaves it).
#
#   bash scripts/fresh-machine.sh [--keep] [--no-test] [MIRROR]
#
# As root on Debian (debootstrap is installed when missing). MIRROR is the
# Debian mirror; by default the first one of apt's sources, else
# deb.debian.org. --no-test stops after the first commands. The test command
# takes most of the time: tens of minutes on two cores. Not part of the test
# command: it needs root and a network.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
keep=0
run_tests=1
mirror=""
for arg in "$@"; do
  case $arg in
    --keep) keep=1 ;;
    --no-test) run_tests=0 ;;
    -*) echo "usage: $0 [--keep] [--no-test] [MIRROR]" >&2; exit 2 ;;
    *) mirror=$arg ;;
  esac
done
[ "$(id -u)" -eq 0 ] || { echo "$0: run as root (debootstrap and chroot need it)" >&2; exit 2; }

if [ -z "$mirror" ]; then
  mirror=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
             sed -n 's|^URIs:[[:space:]]*\(http[^[:space:]]*/debian\)/*[[:space:]]*$|\1|p' | head -1)
  [ -n "$mirror" ] || mirror=$(cat /etc/apt/sources.list 2>/dev/null |
             sed -n 's|^deb[[:space:]]\+\(http[^[:space:]]*/debian\)/*[[:space:]].*|\1|p' | head -1)
  [ -n "$mirror" ] || mirror=http://deb.debian.org/debian
fi

work=$(mktemp -d "${TMPDIR:-/var/tmp}/fresh-machine.XXXXXX")
root=$work/root
logs=$work/logs
mkdir -p "$logs"
mounted=()
cleanup() {
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount -R "${mounted[i]}" 2>/dev/null || umount -lR "${mounted[i]}" 2>/dev/null || true
  done
  if [ "$keep" -eq 1 ]; then
    echo "kept: $root (logs in $logs)"
  elif findmnt -rn -o TARGET | grep -q "^$root/"; then
    echo "something is still mounted under $root: left in place" >&2
  else
    rm -rf "$work"
  fi
}
trap cleanup EXIT

# Figures of the root: packages installed, and its size in MiB.
packages() { chroot "$root" dpkg-query -W -f '${db:Status-Abbrev}\n' 2>/dev/null | grep -c '^ii' || true; }
size_mib() { du -sxm "$root" | cut -f1; }
figures=()
# step NAME COMMAND...: runs, times and counts one step; its output in a log.
step() {
  local name=$1; shift
  local log="$logs/${name// /-}.log" before after started status=0
  before=$(packages)
  echo "== $name"
  started=$SECONDS
  "$@" </dev/null >"$log" 2>&1 || status=$?
  after=$(packages)
  figures+=("$(printf '%-30s %6d s  %+5d packages  %6d MiB' "$name" $((SECONDS - started)) \
                $((after - before)) "$(size_mib)")")
  echo "   ${figures[-1]}"
  if [ "$status" -ne 0 ]; then
    tail -40 "$log" | sed 's/^/   | /'
    echo "$name ended with status $status (log: $log)" >&2
    keep=1
    exit 1
  fi
}
# expect NAME TEXT: the log of step NAME holds TEXT.
expect() {
  local log="$logs/${1// /-}.log"
  grep -qF -- "$2" "$log" || { echo "$1 does not say \"$2\" (log: $log)" >&2; keep=1; exit 1; }
}
# In the root, as a newcomer with a UTF-8 terminal: root, at the clone.
in_root() {
  chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c "cd /root/lira && $1"
}

command -v debootstrap >/dev/null ||
  bash "$top/scripts/apt-install.sh" "$logs/apt.log" debootstrap
echo "mirror: $mirror; root: $root"
step "debootstrap" debootstrap --variant=minbase bookworm "$root" "$mirror"
echo "   bare Debian 12 root: $(packages) packages, $(size_mib) MiB"

for fs in proc sys dev; do
  mkdir -p "$root/$fs"
  case $fs in
    proc) mount -t proc proc "$root/proc" ;;
    sys) mount -t sysfs sysfs "$root/sys" ;;
    dev) mount --rbind /dev "$root/dev" && mount --make-rslave "$root/dev" ;;
  esac
  mounted+=("$root/$fs")
done
cp /etc/resolv.conf "$root/etc/resolv.conf"

# The newcomer's own tool: git, which gave them the clone.
step "git" chroot "$root" /usr/bin/env DEBIAN_FRONTEND=noninteractive bash -c \
  'apt-get -q update && apt-get -y -q --no-install-recommends install git'
[ -z "$(git -C "$top" status --porcelain --untracked-files=no)" ] ||
  echo "   (the checkout has changes that are not committed: the clone has the committed tree)"
git clone -q "$top" "$root/root/lira"
echo "   clone of $(git -C "$root/root/lira" log -1 --format='%h %s' | cut -c1-70)"

step "first commands" in_root "bash scripts/readme-commands.sh"
expect "first commands" "ran as written"
grep -v '^the README' "$logs/first-commands.log" | sed 's/^/     /'
if [ "$run_tests" -eq 1 ]; then
  step "test command" in_root "bash scripts/test.sh"
  expect "test command" "== all tests passed"
  expect "test command" "== the checkout is as the tests found it"
  grep -h '^installed\|^installing\|tests passed, \|passed, [0-9]* failed\|every one ran clean' \
    "$logs/test-command.log" | sed 's/^/     /' || true
fi

echo
echo "== figures (step, time, packages it installed, size of the root after it)"
printf '   %s\n' "${figures[@]}"
echo "   in all: $(packages) packages, $(size_mib) MiB"
