#!/bin/sh
# Started with no display at all, the program says how to get one and fails;
# given a platform that needs none, it runs until it is stopped.
output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" 2>&1)
status=$?
[ "$status" -eq 1 ] || { echo "exit status $status, not 1: $output"; exit 1; }
case "$output" in
  *"needs a graphical display"*"xvfb-run ./run.sh"*) ;;
  *) echo "unexpected message: $output"; exit 1 ;;
esac
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 3 "$1" -platform offscreen >/dev/null 2>&1
status=$?
[ "$status" -eq 124 ] || { echo "with -platform offscreen: exit status $status, not still running"; exit 1; }
