#!/bin/sh
# Usage: tools/contained.sh [--limit SECONDS] COMMAND [ARGUMENT...]
#
# Runs COMMAND so that whatever it starts ends when it ends: as root, as the
# first process of a process-number namespace of its own, with a /proc and
# mounts to match. The kernel then kills everything left in it, such as the
# services a private D-Bus session started, which would otherwise outlive a
# test, keep its output open and hold their file systems mounted; and
# programs that look for themselves in /proc (Orca does) see only their own
# session. Without root it runs COMMAND as it is.
#
# With --limit, a COMMAND still running after SECONDS is killed, with all it
# started where contained, after a list of those processes and what each
# waited on; the exit status is then 124. COMMAND should trap TERM: as a
# namespace's first process it ignores every signal it has no handler for.
limit=
if [ "${1:-}" = --limit ]; then limit=${2:?}; shift 2; fi
[ $# -gt 0 ] || { sed -n '2p' "$0" >&2; exit 2; }
contain() {
  if [ "$(id -u)" -eq 0 ] && command -v unshare >/dev/null; then
    # Private mounts, so none made inside reaches the namespace this started
    # from. A chroot's / is no mount point; there only /proc is made private
    # (tools/in-release.sh keeps the chroot's other mounts private itself).
    exec unshare --pid --fork --kill-child --mount --propagation unchanged sh -c '
      { mount --make-rprivate / 2>/dev/null || mount --make-rprivate /proc; } &&
        mount -t proc proc /proc && exec "$0" "$@"' "$@"
  fi
  exec "$@"
}
[ -n "$limit" ] || contain "$@"

contain "$@" &
top=$!
trap 'kill -KILL $top 2>/dev/null; exit 1' HUP INT TERM
for _ in $(seq "$limit"); do
  kill -0 $top 2>/dev/null || { wait $top; exit; }
  sleep 1
done
echo "FAIL: $* did not end within $limit s; what ran:"
ps -e --forest -o pid=,ppid=,stat=,wchan:24=,etime=,args= | awk -v top=$top '
  { order[NR] = $1; parent[$1] = $2; line[$1] = substr($0, 1, 200) }
  END { for (i = 1; i <= NR; i++) { p = order[i]; while (p in parent && p != top) p = parent[p]
                                    if (p == top) print line[order[i]] } }'
# Killing unshare kills its namespace's first process, and with it the rest.
kill -KILL $top
wait $top
exit 124
