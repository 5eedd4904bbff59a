#!/bin/sh
# Usage: session.sh gnome|kwin-wayland|kwin-x11|xfwm4 SHOTS_DIR
#
# Plays the installed delvoran on a desktop started headless, with buses of
# its own: GNOME Shell on a virtual monitor, KWin on Wayland nested in a
# virtual X server (on both the game is a native Wayland client), kwin_x11 or
# Xfce's xfwm4 on a virtual X server. Screenshots and logs go to SHOTS_DIR.
# Exits 1 when a check failed, 77 when the desktop cannot start here.
set -u
mode=${1:-} shots=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
usage() { sed -n '2p' "$0" >&2; exit 2; }
cannot() { echo "the $mode session cannot start here: $*"; exit 77; }
log() { tail -n 40 "$shots/$1.log"; }
case $mode in
  gnome) tools="gnome-shell dbus-daemon" modules="dbusmock, pyatspi" ;;
  kwin-wayland | kwin-x11 | xfwm4)
    tools="$(echo "$mode" | tr - _) Xvfb xdotool xprop xwininfo import" modules="gi, pyatspi" ;;
  *) usage ;;
esac
[ -n "$shots" ] || usage

if [ -z "${DELVORAN_SESSION_BUS:-}" ]; then
  for tool in $tools dbus-run-session gdbus python3 delvoran; do
    command -v "$tool" >/dev/null 2>&1 || cannot "$tool is not installed"
  done
  python3 -c "import $modules" 2>/dev/null || cannot "one of the Python modules $modules is not installed"
  mkdir -p "$shots"
  runtime=$(mktemp -d)
  chmod 700 "$runtime"
  export XDG_RUNTIME_DIR="$runtime" HOME="$runtime/home" PYTHONDONTWRITEBYTECODE=1 PYTHONPATH="$here/.."
  export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share"
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
  # kwin_wayland aborts at start without plasma-integration when it believes
  # it runs inside a full Plasma session.
  unset KDE_FULL_SESSION WAYLAND_DISPLAY QT_QPA_PLATFORM DISPLAY
  services=
  # The document portal, started by the portal Qt's decoration asks, leaves a
  # file system mounted in the runtime directory.
  trap 'kill $services 2>/dev/null; umount -l "$runtime/doc" 2>/dev/null; rm -rf "$runtime"' EXIT
  trap 'exit 1' HUP INT TERM
  if [ "$mode" = gnome ]; then
    # The session's settings start from a key file, so that the test extension
    # is on before the shell reads them; nothing of the caller's is read.
    export GSETTINGS_BACKEND=keyfile XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland XDG_SESSION_DESKTOP=gnome \
      WAYLAND_DISPLAY=delvoran-gnome LIBGL_ALWAYS_SOFTWARE=1
    mkdir -p "$XDG_DATA_HOME/gnome-shell/extensions" "$XDG_CONFIG_HOME/glib-2.0/settings"
    ln -s "$here/gnome-extension" "$XDG_DATA_HOME/gnome-shell/extensions/delvoran-test@delvoran.cz"
    cp "$here/gnome-settings.keyfile" "$XDG_CONFIG_HOME/glib-2.0/settings/keyfile"
    # A system bus of its own, as the chroot's /run may be shared with others;
    # a session bus's rules let the stand-in for logind below take its name.
    export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$runtime/system_bus_socket"
    dbus-daemon --session --address="$DBUS_SYSTEM_BUS_ADDRESS" --nofork >"$shots/system-bus.log" 2>&1 &
    services=$!
    for _ in $(seq 100); do [ -S "$runtime/system_bus_socket" ] && break; sleep 0.1; done
    # The shell asks logind about its session wherever /run/systemd/seats
    # exists, as it does in a chroot with systemd installed; a stand-in answers.
    python3 -m dbusmock --system --template logind >"$shots/logind.log" 2>&1 &
    services="$! $services"
    gdbus wait --system --timeout 20 org.freedesktop.login1 || cannot "the stand-in for logind did not start"
  fi
  # The session bus and the services it starts talk a lot: that goes to a log.
  DELVORAN_SESSION_BUS=1 dbus-run-session -- "$0" "$@" 3>&2 2>"$shots/session.log"
  exit
fi

pids=
# Not waited for: unstable's xfwm4 at times never stops when asked, and
# contained, whatever is left ends with the session anyway.
trap 'kill $pids 2>/dev/null' EXIT
# Polls ready for up to the seconds given.
until_ready() {
  for _ in $(seq $(($1 * 10))); do ready >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}
if [ "$mode" != gnome ]; then
  # Xvfb picks a free display and writes its number once it accepts clients.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$XDG_RUNTIME_DIR/display" >"$shots/xvfb.log" 2>&1 &
  pids=$!
  ready() { test -s "$XDG_RUNTIME_DIR/display"; }
  until_ready 30 || { log xvfb; cannot "Xvfb did not start"; }
  export DISPLAY=":$(cat "$XDG_RUNTIME_DIR/display")"
fi

has_wm() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
server=${tools%% *} patience=30
case $mode in
  gnome)
    gnome-shell --headless --wayland --no-x11 --virtual-monitor 1280x800 \
      --wayland-display="$WAYLAND_DISPLAY" >"$shots/gnome-shell.log" 2>&1 &
    ready() {
      gdbus call --session --timeout 5 --dest org.gnome.Shell --object-path /org/gnome/Shell \
        --method org.gnome.Shell.Eval 'delvoranTest.ready()' | grep -q "(true, 'true')"
    }
    # Software rendering on a busy machine: the first start can take a while.
    patience=120 ;;
  kwin-wayland)
    export WAYLAND_DISPLAY=delvoran-kwin
    kwin_wayland --x11-display "$DISPLAY" --socket "$WAYLAND_DISPLAY" --width 1024 --height 768 \
      >"$shots/kwin_wayland.log" 2>&1 &
    ready() {
      [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && xwininfo -root -children | grep -q '"KDE Wayland Compositor' &&
        gdbus introspect --session --dest org.kde.KWin --object-path /Scripting
    } ;;
  kwin-x11)
    # Plasma starts the shortcut daemon beside kwin_x11; without it no
    # shortcut would reach KWin and the shortcut's check would prove nothing.
    accel=$(ls /usr/lib/*/libexec/kglobalacceld 2>/dev/null | head -n1)
    [ -n "$accel" ] || cannot "kglobalacceld is not installed"
    "$accel" >"$shots/kglobalacceld.log" 2>&1 &
    pids="$! $pids"
    kwin_x11 >"$shots/kwin_x11.log" 2>&1 &
    ready() { has_wm && gdbus introspect --session --dest org.kde.kglobalaccel --object-path /kglobalaccel; } ;;
  xfwm4)
    xfwm4 --compositor=off >"$shots/xfwm4.log" 2>&1 &
    ready() { has_wm; } ;;
esac
pids="$! $pids"
until_ready $patience || { log "$server"; cannot "$server did not start"; }
python3 "$here/desktops.py" "$mode" "$shots" 2>&3
