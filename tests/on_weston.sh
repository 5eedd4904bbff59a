#!/bin/sh
# Usage: on_weston.sh PROGRAM [ARGUMENT...]
# Runs a test program natively on a private headless Weston; skipped (exit
# 77) when Weston or Qt's Wayland client is not installed.
command -v weston >/dev/null 2>&1 || { echo "weston not installed: skipping"; exit 77; }
# Asked of the package system: the plugin's file name changes between Qt
# releases.
dpkg-query -W -f='${Status}' qt6-wayland 2>/dev/null | grep -q 'install ok installed' ||
  { echo "qt6-wayland not installed: skipping"; exit 77; }
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR WAYLAND_DISPLAY=delvoran-test QT_QPA_PLATFORM=wayland
unset DISPLAY
weston --backend=headless-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" --idle-time=0 \
  >"$XDG_RUNTIME_DIR/weston.log" 2>&1 &
weston=$!
trap 'kill $weston; rm -rf "$XDG_RUNTIME_DIR"' EXIT
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break; sleep 0.1; done
"$@"
