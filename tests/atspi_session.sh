#!/bin/sh
# Runs atspi_session.py against the program inside a private D-Bus session and
# a virtual X server. Skipped (exit 77) when those tools are not installed.
for tool in dbus-run-session xvfb-run /usr/bin/python3; do
  command -v "$tool" >/dev/null 2>&1 || { echo "$tool not installed: skipping the AT-SPI session"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "python3-pyatspi not installed: skipping the AT-SPI session"; exit 77; }
[ -e /usr/share/dbus-1/services/org.a11y.Bus.service ] || { echo "at-spi2-core not installed: skipping the AT-SPI session"; exit 77; }
# The session needs a real X connection: the accessibility bridge is not part
# of the offscreen platform.
unset QT_QPA_PLATFORM
exec dbus-run-session -- xvfb-run -a /usr/bin/python3 "$(dirname "$0")/atspi_session.py" "$1"
