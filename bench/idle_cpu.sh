#!/usr/bin/env bash
# CPU time of the idle window, tab by tab: the program runs on a virtual X
# server of its own (tests/fltk/with_xvfb.sh), each tab is clicked once, the
# pointer is parked outside the window, and the program's user and system time
# over SECONDS (default 10) is printed as a share of one core.
#   bench/idle_cpu.sh build/release/app/pexolen [SECONDS]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${PEXOLEN_IDLE_INNER:-}" ]; then
    PEXOLEN_IDLE_INNER=1 exec "$here/../tests/fltk/with_xvfb.sh" "$0" "$@"
fi
binary=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
seconds=${2:-10}
work=$(mktemp -d)
trap 'kill $pid 2>/dev/null; wait $pid 2>/dev/null; rm -rf "$work"' EXIT
(cd "$work" && exec "$binary" >"$work/log" 2>&1) &
pid=$!
win=""
for _ in $(seq 100); do
    win=$(xdotool search --name Pexolen 2>/dev/null | head -n 1 || true)
    [ -n "$win" ] && break
    sleep 0.1
done
[ -n "$win" ] || { echo "idle_cpu.sh: no window" >&2; cat "$work/log" >&2; exit 1; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$win")"
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
# The tabs sit 19 pixels above the bottom edge: pattern at x 60, model 160, image 270.
for tab in pattern:60 model:160 image:270; do
    name=${tab%%:*}
    xdotool mousemove --window "$win" "${tab#*:}" $((HEIGHT - 19)) click 1
    sleep 0.3
    xdotool mousemove 1270 1010   # off the window: no tooltip, no hover
    sleep 1
    t0=$(ticks)
    sleep "$seconds"
    t1=$(ticks)
    printf '%s tab: %.2f%% of a core over %s s\n' "$name" \
        "$(echo "scale=4; 100 * ($t1 - $t0) / $hz / $seconds" | bc)" "$seconds"
done
