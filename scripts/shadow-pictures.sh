#!/usr/bin/env bash
# Pictures of the popup drop shadows, taken on Xvfb: a screenshot of two shadowed popups
# (layered shadows read back solid there, since Xvfb does not composite), and the shadow
# bitmaps the tests hand to UpdateLayeredWindow, composed over white and enlarged 8 times.
# Usage: shadow-pictures.sh OUTPUT_FOLDER (after scripts/build.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "$1" && cd "$1" && pwd)
. "$root/scripts/wine-env.sh"
ORVANE_XVFB=1 wine_env_start
cd "$BUILD_DIR/tests/bin"
wine ./toolkit_shadow_show.exe >/dev/null 2>&1 &
shown=$!
sleep 2
import -window root -crop 520x260+0+0 +repage "$out/popup-shadows.png"
wait "$shown" || true
ppm=$(mktemp -d)
ORVANE_SHADOW_OUT=$(winepath -w "$ppm") wine ./toolkit_hook_tests.exe \
    --gtest_filter='ShadowManagerTest.HundredPixelPopup*:ShadowManagerTest.ShadowsFollow*' \
    >/dev/null 2>&1
for f in "$ppm"/*.ppm; do
    convert "$f" "$out/$(basename "${f%.ppm}").png"
done
rm -rf "$ppm"
# The light shading as a compositor would show it: the 100-pixel popup (grey) on white with its
# bottom strip 4 pixels right of its left edge and its right strip 4 pixels below its top,
# enlarged 3 times.
if [ -f "$out/shadow-bottom-light.png" ] && [ -f "$out/shadow-right-light.png" ]; then
    convert -size 140x140 xc:white -fill '#d4d0c8' -stroke '#808080' \
        -draw 'rectangle 20,20 119,119' \
        \( "$out/shadow-bottom-light.png" -sample 12.5% \) -geometry +24+120 -compose multiply \
        -composite \
        \( "$out/shadow-right-light.png" -sample 12.5% \) -geometry +120+24 -compose multiply \
        -composite -sample 300% "$out/popup-composed-light.png"
fi
ls "$out"
