#!/usr/bin/env bash
# Usage: tests/desktop/run.sh RELEASE
#
# Plays the installed game on the desktops players run, in the chroot of a
# Debian release (tools/in-release.sh), with what the README's test command
# built there: GNOME Shell (headless, Wayland), KWin on Wayland (nested in a
# virtual X server) and on X11, and Xfce's xfwm4. The desktops' packages go
# into the chroot only. Screenshots stay in the release's build folder,
# under desktop-shots/. Exits 75 when the release's packages could not be
# had, a fault outside this project.
set -euo pipefail
cd "$(dirname "$0")/../.."
exec tools/in-release.sh --no-refresh "$1" tests/desktop/sessions.sh
