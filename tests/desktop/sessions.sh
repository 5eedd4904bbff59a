#!/bin/sh
# Run inside a release's chroot (tools/in-release.sh RELEASE
# tests/desktop/sessions.sh), from the top of the tree, after the README's
# test command built the game there: installs the desktops and the game (as
# from source, into /usr), then plays it on each desktop. Exits 1 when any
# session fails or cannot start, 75 when the release's packages could not be
# had, a fault outside this project.
set -u
packages="gnome-shell python3-dbusmock xdg-desktop-portal xdg-desktop-portal-gtk
  kwin-wayland kwin-x11 kwin-style-breeze kglobalacceld xfwm4 imagemagick libglib2.0-bin procps"
# shellcheck disable=SC2086 # a list of names
apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=600 $packages >/dev/null 2>&1 || {
  echo "the desktops' packages could not be installed: a fault of the release or its mirror"; exit 75; }
cmake --install build/release --prefix /usr >build/desktop-install.log || { cat build/desktop-install.log; exit 1; }

failed=""
# A source install refreshes the icon cache, or GNOME shows a generic icon.
if grep -q cz.delvoran.Delvoran /usr/share/icons/hicolor/icon-theme.cache; then
  echo "ok: the source install refreshed the icon cache"
else
  echo "FAIL: the icon cache does not know the game's icon after a source install"; failed=icon-cache
fi
for name in gnome kwin-wayland kwin-x11 xfwm4; do
  echo "== $name"
  # Contained, so that nothing of one session outlives it, and given five
  # minutes: one that hangs fails here rather than holding up the whole run.
  tools/contained.sh --limit 300 tests/desktop/session.sh "$name" "build/desktop-shots/$name" ||
    failed="$failed $name"
done
[ -z "$failed" ] || { echo "== desktop sessions failed:$failed"; exit 1; }
echo "== every desktop session passed; screenshots in the release's build folder, desktop-shots/"
