#!/usr/bin/env bash
# Installs, with apt-get, whatever Delvoran needs to build, run and test that
# this machine lacks. Used by run.sh and test.sh; safe to run again.
set -euo pipefail

packages=(
  cmake g++ make              # the build
  qt6-base-dev                # Qt 6 Widgets and Qt Test
  qt6-translations-l10n       # Qt's own texts in Czech (message box button)
  fonts-liberation            # metric-compatible faces for the layout's fonts
  dpkg-dev                    # dpkg-shlibdeps, for the .deb's library dependencies
  desktop-file-utils          # desktop-file-validate, for the menu entry's test
  appstream                   # appstreamcli, for the AppStream file's test
  groff-base                  # groff, for the manual page's test
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
echo "Installing ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
