#!/usr/bin/env bash
# Start-up time, memory and idle CPU of the game against the floor (a bare
# Qt window showing one line of text), under a private Xvfb and session bus;
# then idle CPU again as native clients of a private headless Weston.
#
#   bench/run.sh [N]          N rounds, 10 by default (about 12 minutes)
#
# Environment:
#   DELVORAN_BENCH_BUILD   build folder (default: build/bench in the work tree);
#                          the game is built in its game/, the floor in floor/,
#                          the results go to its results/
#   DELVORAN_BENCH_IDLE_S  seconds of each idle measurement (default 10)
#
# Each round starts the game and the floors once each, in alternating order,
# so that any drift of the machine over the run hits both alike.
set -euo pipefail

rounds=${1:-10}
[[ $rounds =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [rounds]" >&2; exit 2; }

bench_dir=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$bench_dir")
build=${DELVORAN_BENCH_BUILD:-$root/build/bench}
idle_s=${DELVORAN_BENCH_IDLE_S:-10}
game_build=$build/game
floor_build=$build/floor
results=$build/results
soak_events=200000

# Points in the game window's client area, in pixels.
new_word_at=(280 288)
about_at=(176 176)
# Far from both windows (the game's is 328 x 364 at the top left, the About
# window's 312 x 217 over it), so no hover, tooltip or drag reaches them.
away_at=(790 590)

# ------------------------------------------------------------------ set-up

install_missing() {
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
      || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "Installing ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

if [ -z "${DELVORAN_BENCH_IN_BUS:-}" ]; then
  # What the game itself needs to build (its own list), then what the bench adds.
  if [ -x "$root/tools/install-deps.sh" ]; then
    "$root/tools/install-deps.sh"
  else
    install_missing cmake g++ make qt6-base-dev fonts-liberation
  fi
  install_missing xvfb xdotool procps dbus-daemon weston qt6-wayland python3-pyatspi at-spi2-core
  # A desktop session has a session bus, and Qt talks to it at start-up
  # (accessibility, theme). Without one, libdbus may autolaunch a bus per X
  # display that outlives the run; a private bus that ends with this script
  # gives both programs the same, known surroundings.
  DELVORAN_BENCH_IN_BUS=1 exec dbus-run-session -- "$BASH" "$0" "$@"
fi

mkdir -p "$build"
build_log=$build/build.log
: >"$build_log"
quiet() {  # the build's chatter goes to the log, shown only when it fails
  "$@" >>"$build_log" 2>&1 || { tail -n 40 "$build_log" >&2; echo "failed: $*" >&2; exit 1; }
}
echo "Building the game (Release) in $game_build"
(cd "$root" && quiet cmake --preset bench -B "$game_build")
quiet cmake --build "$game_build" --target delvoran -j"$(nproc)"
# The soak test belongs to the test suite; built only if the suite has it.
# (The target list is read whole: grep -q closing the pipe early would fail
# it under pipefail.)
targets=$(cmake --build "$game_build" --target help 2>/dev/null || true)
if grep -qw test_soak <<<"$targets"; then
  echo "Building the soak test"
  quiet cmake --build "$game_build" --target test_soak -j"$(nproc)"
fi
echo "Building the floor (Release) in $floor_build"
quiet cmake -S "$bench_dir" -B "$floor_build" -DCMAKE_BUILD_TYPE=Release
quiet cmake --build "$floor_build" --target floor blink_floor frame_floor -j"$(nproc)"

game_bin=$game_build/src/delvoran
floor_bin=$floor_build/floor
blink_bin=$floor_build/blink_floor
frame_bin=$floor_build/frame_floor
rm -rf "$results"
mkdir -p "$results"

# ------------------------------------------------------------------- Xvfb

xvfb_pid=
weston_pid=
weston_dir=
app_pid=
err_fd=
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null
  [ -n "$weston_dir" ] && rm -rf "$weston_dir"
  return 0
}
trap cleanup EXIT
trap 'exit 130' INT TERM

start_xvfb() {
  local n
  for n in $(seq 90 199); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    # -noreset: by default the server resets whenever its last client
    # leaves, and an xdotool call that comes in during the reset fails.
    Xvfb ":$n" -screen 0 800x600x24 -nolisten tcp -noreset >"$results/xvfb.log" 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 100); do
      if xdotool getdisplaygeometry >/dev/null 2>&1; then return 0; fi
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.05
    done
    # Lost the race for that number, or it would not start: try the next.
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
  done
  echo "could not start Xvfb on any display from :90 to :199" >&2
  exit 1
}
start_xvfb
echo "Xvfb on $DISPLAY"
# The display server whose CPU is shown beside the program's.
server_pid=$xvfb_pid
# Set for the programs started; the Wayland rounds change it.
app_env=()

# The started program's standard error comes through this pipe, so the
# first-frame line is waited for by a blocking read: polling a file instead
# would fork a reader every few milliseconds on the same two cores as the
# start-up being timed. Held open for reading and writing, so neither end
# ever blocks on open.
err_fifo=$results/stderr.fifo
mkfifo "$err_fifo"
exec {err_fd}<>"$err_fifo"

# ------------------------------------------------------------ measurements

clk_tck=$(getconf CLK_TCK)

# utime + stime of the whole process, all threads, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# Time on CPU of all live threads in milliseconds, from schedstat: finer
# than clock ticks, which are sampled at the tick and so good to 10 ms only.
cpu_precise_ms() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%.1f\n", s / 1e6 }'; }

# Prints "stat_ms precise_ms server_ms" for $idle_s seconds of the process.
measure_idle() {
  local pid=$1 t0 n0 x0 t1 n1 x1
  t0=$(cpu_ticks "$pid"); n0=$(cpu_precise_ms "$pid"); x0=$(cpu_precise_ms "$server_pid")
  sleep "$idle_s"
  t1=$(cpu_ticks "$pid"); n1=$(cpu_precise_ms "$pid"); x1=$(cpu_precise_ms "$server_pid")
  awk -v t=$((t1 - t0)) -v n0="$n0" -v n1="$n1" -v x0="$x0" -v x1="$x1" -v hz="$clk_tck" \
    'BEGIN { printf "%.0f %.1f %.1f\n", t * 1000 / hz, n1 - n0, x1 - x0 }'
}

major_faults() { awk '{ print $12 }' "/proc/$1/stat"; }

# This machine pages out file pages left untouched for about a minute
# (proactive reclaim), and a round lasts about that long: without help the
# game, whose libraries, fonts and pictures the floor never touches, would
# start on a half-cold page cache and pay disk reads the floor does not.
# So before every start both programs' mapped files are read back in; the
# list comes from the warm-up starts' /proc/PID/maps.
mapped_files=$results/mapped-files.txt
: >"$mapped_files"
collect_mapped_files() {
  awk '$6 ~ /^\// { print $6 }' "/proc/$1/maps" >>"$mapped_files"
  # Read or mapped only for a moment at each start, so missing from the maps:
  # fontconfig's configuration, the loader's cache, and the Qt plugins whose
  # metadata Qt reads while choosing which to load.
  {
    find /etc/fonts /usr/share/fontconfig -name '*.conf' -type f
    echo /etc/ld.so.cache
    find "$(qmake6 -query QT_INSTALL_PLUGINS)" -name '*.so' -type f
  } 2>/dev/null >>"$mapped_files" || true
}
warm_page_cache() {
  # Names like /memfd:xorg are no files; cat skips them and goes on.
  sort -u "$mapped_files" | xargs -r -d '\n' cat -- >/dev/null 2>&1 || true
}

peak_rss_mib() { awk '/^VmHWM:/ { printf "%.1f\n", $2 / 1024 }' "/proc/$1/status"; }

# Headless Weston has no pointer to move.
pointer_away() { [ -n "$weston_pid" ] || xdotool mousemove "${away_at[@]}"; }

# Starts the program with the exec time in its environment and waits for its
# first-frame line; sets app_pid, first_ms, first_cpu_ms (CPU time the
# process had used by then, all threads) and first_majflt (major page faults
# by then: reads from disk, which a warm page cache should leave at 0).
launch() {
  local bin=$1 err=$2 line
  warm_page_cache
  pointer_away
  : >"$err"
  env "${app_env[@]}" DELVORAN_EXEC_NS="$(date +%s%N)" "$bin" 2>"$err_fifo" &
  app_pid=$!
  first_ms=
  while IFS= read -r -t 20 -u "$err_fd" line; do
    printf '%s\n' "$line" >>"$err"
    if [[ $line == "first-frame-ms "* ]]; then
      first_cpu_ms=$(cpu_precise_ms "$app_pid")
      first_majflt=$(major_faults "$app_pid")
      first_ms=${line#first-frame-ms }
      return 0
    fi
  done
  echo "$bin gave no first-frame line within 20 s; its standard error:" >&2
  cat "$err" >&2
  exit 1
}

# Ends the program and keeps what else it wrote to standard error.
stop_app() {
  local err=$1 line
  kill "$app_pid" 2>/dev/null || true
  wait "$app_pid" 2>/dev/null || true
  app_pid=
  while IFS= read -r -t 0.2 -u "$err_fd" line; do printf '%s\n' "$line" >>"$err"; done
  return 0
}

window_of() {  # title regex -> window id of the running program
  local id
  id=$(timeout 10 xdotool search --sync --onlyvisible --pid "$app_pid" --name "$1" 2>/dev/null | head -1) || true
  [ -n "$id" ] || { echo "no window named $1" >&2; exit 1; }
  echo "$id"
}

shoot() {  # screenshot of the first round's states, to check them by eye
  [ "$round" = 1 ] && command -v import >/dev/null && import -window root "$results/$1.png" 2>/dev/null
  return 0
}

raw=$results/runs.tsv
printf 'round\tprogram\tfirst_ms\tfirst_cpu_ms\tfirst_majflt\tpeak_mib\tidle_ms\tidle_precise_ms\tidle_server_ms\tword_ms\tword_precise_ms\tword_server_ms\tabout_ms\tabout_precise_ms\tabout_server_ms\n' >"$raw"

run_floor() {
  local err=$results/floor-$round.err idle peak
  launch "$floor_bin" "$err"
  window_of '^Delvoran floor$' >/dev/null
  sleep 1
  shoot floor
  idle=$(measure_idle "$app_pid")
  peak=$(peak_rss_mib "$app_pid")
  stop_app "$err"
  printf '%s\tfloor\t%s\t%s\t%s\t%s\t%s\t-\t-\t-\t-\t-\t-\n' "$round" "$first_ms" "$first_cpu_ms" "$first_majflt" "$peak" \
    "${idle// /$'\t'}" >>"$raw"
  printf '  floor  first frame %6s ms (CPU %5s, %s major faults)  peak %5s MiB  idle %s\n' \
    "$first_ms" "$first_cpu_ms" "$first_majflt" "$peak" "$idle"
}

# The About window at rest is judged against this: what Qt pays for the same
# visible work (two blinking marks, an idle 35 ms timer) in a bare window.
run_blink_floor() {
  local err=$results/blink-$round.err idle
  launch "$blink_bin" "$err"
  window_of '^Delvoran blink floor$' >/dev/null
  pointer_away
  sleep 1
  idle=$(measure_idle "$app_pid")
  stop_app "$err"
  printf '%s	blink	-	-	-	-	%s	-	-	-	-	-	-
' "$round" "${idle// /$'\t'}" >>"$raw"
  printf '  blink floor  idle %s\n' "$idle"
}

run_game() {
  local err=$results/game-$round.err win idle word about peak
  launch "$game_bin" "$err"
  win=$(window_of '^Delvoran$')
  sleep 1
  shoot game-idle
  idle=$(measure_idle "$app_pid")

  xdotool mousemove --window "$win" "${new_word_at[@]}" click 1
  pointer_away
  sleep 1
  shoot game-word
  word=$(measure_idle "$app_pid")

  xdotool mousemove --window "$win" "${about_at[@]}" click 1
  window_of '^O programu$' >/dev/null
  pointer_away
  sleep 1
  shoot game-about
  about=$(measure_idle "$app_pid")

  peak=$(peak_rss_mib "$app_pid")
  stop_app "$err"
  printf '%s\tgame\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$round" "$first_ms" "$first_cpu_ms" "$first_majflt" "$peak" \
    "${idle// /$'\t'}" "${word// /$'\t'}" "${about// /$'\t'}" >>"$raw"
  printf '  game   first frame %6s ms (CPU %5s, %s major faults)  peak %5s MiB  idle %s | word %s | about %s\n' \
    "$first_ms" "$first_cpu_ms" "$first_majflt" "$peak" "$idle" "$word" "$about"
}

# Busy and total jiffies of the whole machine, to tell how loaded it was.
machine_jiffies() { awk '/^cpu / { print $2 + $3 + $4 + $7 + $8 + $9, $2 + $3 + $4 + $5 + $6 + $7 + $8 + $9 }' /proc/stat; }

# One untimed start of each first, so neither pays for cold caches or for
# the bus starting its accessibility service.
round=0
launch "$game_bin" "$results/warm-game.err"
collect_mapped_files "$app_pid"; stop_app "$results/warm-game.err"
launch "$floor_bin" "$results/warm-floor.err"
collect_mapped_files "$app_pid"; stop_app "$results/warm-floor.err"

echo "idle CPU columns: ms from clock ticks, ms from schedstat, ms of Xvfb"
read -r busy0 total0 < <(machine_jiffies)
start=$(date +%s)
for round in $(seq "$rounds"); do
  echo "round $round of $rounds"
  if (( round % 2 )); then run_game; run_floor; run_blink_floor; else run_blink_floor; run_floor; run_game; fi
done

# ---------------------------------------------------------------- Wayland

# The idle states again, as native clients of a private headless Weston
# (pixman: no GPU needed). Nothing reaches a headless Weston's windows from
# outside but the accessibility bus, so the game's buttons are pressed
# through it; it is on for the blink floor as well, so both pay for it.
start_weston() {
  weston_dir=$(mktemp -d)
  XDG_RUNTIME_DIR=$weston_dir weston --backend=headless-backend.so --use-pixman --socket=bench --idle-time=0 \
    >"$results/weston.log" 2>&1 &
  weston_pid=$!
  local i
  for i in $(seq 100); do [ -S "$weston_dir/bench" ] && break; sleep 0.05; done
  [ -S "$weston_dir/bench" ] || { cat "$results/weston.log" >&2; echo "Weston did not start" >&2; exit 1; }
  server_pid=$weston_pid
  # A path as WAYLAND_DISPLAY leaves the programs' runtime folder, and with
  # it their accessibility bus, as it is.
  app_env=(QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="$weston_dir/bench" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)
}

press() { /usr/bin/python3 "$bench_dir/press.py" delvoran "$@"; }

# The blink floor, and the frame floor: the least any Qt client pays to
# hand the same blink to the compositor (see frame_floor.cpp).
run_wl_floor() {  # program, name
  local err=$results/wl-$2-$round.err idle
  launch "$1" "$err"
  sleep 2
  idle=$(measure_idle "$app_pid")
  stop_app "$err"
  printf '%s\twl-%s\t-\t-\t-\t-\t%s\t-\t-\t-\t-\t-\t-\n' "$round" "$2" "${idle// /$'\t'}" >>"$raw"
  printf '  Wayland %s floor  idle %s\n' "$2" "$idle"
}

run_wl_game() {
  local err=$results/wl-game-$round.err idle word about
  launch "$game_bin" "$err"
  sleep 2
  idle=$(measure_idle "$app_pid")
  press "Vylosovat slovo"
  sleep 2
  word=$(measure_idle "$app_pid")
  press "O programu"
  sleep 2
  about=$(measure_idle "$app_pid")
  stop_app "$err"
  printf '%s\twl-game\t-\t-\t-\t-\t%s\t%s\t%s\n' "$round" "${idle// /$'\t'}" "${word// /$'\t'}" \
    "${about// /$'\t'}" >>"$raw"
  printf '  Wayland game  idle %s | word %s | about %s\n' "$idle" "$word" "$about"
}

start_weston
echo "Weston $(weston --version | awk '{ print $2 }') at $weston_dir/bench"
# The accessibility bus starts with the first program that asks for it.
round=0
launch "$game_bin" "$results/wl-warm.err"
press "Vylosovat slovo"; stop_app "$results/wl-warm.err"
for round in $(seq "$rounds"); do
  echo "Wayland round $round of $rounds"
  if (( round % 2 )); then
    run_wl_game; run_wl_floor "$blink_bin" blink; run_wl_floor "$frame_bin" frame
  else
    run_wl_floor "$frame_bin" frame; run_wl_floor "$blink_bin" blink; run_wl_game
  fi
done

read -r busy1 total1 < <(machine_jiffies)
busy_pct=$(awk -v b=$((busy1 - busy0)) -v t=$((total1 - total0)) 'BEGIN { printf "%.0f\n", t ? 100 * b / t : 0 }')
echo "rounds took $(( $(date +%s) - start )) s"

# ----------------------------------------------------------------- soak

soak_bin=$game_build/tests/test_soak
soak_line="soak: not built"
if [ -x "$soak_bin" ]; then
  echo "soak: $soak_events events"
  soak_out=$(DELVORAN_SOAK_EVENTS=$soak_events QT_QPA_PLATFORM=offscreen timeout 900 "$soak_bin" 2>&1) || true
  printf '%s\n' "$soak_out" >"$results/soak.log"
  eps=$(printf '%s\n' "$soak_out" | awk '/ a second,/ { for (i = 1; i < NF; i++) if ($(i + 1) == "a") { print $i; exit } }')
  if [ -n "$eps" ]; then
    soak_line="soak: $eps events per second ($soak_events events, offscreen)"
  else
    soak_line="soak: ran without an 'events per second' line, see $results/soak.log"
  fi
fi

# ----------------------------------------------------------------- report

median() {  # column name, program -> median of that column
  awk -F'\t' -v col="$1" -v prog="$2" '
    NR == 1 { for (i = 1; i <= NF; i++) if ($i == col) c = i; next }
    $2 == prog { v[n++] = $c }
    END {
      if (n == 0) { print "-"; exit }
      for (i = 1; i < n; i++) for (j = i; j > 0 && v[j - 1] + 0 > v[j] + 0; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
      m = n % 2 ? v[int(n / 2)] : (v[n / 2 - 1] + v[n / 2]) / 2
      printf "%.1f\n", m
    }' "$raw"
}

verdict() { awk -v v="$1" -v limit="$2" 'BEGIN { print (v + 0 <= limit + 0) ? "PASS" : "MISS" }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f\n", a / b }'; }
per_s() { awk -v v="$1" -v s="$idle_s" 'BEGIN { printf "%.1f\n", v / s }'; }

g_first=$(median first_ms game); f_first=$(median first_ms floor)
g_first_cpu=$(median first_cpu_ms game); f_first_cpu=$(median first_cpu_ms floor)
g_peak=$(median peak_mib game); f_peak=$(median peak_mib floor)
first_ratio=$(ratio "$g_first" "$f_first"); peak_ratio=$(ratio "$g_peak" "$f_peak")

# One idle state of one program: label, program, column prefix, target
# (empty: exactly 0 ms in clock ticks; a number: ms/s from schedstat, as 10 ms
# ticks cannot tell 0.5 ms/s over 10 s; "blink": a ratio to the blink floor
# of the same display server; "reference": none).
idle_row() {
  local m p x target verdict_ blink
  m=$(median "${3}_ms" "$2"); p=$(median "${3}_precise_ms" "$2"); x=$(median "${3}_server_ms" "$2")
  case $4 in
    "") target="0 ms"; verdict_=$(verdict "$m" 0) ;;
    blink)
      blink=$(median idle_precise_ms "${2%game}blink")
      target="<= 0.5x"
      verdict_="$(verdict "$(ratio "$p" "$blink")" 0.5) ($(ratio "$p" "$blink")x the blink floor, schedstat)" ;;
    reference) target="(reference)"; verdict_= ;;
    *) target="<= $4 ms/s"; verdict_=$(verdict "$(per_s "$p")" "$4") ;;
  esac
  printf '%-30s %7s %7s %9s %9s   %-11s %s\n' "$1" "$m" "$(per_s "$p")" "$p" "$x" "$target" "$verdict_"
}

