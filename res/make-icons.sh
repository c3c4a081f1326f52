#!/bin/sh
# Renders the program icon from its SVG sources into res/icons/kestrova-<size>.png
# and packs those into res/kestrova.ico for the Windows build.
# The small sizes come from a simplified drawing that stays legible at 16 and 24 px.
# Needs rsvg-convert (Debian: librsvg2-bin).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$here/icons"
for size in 16 24 32 48 64 128 256; do
    source="$here/kestrova.svg"
    if [ "$size" -le 24 ]; then
        source="$here/kestrova-small.svg"
    fi
    rsvg-convert --width "$size" --height "$size" --keep-aspect-ratio \
        --format png --output "$here/icons/kestrova-$size.png" "$source"
done
python3 "$here/make-ico.py" "$here/kestrova.ico"
