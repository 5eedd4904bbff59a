#!/bin/sh
# Started with no display at all, the program says how to get one and fails.
output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" 2>&1)
status=$?
[ "$status" -eq 1 ] || { echo "exit status $status, not 1: $output"; exit 1; }
case "$output" in
  *"needs a graphical display"*"xvfb-run ./run.sh"*) ;;
  *) echo "unexpected message: $output"; exit 1 ;;
esac
