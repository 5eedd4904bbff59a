#!/usr/bin/env bash
# Usage: tools/check-deb-install.sh [BUILD_DIR]
#
# What a player does with the .deb: builds it from a configured build folder
# (build/release by default), installs it with apt-get, starts the installed
# game, purges it, and fails if any of its files is left behind. It installs
# the game system-wide, so it is meant for CI and the release chroots
# (tools/in-release.sh), not for a desktop; needs root.
set -euo pipefail
build=$(cd "${1:-build/release}" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# apt reads the package as its own unprivileged user.
chmod 755 "$scratch"
cpack --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; exit 1; }
deb=$(echo "$scratch"/delvoran_*.deb)

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >"$scratch/apt.log" 2>&1 ||
  { cat "$scratch/apt.log"; exit 1; }
dpkg-query -L delvoran | sort -r >"$scratch/files"
# Still running when stopped means it started: no library or font missing.
status=0
timeout 3 /usr/games/delvoran -platform offscreen >"$scratch/game.log" 2>&1 || status=$?
[ "$status" -eq 124 ] || { echo "the installed game exited with $status:"; cat "$scratch/game.log"; exit 1; }

DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq delvoran >"$scratch/apt.log" 2>&1 ||
  { cat "$scratch/apt.log"; exit 1; }
if dpkg-query -W -f='${Status}\n' delvoran 2>/dev/null | grep -qv 'not-installed'; then
  echo "delvoran is still known to dpkg after the purge"; exit 1
fi
left=()
while read -r file; do
  # Folders the package shares with others, such as /usr/share, stay.
  if [ -e "$file" ] && [ ! -d "$file" ]; then left+=("$file"); fi
done <"$scratch/files"
[ ${#left[@]} -eq 0 ] || { echo "left after the purge: ${left[*]}"; exit 1; }
echo "$(basename "$deb"): installed, started and purged cleanly"
