#!/usr/bin/env bash
# Remakes the README's screenshots from the real program: starts it under its
# own virtual display, plays a few letters, opens the About window and
# photographs both windows into docs/.
#   tools/take-screenshots.sh [path to the delvoran binary]
set -euo pipefail
cd "$(dirname "$0")/.."
binary=${1:-build/release/src/delvoran}

need=()
for tool in Xvfb:xvfb xdotool:xdotool import:imagemagick; do
  command -v "${tool%%:*}" >/dev/null || need+=("${tool##*:}")
done
if [ ${#need[@]} -gt 0 ]; then
  sudo=(); [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${need[@]}"
fi
[ -x "$binary" ] || { echo "no program at $binary: build it first (./run.sh or ./test.sh)" >&2; exit 1; }

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 680x400x24 -nolisten tcp &
xvfb=$!
trap 'kill $xvfb $game 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
"$binary" &
game=$!
window=$(xdotool search --sync --name '^Delvoran$' | head -n 1)
sleep 1

click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.2; }
key_at() {  # the on-screen key of a letter
  local index=$(( $(printf '%d' "'$1") - 65 ))
  click $((8 + 24 * (index % 13) + 10)) $((40 + 24 * (index / 13) + 10))
}

click 280 288                       # new word
for letter in E A O I K; do key_at "$letter"; done
import -window "$window" docs/game-window.png

click 176 176                       # "?"
about=$(xdotool search --sync --name '^O programu$' | head -n 1)
xdotool windowmove "$about" 340 40
sleep 0.5
import -window "$about" docs/about-window.png
echo "wrote docs/game-window.png and docs/about-window.png"
