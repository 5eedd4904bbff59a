#!/bin/sh
# Usage: atspi_session.sh x11|wayland|orca PROGRAM DICTIONARY_SOURCE
#
# Runs atspi_session.py against the program inside a private D-Bus session,
# on a virtual X server or natively on a private headless Weston, or with
# Orca listening on a virtual X server. Skipped (exit 77) when the tools for
# it are not installed.
platform=$1
here=$(cd "$(dirname "$0")" && pwd)
# The sessions import each other; no bytecode is left in the source tree.
export PYTHONDONTWRITEBYTECODE=1
session="/usr/bin/python3 $here/atspi_session.py $2 $3"
skip() { echo "$1 not installed: skipping the $platform session"; exit 77; }
need() { for tool in "$@"; do command -v "$tool" >/dev/null 2>&1 || skip "$tool"; done; }
need dbus-run-session /usr/bin/python3
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip python3-pyatspi
[ -e /usr/share/dbus-1/services/org.a11y.Bus.service ] || skip at-spi2-core

# The buses and the services they start see no display: none needs one, and
# one that opened the private display would outlive it and complain.
unset DISPLAY
[ "$platform" != wayland ] || exec "$here/on_weston.sh" dbus-run-session -- $session

# A runtime directory of its own, so that the session's accessibility bus is
# private even when another session runs beside it.
runtime=$(mktemp -d)
export XDG_RUNTIME_DIR="$runtime"
server=
trap '[ -z "$server" ] || { kill "$server"; wait "$server"; }; rm -rf "$runtime"' EXIT
# Ended by a signal, the script still stops its server.
trap 'exit 1' HUP INT TERM

if [ "$platform" = orca ]; then
  need Xvfb xauth orca speech-dispatcher
  # Orca and speech-dispatcher with settings of their own: the speech goes
  # to a file, and libao's null driver stands in for a sound device.
  export HOME="$runtime" XDG_CONFIG_HOME="$here/orca-config" GSETTINGS_BACKEND=memory \
    DELVORAN_SPEECH_LOG="$runtime/spoken.txt"
  echo default_driver=null >"$HOME/.libao"
else
  need Xvfb xauth xdotool xwininfo xprop
fi
# The accessibility bridge is not part of the offscreen platform.
unset QT_QPA_PLATFORM

# Xvfb picks a free display itself and names it once it is ready, so that
# sessions started together cannot race for one. Only holders of a fresh
# cookie may connect: Xvfb takes every cookie in its file whatever display an
# entry names, and lets anyone in while the file has none, so the cookie is
# there before the display's number is known and the client's entry is added.
export XAUTHORITY="$runtime/Xauthority"
cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
: >"$XAUTHORITY"
xauth -q add :0 . "$cookie"
mkfifo "$runtime/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -auth "$XAUTHORITY" 3>"$runtime/display" \
  >"$runtime/xvfb.log" 2>&1 &
server=$!
read -r number <"$runtime/display" || { cat "$runtime/xvfb.log"; exit 1; }
xauth -q add ":$number" . "$cookie"
dbus-run-session -- env DISPLAY=":$number" $session
