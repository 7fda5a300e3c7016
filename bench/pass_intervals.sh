#!/usr/bin/env bash
# The pace of live play: each game given plays a level from its start for
# some seconds, Tobble rolling forward (W held by xdotool), recording itself
# with --record, which writes the clock at every pass; then Escape ends it.
# Prints, per run, the intervals between the passes' starts: the 10th, 50th
# and 90th percentiles, the 90th against the 10th (over the run, and within
# each second of it: the median and the worst second), and the longest, which
# includes the level's first frame after its loading picture. Games take
# turns within each round.
# Usage: bench/pass_intervals.sh LEVEL SECONDS RUNS GAME [GAME...]
#   each GAME's data is the nearest directory above it holding resources/.
set -euo pipefail
LEVEL=$1 SECONDS_EACH=$2 RUNS=$3
shift 3
source "$(dirname "$0")/startup/common.sh"
own_display "$0" "$LEVEL" "$SECONDS_EACH" "$RUNS" "$@"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# Percentiles of the intervals between the passes' first clock readings
# (the file writes the clock as hexadecimal floating point).
intervals() {
  python3 - "$1" <<'PY'
import sys
starts, in_pass = [], False
for line in open(sys.argv[1]):
    if line.startswith("t ") and not in_pass:
        starts.append(float.fromhex(line.split()[1]))
        in_pass = True
    elif line.startswith("p "):
        in_pass = False
d = [(b - a) * 1000 for a, b in zip(starts, starts[1:])]

def spread(values):
    s = sorted(values)
    return s[int(len(s) * 0.1)], s[int(len(s) * 0.5)], s[int(len(s) * 0.9)]

p10, p50, p90 = spread(d)
# The same ratio within each second of play: how even the pace is while the
# view, and with it the work of a frame, stays about the same.
seconds = {}
for start, interval in zip(starts, d):
    seconds.setdefault(int(start), []).append(interval)
within = sorted(hi / lo for lo, _, hi in (spread(v) for v in seconds.values() if len(v) >= 10))
print("passes %d  ms: 10th %.1f  50th %.1f  90th %.1f  90th/10th %.2f  within a second: median %.2f, worst %.2f  longest %.1f (first frame %.1f)"
      % (len(starts), p10, p50, p90, p90 / p10, within[len(within) // 2], within[-1], max(d), d[0]))
PY
}

record_run() {
  local game=$1 file=$2 pid win
  "$game" --data "$(data_of "$game")" --no-records --level "$LEVEL" --record "$file" >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 1 100); do
    win=$(xdotool search --name '^Glimmet$' 2>/dev/null | head -n 1) && [ -n "$win" ] && break
    sleep 0.1
  done
  xdotool windowfocus --sync "$win"
  xdotool keydown w
  sleep "$SECONDS_EACH"
  xdotool keyup w
  xdotool key Escape
  wait "$pid" || true
}

echo "load: $(uptime)"
for run in $(seq 1 "$RUNS"); do
  for game in "$@"; do
    record_run "$(cd "$(dirname "$game")" && pwd)/$(basename "$game")" "$WORK/run.replay"
    echo "$game level $LEVEL run $run: $(intervals "$WORK/run.replay")"
  done
done
echo "load: $(uptime)"
