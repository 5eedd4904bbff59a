#!/bin/sh
# Usage: xvfb_session.sh kwin-wayland|kwin-x11|xfwm4 SHOTS_DIR
#
# Plays the installed delvoran on a desktop of a virtual X server: KWin on
# Wayland nested in it, kwin_x11, or Xfce's xfwm4, each in a private D-Bus
# session, and keeps screenshots in SHOTS_DIR. Exits 77 when the desktop
# cannot start here.
set -u
mode=${1:-} shots=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
cannot() { echo "the $mode session cannot start here: $*"; exit 77; }
case $mode in
  kwin-wayland) manager=kwin_wayland ;;
  kwin-x11) manager=kwin_x11 ;;
  xfwm4) manager=xfwm4 ;;
  *) sed -n '2p' "$0" >&2; exit 2 ;;
esac
[ -n "$shots" ] || { sed -n '2p' "$0" >&2; exit 2; }
for tool in $manager Xvfb xdotool xprop xwininfo import dbus-run-session gdbus python3 delvoran; do
  command -v "$tool" >/dev/null 2>&1 || cannot "$tool is not installed"
done
python3 -c 'import gi, pyatspi' 2>/dev/null || cannot "python3-gi or python3-pyatspi is not installed"

# The whole session runs inside a bus of its own, gone when it ends.
if [ -z "${DELVORAN_SESSION_BUS:-}" ]; then
  DELVORAN_SESSION_BUS=1 exec dbus-run-session -- "$0" "$@"
fi
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime" HOME="$runtime" PYTHONDONTWRITEBYTECODE=1
# kwin_wayland aborts at start without plasma-integration when it believes
# it runs inside a full Plasma session.
unset KDE_FULL_SESSION WAYLAND_DISPLAY QT_QPA_PLATFORM
pids=
trap 'for pid in $pids; do kill $pid 2>/dev/null; done; wait; rm -rf "$runtime"' EXIT

# Polls for up to 30 seconds.
until_ready() {
  for _ in $(seq 300); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}
log() { tail -n 15 "$runtime/$1.log"; }

# Xvfb picks a free display and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$runtime/display" >"$runtime/xvfb.log" 2>&1 &
pids="$!"
until_ready test -s "$runtime/display" || { log xvfb; cannot "Xvfb did not start"; }
export DISPLAY=":$(cat "$runtime/display")"

has_wm() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
case $mode in
  kwin-wayland)
    export WAYLAND_DISPLAY=delvoran-kwin
    kwin_wayland --x11-display "$DISPLAY" --socket "$WAYLAND_DISPLAY" --width 1024 --height 768 \
      >"$runtime/kwin.log" 2>&1 &
    ready() { [ -S "$runtime/$WAYLAND_DISPLAY" ] && xwininfo -root -children | grep -q '"KDE Wayland Compositor' &&
      gdbus introspect --session --dest org.kde.KWin --object-path /Scripting; }
    driver="kwin_desktop.py" ;;
  kwin-x11)
    # Plasma starts the shortcut daemon beside kwin_x11; without it no
    # shortcut would reach KWin and the shortcut's check would prove nothing.
    accel=$(ls /usr/lib/*/libexec/kglobalacceld 2>/dev/null | head -n1)
    [ -n "$accel" ] || cannot "kglobalacceld is not installed"
    "$accel" >"$runtime/kglobalacceld.log" 2>&1 &
    pids="$! $pids"
    kwin_x11 >"$runtime/kwin.log" 2>&1 &
    ready() { has_wm && gdbus introspect --session --dest org.kde.kglobalaccel --object-path /kglobalaccel; }
    driver="x11_desktop.py kwin" ;;
  xfwm4)
    xfwm4 --compositor=off >"$runtime/xfwm4.log" 2>&1 &
    ready() { has_wm; }
    driver="x11_desktop.py xfwm4" ;;
esac
pids="$! $pids"
until_ready ready || { log "${manager%_*}"; cannot "$manager did not start"; }

mkdir -p "$shots"
start=$(date +%s)
python3 "$here/${driver%% *}" ${driver#*.py} "$shots"
status=$?
echo "the $mode session took $(($(date +%s) - start)) s"
exit $status
