#!/bin/sh
# Usage: atspi_session.sh x11|wayland PROGRAM
#        atspi_session.sh orca PROGRAM DICTIONARY_SOURCE
#
# Runs atspi_session.py against the program inside a private D-Bus session,
# on a virtual X server or natively on a private headless Weston; or
# orca_session.py, with Orca listening, on a virtual X server. Skipped
# (exit 77) when the tools for it are not installed.
platform=$1
# The sessions import each other; no bytecode is left in the source tree.
export PYTHONDONTWRITEBYTECODE=1
session="/usr/bin/python3 $(dirname "$0")/atspi_session.py $2"
skip() { echo "$1 not installed: skipping the $platform session"; exit 77; }
for tool in dbus-run-session /usr/bin/python3; do command -v "$tool" >/dev/null 2>&1 || skip "$tool"; done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip python3-pyatspi
[ -e /usr/share/dbus-1/services/org.a11y.Bus.service ] || skip at-spi2-core

# A runtime directory of its own, so that the session's accessibility bus is
# private even when another session runs beside it.
runtime=$(mktemp -d)
export XDG_RUNTIME_DIR="$runtime"
trap 'rm -rf "$runtime"' EXIT

if [ "$platform" = orca ]; then
  for tool in xvfb-run orca speech-dispatcher; do command -v "$tool" >/dev/null 2>&1 || skip "$tool"; done
  # Orca and speech-dispatcher with settings of their own: the speech goes
  # to a file, and libao's null driver stands in for a sound device.
  export HOME="$runtime" XDG_CONFIG_HOME="$(cd "$(dirname "$0")" && pwd)/orca-config" GSETTINGS_BACKEND=memory \
    DELVORAN_SPEECH_LOG="$runtime/spoken.txt"
  echo default_driver=null >"$HOME/.libao"
  unset QT_QPA_PLATFORM
  dbus-run-session -- xvfb-run -a /usr/bin/python3 "$(dirname "$0")/orca_session.py" "$2" "$3"
  exit
fi

if [ "$platform" = x11 ]; then
  for tool in xvfb-run xdotool xwininfo; do command -v "$tool" >/dev/null 2>&1 || skip "$tool"; done
  # The accessibility bridge is not part of the offscreen platform.
  unset QT_QPA_PLATFORM
  dbus-run-session -- xvfb-run -a $session
  exit
fi

command -v weston >/dev/null 2>&1 || skip weston
# Asked of the package system: the plugin's file name changes between Qt
# releases.
dpkg-query -W -f='${Status}' qt6-wayland 2>/dev/null | grep -q 'install ok installed' || skip qt6-wayland
export WAYLAND_DISPLAY=delvoran-test QT_QPA_PLATFORM=wayland
unset DISPLAY
weston --backend=headless-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" --idle-time=0 >"$runtime/weston.log" 2>&1 &
weston=$!
trap 'kill $weston; rm -rf "$runtime"' EXIT
for _ in $(seq 100); do [ -S "$runtime/$WAYLAND_DISPLAY" ] && break; sleep 0.1; done
dbus-run-session -- $session
