#!/usr/bin/env bash
# Installs, with apt-get, whatever Delvoran needs that this machine lacks:
# what the build and the game need, and with --test also the tools the test
# suite checks with. Used by run.sh and test.sh; safe to run again.
set -euo pipefail

packages=(
  cmake g++ make              # the build
  qt6-base-dev                # Qt 6 Widgets and Qt Test
  qt6-translations-l10n       # Qt's own texts in Czech (message box button)
  fonts-liberation            # metric-compatible faces for the layout's fonts
)
if [ "${1:-}" = --test ]; then
  packages+=(
    dpkg-dev                  # dpkg-shlibdeps, for the .deb's library dependencies
    desktop-file-utils        # desktop-file-validate, for the menu entry's test
    appstream                 # appstreamcli, for the AppStream file's test
    groff-base                # groff, for the manual page's test
    xvfb xauth                # a virtual X server for the screen-reader session
    xdotool x11-utils         # to restack its windows and read their order
    dbus-daemon               # a private D-Bus session for it
    at-spi2-core python3-pyatspi  # the accessibility bus and a client for it
    clang-format clang-tidy   # the style checks of test.sh --werror
    lintian                   # Debian's checks of the built package
    weston qt6-wayland        # a private Wayland compositor, and Qt's client for it
    orca speech-dispatcher    # the screen reader, and its speech server set to write to a file
  )
fi

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
