#!/bin/sh
# Usage: gnome.sh SHOTS_DIR
#
# Plays the installed program (play.py) in a GNOME Shell session: headless,
# Wayland only, on a virtual monitor, with buses of its own, as a native
# Wayland client. Screenshots go to SHOTS_DIR. Exit status 1 when a check
# failed, 77 when GNOME Shell cannot start here. Needs, with
# --no-install-recommends: gnome-shell python3-dbusmock xdg-desktop-portal
# xdg-desktop-portal-gtk, besides the test tools (dbus-daemon at-spi2-core
# python3-pyatspi qt6-wayland).
set -u
here=$(cd "$(dirname "$0")" && pwd)
shots=$(mkdir -p "${1:?Usage: gnome.sh SHOTS_DIR}" && cd "$1" && pwd)
skip() { echo "GNOME Shell cannot start here: $1"; exit 77; }
export PYTHONDONTWRITEBYTECODE=1

if [ "${2:-}" != --in-session ]; then
  command -v delvoran >/dev/null 2>&1 || { echo "delvoran is not installed" >&2; exit 2; }
  for tool in gnome-shell dbus-daemon dbus-run-session gdbus; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
  done
  /usr/bin/python3 -c 'import dbusmock, pyatspi' 2>/dev/null || skip "python3-dbusmock or python3-pyatspi is not installed"
  runtime=$(mktemp -d)
  chmod 700 "$runtime"
  # The session's settings start from a key file, so that the test extension
  # is on before the shell reads them; nothing of the caller's is read.
  export XDG_RUNTIME_DIR="$runtime" HOME="$runtime/home" GSETTINGS_BACKEND=keyfile \
    XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland XDG_SESSION_DESKTOP=gnome \
    WAYLAND_DISPLAY=delvoran-gnome LIBGL_ALWAYS_SOFTWARE=1
  export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share"
  unset DISPLAY
  mkdir -p "$XDG_DATA_HOME/gnome-shell/extensions" "$XDG_CONFIG_HOME/glib-2.0/settings"
  ln -s "$here/gnome-extension" "$XDG_DATA_HOME/gnome-shell/extensions/delvoran-test@delvoran.cz"
  cat >"$XDG_CONFIG_HOME/glib-2.0/settings/keyfile" <<'EOF'
[org/gnome/shell]
enabled-extensions=['delvoran-test@delvoran.cz']
disable-user-extensions=false
disable-extension-version-validation=true
welcome-dialog-last-shown-version='999'

[org/gnome/desktop/interface]
enable-animations=false

[org/gnome/desktop/session]
idle-delay=uint32 0

[org/gnome/desktop/screensaver]
lock-enabled=false
EOF
  # A system bus of its own: the chroot's /run may be shared with others.
  cat >"$runtime/system.conf" <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=$runtime/system_bus_socket</listen>
  <auth>EXTERNAL</auth>
  <policy context="default"><allow user="*"/><allow own="*"/><allow send_destination="*"/><allow receive_sender="*"/></policy>
</busconfig>
EOF
  dbus-daemon --config-file="$runtime/system.conf" --nofork >"$runtime/system-bus.log" 2>&1 &
  system_bus=$!
  export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$runtime/system_bus_socket"
  for _ in $(seq 100); do [ -S "$runtime/system_bus_socket" ] && break; sleep 0.1; done
  # The shell asks logind about its session wherever /run/systemd/seats
  # exists, as it does in a chroot with systemd installed; a stand-in answers.
  /usr/bin/python3 -m dbusmock --system --template logind >"$runtime/logind.log" 2>&1 &
  logind=$!
  # The document portal, started by the portal Qt's decoration asks, leaves a
  # file system mounted in the runtime directory.
  trap 'kill $logind $system_bus; umount -l "$runtime/doc" 2>/dev/null; rm -rf "$runtime"' EXIT
  gdbus wait --system --timeout 20 org.freedesktop.login1 || skip "the stand-in for logind did not start"
  # The session bus and the services it starts talk a lot: that goes to a log.
  dbus-run-session -- "$0" "$shots" --in-session 3>&2 2>"$shots/session.log"
  exit
fi

gnome-shell --headless --wayland --no-x11 --virtual-monitor 1280x800 \
  --wayland-display="$WAYLAND_DISPLAY" >"$shots/gnome-shell.log" 2>&1 &
shell=$!
trap 'kill $shell 2>/dev/null; wait $shell' EXIT
ready() {
  gdbus call --session --timeout 5 --dest org.gnome.Shell --object-path /org/gnome/Shell \
    --method org.gnome.Shell.Eval 'delvoranTest.ready()' 2>/dev/null | grep -q "(true, 'true')"
}
# Software rendering on a busy machine: the first start can take a while.
deadline=$(($(date +%s) + 120))
until ready; do
  if ! kill -0 $shell 2>/dev/null || [ "$(date +%s)" -gt "$deadline" ]; then
    tail -n 40 "$shots/gnome-shell.log"
    skip "the shell did not become ready (its log is above)"
  fi
  sleep 0.2
done
/usr/bin/python3 "$here/gnome_desktop.py" "$shots" 2>&3
