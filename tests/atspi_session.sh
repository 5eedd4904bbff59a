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

# The buses and the services they start see no display: none needs one, and
# one that opened the private display would outlive it and complain.
unset DISPLAY
# A runtime directory of its own, so that the session's accessibility bus is
# private even when another session runs beside it.
runtime=$(mktemp -d)
export XDG_RUNTIME_DIR="$runtime"
server=
trap '[ -z "$server" ] || { kill "$server"; wait "$server"; }; rm -rf "$runtime"' EXIT
# Ended by a signal, the script still stops its server.
trap 'exit 1' HUP INT TERM

# Xvfb picks a free display itself and names it once it is ready, so that
# sessions started together cannot race for one. Only holders of a fresh
# cookie may connect: Xvfb takes every cookie in its file whatever display an
# entry names, and lets anyone in while the file has none, so the cookie is
# there before the display's number is known and the client's entry is added.
start_xvfb() {
  export XAUTHORITY="$runtime/Xauthority"
  cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
  : >"$XAUTHORITY"
  xauth -q add :0 . "$cookie"
  mkfifo "$runtime/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -auth "$XAUTHORITY" 3>"$runtime/display" \
    >"$runtime/xvfb.log" 2>&1 &
  server=$!
  read -r number <"$runtime/display" || { cat "$runtime/xvfb.log"; exit 1; }
  display=":$number"
  xauth -q add "$display" . "$cookie"
}

if [ "$platform" = orca ]; then
  for tool in Xvfb xauth orca speech-dispatcher; do command -v "$tool" >/dev/null 2>&1 || skip "$tool"; done
  # Orca and speech-dispatcher with settings of their own: the speech goes
  # to a file, and libao's null driver stands in for a sound device.
  export HOME="$runtime" XDG_CONFIG_HOME="$(cd "$(dirname "$0")" && pwd)/orca-config" GSETTINGS_BACKEND=memory \
    DELVORAN_SPEECH_LOG="$runtime/spoken.txt"
  echo default_driver=null >"$HOME/.libao"
  unset QT_QPA_PLATFORM
  start_xvfb
  dbus-run-session -- env DISPLAY="$display" /usr/bin/python3 "$(dirname "$0")/orca_session.py" "$2" "$3"
  exit
fi

if [ "$platform" = x11 ]; then
  for tool in Xvfb xauth xdotool xwininfo xprop; do command -v "$tool" >/dev/null 2>&1 || skip "$tool"; done
  # The accessibility bridge is not part of the offscreen platform.
  unset QT_QPA_PLATFORM
  start_xvfb
  dbus-run-session -- env DISPLAY="$display" $session
  exit
fi

command -v weston >/dev/null 2>&1 || skip weston
# Asked of the package system: the plugin's file name changes between Qt
# releases.
dpkg-query -W -f='${Status}' qt6-wayland 2>/dev/null | grep -q 'install ok installed' || skip qt6-wayland
export WAYLAND_DISPLAY=delvoran-test QT_QPA_PLATFORM=wayland
weston --backend=headless-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" --idle-time=0 >"$runtime/weston.log" 2>&1 &
server=$!
for _ in $(seq 100); do [ -S "$runtime/$WAYLAND_DISPLAY" ] && break; sleep 0.1; done
dbus-run-session -- $session
