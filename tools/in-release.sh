#!/usr/bin/env bash
# Usage: tools/in-release.sh [--no-refresh] RELEASE [COMMAND [ARGUMENT...]]
#
# Runs a command in a chroot of another Debian release, from the top of this
# source tree, so that a failure seen there can be reproduced here:
#   tools/in-release.sh trixie ./test.sh --werror
#   tools/in-release.sh sid                      # a shell there
# RELEASE is bookworm (12), trixie (13) or sid (unstable). Needs root.
#
# The chroot is made with debootstrap on first use, from the mirror this
# machine's own apt sources use, and kept in /var/cache/delvoran/chroots. Each
# use refreshes it (apt-get full-upgrade and the suite's packages) unless
# --no-refresh is given; one whose first preparation did not finish, or whose
# package database is broken, is made again. The tree is mounted at
# /delvoran, with build/ swapped for a folder of the release's own, so builds
# of different releases never mix. Every mount lives in a private mount
# namespace, so none outlives this script, however it ends.
#
# Exit status: the command's own, or 75 when the release itself could not be
# prepared (the mirror, debootstrap or the release's packages failed): a
# fault outside this project.
set -euo pipefail

refresh=true
if [ "${1:-}" = --no-refresh ]; then refresh=false; shift; fi
case "${1:-}" in
  bookworm | 12) release=bookworm ;;
  trixie | 13) release=trixie ;;
  sid | unstable) release=sid ;;
  *) sed -n '2,8s/^# \{0,1\}//p' "$0" >&2; exit 2 ;;
esac
shift
[ $# -gt 0 ] || set -- bash
[ "$(id -u)" -eq 0 ] || { echo "$0: needs root (for debootstrap, chroot and mount)" >&2; exit 2; }

tree=$(cd "$(dirname "$0")/.." && pwd)
cache=/var/cache/delvoran
root=$cache/chroots/$release
builds=$cache/builds/$release
ready=$root/.delvoran-ready
outside_fault=75

unprepared() {
  echo "Debian $release could not be prepared: $1. This is a fault of the" \
       "release or its mirror, not of Delvoran." >&2
  exit $outside_fault
}

# The first archive URI this machine's apt sources give for its own release
# (deb822 .sources files or the one-line format), so no host is written here.
host_mirror() {
  local codename
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  {
    cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
      awk -v suite="$codename" '
        /^[ \t]*$/ { if (has) print uri; uri = ""; has = 0; next }
        /^URIs:/ { uri = $2 }
        /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == suite) has = 1 }
        END { if (has) print uri }' || true
    cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
      sed -E 's/\[[^]]*\]//' | awk -v suite="$codename" '$1 == "deb" && $3 == suite { print $2 }' || true
  } | head -n1
}

is_broken() {
  [ ! -e "$ready" ] || ! chroot "$root" /bin/true 2>/dev/null ||
    ! chroot "$root" apt-get check -qq >/dev/null 2>&1
}

make_chroot() {
  local mirror
  mirror=$(host_mirror)
  [ -n "$mirror" ] || { echo "$0: found no Debian mirror in /etc/apt's sources" >&2; exit 2; }
  command -v debootstrap >/dev/null || {
    apt-get update -qq && apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
  } || unprepared "debootstrap could not be installed"
  echo "Making a chroot of Debian $release in $root from $mirror"
  rm -rf --one-file-system "$root" "$builds"
  mkdir -p "$root"
  debootstrap --variant=minbase --include=ca-certificates,git "$release" "$root" "$mirror" \
    >"$cache/debootstrap-$release.log" 2>&1 ||
    { tail -n 20 "$cache/debootstrap-$release.log" >&2; rm -rf --one-file-system "$root"; unprepared "debootstrap failed"; }
  # Unstable's Release file is often past its Valid-Until date; only there is
  # that expected rather than a sign of a stale mirror.
  if [ "$release" = sid ]; then
    echo 'Acquire::Check-Valid-Until "false";' >"$root/etc/apt/apt.conf.d/90delvoran-valid-until"
  fi
  # Documentation is not needed to build or test, and saves a third of the size.
  printf '%s\n' 'path-exclude /usr/share/doc/*' 'path-include /usr/share/doc/*/copyright' \
    'path-exclude /usr/share/man/*' >"$root/etc/dpkg/dpkg.cfg.d/90delvoran-nodoc"
}

mkdir -p "$cache/chroots" "$tree/build"
# Checking, making and refreshing the chroot take it alone; commands run in it
# side by side. Without this a check could take another use's apt run,
# half done, for a broken chroot and remove it under that use.
exec 9>"$cache/chroots/$release.lock"
flock --exclusive 9
if is_broken; then make_chroot; fi
mkdir -p "$builds" "$root/delvoran"
cp /etc/resolv.conf "$root/etc/resolv.conf"

# The rest runs in a mount namespace of its own, so the mounts below vanish
# with it even if this script is killed.
export root builds tree release refresh ready outside_fault
exec unshare --mount --propagation private -- bash -euo pipefail -c '
  mounts=()
  unmount() { for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -l "${mounts[i]}"; done; }
  trap unmount EXIT
  attach() { mount "$@"; mounts+=("${@: -1}"); }
  attach -t proc proc "$root/proc"
  attach --rbind /sys "$root/sys"
  attach --bind /dev "$root/dev"
  attach --bind /dev/pts "$root/dev/pts"
  [ -d /dev/shm ] && attach -t tmpfs tmpfs "$root/dev/shm"
  attach -t tmpfs tmpfs "$root/tmp"
  attach --bind "$tree" "$root/delvoran"
  attach --bind "$builds" "$root/delvoran/build"

  inside() {
    # The tree belongs to whoever cloned it, who need not be root.
    chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" CI="${CI:-}" \
      GIT_CONFIG_COUNT=1 GIT_CONFIG_KEY_0=safe.directory GIT_CONFIG_VALUE_0=/delvoran \
      PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive \
      bash -c "cd /delvoran && \"\$@\"" inside "$@"
  }
  if $refresh || [ ! -e "$ready" ]; then
    if ! inside sh -c "apt-get update -qq && apt-get full-upgrade -y -qq >/dev/null && tools/install-deps.sh --test >/dev/null"; then
      echo "Debian $release could not be prepared: its packages could not be installed." \
           "This is a fault of the release or its mirror, not of Delvoran." >&2
      exit $outside_fault
    fi
    touch "$ready"
  fi
  flock --shared 9
  inside "$@"
' in-release "$@"
