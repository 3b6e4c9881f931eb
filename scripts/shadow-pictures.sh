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
ls "$out"
