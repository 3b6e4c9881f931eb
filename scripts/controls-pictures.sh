#!/usr/bin/env bash
# Picture of the toolbar's button states in the bars' host program ("--demo buttons": normal,
# hot, pressed, checked and disabled buttons and a split button with its popup open), drawn by
# theme 0, by theme 3 with the prefix's visual style and by theme 3 with uxtheme off for the
# process, one above the other; and the printed
# byte comparison of a bar's controls saved, loaded into a fresh bar and saved again.
# Usage: controls-pictures.sh OUTPUT_FOLDER (after the host and toolkit_commandbar_tests are built).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "$1" && cd "$1" && pwd)
. "$root/scripts/wine-env.sh"
if [ -n "${ORVANE_CONTROLS_BUILD_DIR:-}" ]; then
    export BUILD_DIR="$ORVANE_CONTROLS_BUILD_DIR" WINEPREFIX="$ORVANE_CONTROLS_BUILD_DIR/wineprefix"
    export HOME="$ORVANE_CONTROLS_BUILD_DIR/home"
fi
ORVANE_XVFB=1 wine_env_start
cd "$BUILD_DIR/tests/bin"
tmp=$(mktemp -d)
shot() {  # name theme [overrides]
    WINEDLLOVERRIDES=${3:-} wine ./toolkit_bars_host.exe --theme "$2" --demo buttons \
        --exit-after 6000 >/dev/null 2>&1 &
    local pid=$!
    sleep 4.5
    import -display "$DISPLAY" -window root -crop 560x200+0+0 +repage "$tmp/$1.png"
    wait "$pid" || true
}
shot theme0 0
shot theme3 3
shot theme3-classic 3 uxtheme=d
convert "$tmp/theme0.png" "$tmp/theme3.png" "$tmp/theme3-classic.png" -append \
    "$out/controls-buttons.png"
rm -rf "$tmp"
echo "controls-pictures: $out/controls-buttons.png"

wine ./toolkit_commandbar_tests.exe --gtest_filter='CommandBarControlsExchange.EachKind*' 2>/dev/null |
    tr -d '\r' | grep -v '^\[\|^Note:\|^$' >"$out/controls-roundtrip.txt"
echo "controls-pictures: $out/controls-roundtrip.txt"
