#!/usr/bin/env bash
# Runs the README's two commands, word for word, on a clean clone of this
# project inside a fresh Debian 12 root (debootstrap, minbase, as root): the
# check that a build machine with everything already installed cannot make.
#
# Usage: scripts/fresh-debian-check.sh [--demo] [--test] [--fallback] [--keep]
#   --demo, --test  run only the README's first (demonstration) or second
#                   (test) command; without either, both, in the README's order
#   --fallback      where this machine cannot make such a root, say why and
#                   run the same commands here, in this checkout, instead
#   --keep          keep the root afterwards (its path is printed)
# The root goes under $KOVARY_FRESH_DIR (default: $TMPDIR or /tmp); the
# mirror is the one apt uses here, or $KOVARY_DEBIAN_MIRROR.
# Exit code: that of the first command that failed, 0 when all passed, 3 when
# no root could be made and --fallback was not given, 2 on a usage error.
set -uo pipefail
cd "$(dirname "$0")/.."
project=$(pwd)

want_demo=0 want_test=0 fallback=0 keep=0
for arg in "$@"; do
  case "$arg" in
    --demo) want_demo=1 ;;
    --test) want_test=1 ;;
    --fallback) fallback=1 ;;
    --keep) keep=1 ;;
    *) echo "fresh-debian-check: unknown option '$arg'" >&2; exit 2 ;;
  esac
done
if [ $want_demo = 0 ] && [ $want_test = 0 ]; then want_demo=1 want_test=1; fi

# The README's commands: the lines of its first sh block, each without its comment.
mapfile -t readme_cmds < <(awk '/^```sh$/ {inside = 1; next} inside && /^```/ {exit} inside' README.md |
  sed -e 's/[[:space:]]*#.*$//' -e '/^[[:space:]]*$/d')
if [ ${#readme_cmds[@]} -ne 2 ]; then
  echo "fresh-debian-check: README.md's first sh block should hold exactly two commands, found ${#readme_cmds[@]}" >&2
  exit 2
fi
cmds=()
[ $want_demo = 1 ] && cmds+=("${readme_cmds[0]}")
[ $want_test = 1 ] && cmds+=("${readme_cmds[1]}")

run_here() {
  local rc=0
  for c in "${cmds[@]}"; do
    echo "== $c (in $project)"
    bash -c "$c" || { rc=$?; echo "fresh-debian-check: '$c' failed with exit code $rc"; return $rc; }
  done
}

cannot_make_root() {
  echo "fresh-debian-check: cannot make a fresh Debian 12 root on this machine: $1"
  if [ $fallback = 1 ]; then
    echo "fresh-debian-check: running the README's commands in this checkout instead"
    run_here
    exit $?
  fi
  exit 3
}

[ "$(id -u)" = 0 ] || cannot_make_root "it needs root rights (debootstrap, chroot and mount)"
if ! command -v debootstrap >/dev/null; then
  echo "fresh-debian-check: installing debootstrap"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null 2>&1 ||
    { apt-get update -qq >/dev/null 2>&1 &&
      DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null 2>&1; }
  command -v debootstrap >/dev/null || cannot_make_root "debootstrap is not installed and apt-get could not install it"
fi
command -v unshare >/dev/null || cannot_make_root "unshare (util-linux) is missing"
# Mounts are made in a mount namespace of their own, so none outlives the check.
unshare --mount true 2>/dev/null || cannot_make_root "it may not make a mount namespace (unshare --mount failed)"

mirror=${KOVARY_DEBIAN_MIRROR:-}
[ -n "$mirror" ] || mirror=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null)
[ -n "$mirror" ] || mirror=$(awk '/^deb / {print $2; exit}' /etc/apt/sources.list 2>/dev/null)
[ -n "$mirror" ] || mirror=http://deb.debian.org/debian

root=$(mktemp -d "${KOVARY_FRESH_DIR:-${TMPDIR:-/tmp}}/kovary-fresh-debian.XXXXXX") ||
  cannot_make_root "no folder for it could be made"
remove_root() {
  # Never remove a folder that still has something mounted inside it.
  if grep -q " $root/" /proc/mounts; then
    echo "fresh-debian-check: $root still has mounts; left in place"
  elif [ $keep = 1 ]; then
    echo "fresh-debian-check: the root is kept in $root"
  else
    rm -rf "$root"
  fi
}
trap remove_root EXIT

echo "fresh-debian-check: making a Debian 12 (bookworm, minbase) root in $root from $mirror"
start=$(date +%s)
if ! debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.debootstrap.log" 2>&1; then
  reason="debootstrap failed: $(tail -n 1 "$root.debootstrap.log")"
  rm -f "$root.debootstrap.log"
  cannot_make_root "$reason"
fi
rm -f "$root.debootstrap.log"
echo "fresh-debian-check: root made in $(( $(date +%s) - start )) s"
cp /etc/resolv.conf "$root/etc/resolv.conf"

# A clean clone of what is committed, as a new user would have it.
if git -C "$project" rev-parse --git-dir >/dev/null 2>&1; then
  [ -z "$(git -C "$project" status --porcelain --untracked-files=no)" ] ||
    echo "fresh-debian-check: warning: uncommitted changes are not in the clone; it checks the last commit"
  git clone -q "$project" "$root/root/project" || cannot_make_root "git clone of $project failed"
else
  mkdir -p "$root/root/project" &&
    tar -C "$project" --exclude=./build -cf - . | tar -C "$root/root/project" -xf - ||
    cannot_make_root "copying $project failed"
fi

# Inside the namespace: /proc and /dev (with its pts and shm) for the build and
# the tests, then each command with nothing of this machine's environment.
inner='
set -u
root=$1; shift
mount -t proc proc "$root/proc" && mount --rbind /dev "$root/dev" || exit 100
rc=0
for c in "$@"; do
  echo "== $c (in a fresh Debian 12 root)"
  start=$(date +%s)
  chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    /bin/bash -c "cd /root/project && $c"
  r=$?
  echo "fresh-debian-check: \"$c\" exited with $r after $(( $(date +%s) - start )) s"
  if [ $r != 0 ]; then rc=$r; break; fi
done
exit $rc
'
unshare --mount --propagation private bash -c "$inner" inner "$root" "${cmds[@]}"
rc=$?
[ $rc = 100 ] && cannot_make_root "mounting /proc and /dev inside it failed"
if [ $rc = 0 ]; then
  echo "fresh-debian-check: the README's commands passed on a fresh Debian 12 root"
else
  echo "fresh-debian-check: FAILED on a fresh Debian 12 root (exit code $rc)"
fi
exit $rc
