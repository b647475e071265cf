#!/usr/bin/env bash
# Runs a command against a virtual X server of its own, with Mesa's software
# OpenGL, so a test never depends on the caller's display. Xvfb picks a free
# display number itself (-displayfd): tests started side by side, here or by
# other users of the machine, cannot take the same one.
set -u
dir=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" 2>"$dir/log" &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -rf "$dir"' EXIT
for _ in $(seq 200); do
    [ -s "$dir/display" ] && break
    kill -0 $server 2>/dev/null || break
    sleep 0.05
done
if [ ! -s "$dir/display" ]; then
    echo "with_xvfb.sh: Xvfb did not start" >&2
    cat "$dir/log" >&2
    exit 1
fi
export DISPLAY=":$(head -n 1 "$dir/display")"
export LIBGL_ALWAYS_SOFTWARE=1
"$@"
