#!/usr/bin/env bash
# Takes the README's screenshots under docs/: the program's window on each of
# its three tabs, driven like a user on a virtual X server of its own, and the
# demo depth picture's stereogram as the command line makes it.
#
# Usage: scripts/screenshots.sh     (then commit what changed under docs/)
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh

if [ "${1:-}" != --inside ]; then
    pexolen_install_packages $PEXOLEN_PACKAGES $PEXOLEN_DOC_PACKAGES
    build=build/docs
    pexolen_build_program "$build"
    mkdir -p docs
    PEXOLEN="$PWD/$build/app/pexolen" exec tests/fltk/with_xvfb.sh "$0" --inside
fi

work=$(mktemp -d)
trap 'kill "${program:-}" 2>/dev/null; rm -rf "$work"' EXIT
# FLTK's own file chooser and no desktop settings: the same window everywhere.
export HOME="$work/home"
mkdir -p "$HOME" "$work/run"

# shot NAME: the main window as docs/NAME.png.
shot() {
    xwd -silent -id "$window" | xwdtopnm 2>/dev/null | pnmtopng -compression 9 >"docs/$1.png"
    echo "docs/$1.png"
}
# at X Y ACTION...: xdotool actions with the pointer at (X, Y) in the window.
at() {
    local x=$1 y=$2
    shift 2
    xdotool mousemove --sync --window "$window" "$x" "$y" "$@"
}
# Lets the window draw what the last event asked for (the idle tick is 50 ms).
settle() { sleep "${1:-1}"; }

(cd "$work/run" && exec "$PEXOLEN") &
program=$!
window=$(xdotool search --sync --onlyvisible --name '^Pexolen ' | head -n 1)
settle 2
bar=$((591 - 19))   # the tabs and buttons, in the window's first size

shot pattern_tab

# The model tab in edit mode with everything selected: the toolbar and the
# move handles show.
at 160 "$bar" click 1
settle
at 430 300
xdotool keydown ctrl key Return a keyup ctrl
settle 2
shot model_tab

# Produce: the window's title says it is busy until the result comes up on
# the image tab.
at 430 300
xdotool keydown ctrl key Return keyup ctrl   # back to view mode: no marks in the shot
at $((866 - 200 + 12)) "$bar" click 1
settle
while xdotool getwindowname "$window" | grep -q '\.\.\.$'; do
    sleep 0.2
done
at 430 300   # off the buttons: none shows its hover look
settle
shot image_tab

# The settings panel beside the result (its rows 25 pixels apart, the fields
# right of their captions): crossed eyes, colour dots, a little deeper, then
# produce again.
panel=$((866 - 230))
at $((panel + 150)) 17 click 1       # viewing: the entry after parallel
settle 0.5
xdotool key Down Return
at $((panel + 150)) 167 click 1      # pattern: colour dots
settle 0.5
xdotool key Down Down Down Return
at $((panel + 130)) 117 click 1      # depth scale
xdotool key ctrl+a BackSpace 1 period 4 Return
settle
at $((866 - 200 + 12)) "$bar" click 1
settle
while xdotool getwindowname "$window" | grep -q '\.\.\.$'; do
    sleep 0.2
done
at 430 300
settle
shot settings_panel

"$PEXOLEN" produce -q --depth demo/depth.bmp -o docs/depth_stereogram.png
echo docs/depth_stereogram.png
"$PEXOLEN" produce -q --depth demo/depth.bmp --cross-eyed -o docs/depth_stereogram_cross_eyed.png
echo docs/depth_stereogram_cross_eyed.png