idle_block() {  # heading, program prefix (game, blink and floor are appended)
  printf '%-30s %7s %7s %9s %9s   %-11s %s\n' "$1" "ms" "ms/s" "schedstat" "server ms" target verdict
  idle_row "game, no word in play" "${2}game" idle ""
  idle_row "game, word in play" "${2}game" word 0.5
  idle_row "game, About window open" "${2}game" about blink
  idle_row "blink floor" "${2}blink" idle reference
  [ -z "$2" ] || idle_row "frame floor (raster window)" "${2}frame" idle reference
}

{
  echo
  echo "Delvoran bench: $rounds rounds, medians; $(date -u '+%Y-%m-%d %H:%M UTC')"
  echo "machine: $(nproc) cores, $(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)," \
       "Qt $(qmake6 -query QT_VERSION 2>/dev/null || echo '?'); busy ${busy_pct}% over the rounds"
  echo
  printf '%-30s %9s %9s %7s   %-10s %s\n' "" game floor ratio target verdict
  printf '%-30s %9s %9s %7s   %-10s %s\n' "time to first frame (ms)" "$g_first" "$f_first" \
    "$first_ratio" "<= 1.10x" "$(verdict "$first_ratio" 1.10)"
  printf '%-30s %9s %9s %7s   %-10s %s\n' "peak resident memory (MiB)" "$g_peak" "$f_peak" \
    "$peak_ratio" "<= 1.05x" "$(verdict "$peak_ratio" 1.05)"
  printf '%-30s %9s %9s %7s   %s\n' "CPU to first frame (ms)" "$g_first_cpu" "$f_first_cpu" \
    "$(ratio "$g_first_cpu" "$f_first_cpu")" "(not judged)"
  printf '%-30s %9s %9s %7s   %s\n' "major faults to first frame" "$(median first_majflt game)" \
    "$(median first_majflt floor)" "" "(should be 0)"
  echo
  idle_block "X11 (Xvfb), ${idle_s} s idle" ""
  echo
  idle_block "Wayland (Weston), ${idle_s} s" "wl-"
  if (( busy_pct > 25 )); then
    echo
    echo "note: the machine was ${busy_pct}% busy, mostly with other work; wall-clock"
    echo "figures (first frame above all) spread more then, CPU figures less."
  fi
  echo
  echo "$soak_line"
  echo
  echo "ms: utime + stime from /proc/PID/stat in 10 ms ticks; schedstat: the"
  echo "threads' run time in ns, and ms/s from it; server ms: the display server's"
  echo "CPU over the same seconds (Xvfb, or Weston for the Wayland block). Every"
  echo "run: $raw"
} | tee "$results/summary.txt"
