#!/usr/bin/env bash
# Usage: tools/compare-shots.sh BEFORE_BUILD_DIR AFTER_BUILD_DIR
#
# Whether two builds put the same pixels on the screen: the window tests of
# each build (tests/ under the build directory) play under a virtual X display
# of their own, at scale factors 1 and 2, and the test harness photographs the
# game's windows after every click and tick (DELVORAN_SHOTS_DIR). Every
# picture of one build must equal the other's pixel for pixel.
#
# Whether the tests pass does not matter here. Exit status: 0 when every
# picture matches, 1 when one differs or only one build took it, 2 when the
# comparison could not be run. The pictures are kept when they do not match.
set -euo pipefail

[ $# -eq 2 ] || { sed -n '2s/^# //p' "$0" >&2; exit 2; }
for tool in Xvfb:xvfb compare:imagemagick; do
  command -v "${tool%%:*}" >/dev/null || { echo "$0: needs ${tool%%:*} (apt-get install ${tool##*:})" >&2; exit 2; }
done
declare -A build=([before]=$1 [after]=$2)
tests=(test_play test_about)
for run in before after; do
  for test in "${tests[@]}"; do
    [ -x "${build[$run]}/tests/$test" ] || { echo "$0: no ${build[$run]}/tests/$test" >&2; exit 2; }
  done
  build[$run]=$(cd "${build[$run]}" && pwd)
done

work=$(mktemp -d -t delvoran-shots.XXXXXX)
xvfb=
trap '[ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true' EXIT

# shoot RUN SCALE: the pictures of one build at one scale, into $work/RUN/SCALE.
shoot() {
  local run=$1 scale=$2 out=$work/$1/$2 display=$work/display
  mkdir -p "$out" "$work/logs"
  # A fresh server for every run, so that neither run starts from what the
  # other left; it names a free display once it accepts connections. At
  # scale 2 the game window and the About window fit side by side.
  : >"$display"
  Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$display" >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do
    grep -q . "$display" && break
    kill -0 "$xvfb" 2>/dev/null || { echo "$0: Xvfb did not start" >&2; exit 2; }
    sleep 0.1
  done
  grep -q . "$display" || { echo "$0: Xvfb named no display" >&2; exit 2; }
  local failed=()
  for test in "${tests[@]}"; do
    DISPLAY=:$(head -n1 "$display") QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale DELVORAN_SHOTS_DIR=$out \
      timeout 600 "${build[$run]}/tests/$test" >"$work/logs/$run-$scale-$test.txt" 2>&1 || failed+=("$test")
  done
  kill "$xvfb"
  wait "$xvfb" 2>/dev/null || true
  xvfb=
  echo "$run, scale $scale: $(find "$out" -name '*.png' | wc -l) shots${failed[*]:+ (failing tests, logs in $work/logs: ${failed[*]})}"
}

# sums DIR: the checksum and name of each picture there.
sums() { (cd "$1" && find . -name '*.png' -printf '%f\0' | xargs -0r md5sum); }

shots=0
bad=()
for scale in 1 2; do
  shoot before "$scale"
  shoot after "$scale"
  before=$work/before/$scale after=$work/after/$scale
  shots=$((shots + $(find "$before" "$after" -name '*.png' -printf '%f\n' | sort -u | wc -l)))
  # Pictures the two runs both took, with different checksums, and those only
  # one of them took.
  while read -r taken name; do
    if [ "$taken" != both ]; then
      bad+=("$scale/$name: only $taken")
    else
      # Files can differ in their encoding alone; the pixels decide.
      pixels=$(compare -metric AE "$before/$name" "$after/$name" null: 2>&1) \
        || bad+=("$scale/$name: differs ($pixels)")
    fi
  done < <(awk 'FILENAME == ARGV[1] { sum[$2] = $1; next }
                !($2 in sum) { print "after", $2; next }
                sum[$2] != $1 { print "both", $2 }
                { delete sum[$2] }
                END { for (name in sum) print "before", name }' <(sums "$before") <(sums "$after") | sort -k2)
done

if [ ${#bad[@]} -eq 0 ]; then
  echo "$shots shots, 0 differ"
  rm -rf "$work"
  exit 0
fi
printf '%s\n' "${bad[@]}"
echo "$shots shots, ${#bad[@]} differ; pictures in $work/{before,after}/{1,2}"
exit 1
