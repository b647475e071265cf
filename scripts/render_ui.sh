#!/usr/bin/env bash
# Redraws the interface pictures under ui/ from their sources (scripts/ui_svg.py):
# each SVG becomes a PNG through rsvg-convert and then a 24-bit BMP through the
# program's own writer, so the pictures are exactly what the program reads back.
# ui/icon.svg and ui/icon.png are the program icon, drawn again for the desktop
# in every size of the icon theme (desktop/icons/SIZE/pexolen.png). The result
# is the same byte for byte on every run with the same rsvg-convert and font.
#
# Usage: scripts/render_ui.sh     (then commit what changed under ui/)
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
pexolen_install_packages $PEXOLEN_PACKAGES $PEXOLEN_UI_PACKAGES

build=build/ui
pexolen_build_program "$build"
pexolen="$build/app/pexolen"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 scripts/ui_svg.py "$work/svg"

count=0
while IFS= read -r svg; do
    name=${svg#"$work/svg/"}
    name=${name%.svg}
    [ "$name" = icon ] && continue
    mkdir -p "ui/$(dirname "$name")" "$work/png/$(dirname "$name")"
    # Black behind: a BMP has no transparency and the window behind is black.
    rsvg-convert --background-color=black -o "$work/png/$name.png" "$svg"
    "$pexolen" convert "$work/png/$name.png" "ui/$name.bmp"
    count=$((count + 1))
done < <(find "$work/svg" -name '*.svg' | LC_ALL=C sort)

cp "$work/svg/icon.svg" ui/icon.svg
rsvg-convert -w 64 -h 64 -o ui/icon.png ui/icon.svg
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "desktop/icons/$size"
    rsvg-convert -w "$size" -h "$size" -o "desktop/icons/$size/pexolen.png" ui/icon.svg
done
echo "Rendered $count pictures under ui/ and the icon under ui/ and desktop/icons/"
