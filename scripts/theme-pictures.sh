#!/usr/bin/env bash
# Pictures of the command-bar themes: the same sample bars (a menu bar with its File menu open,
# a docked toolbar in every button state, a floating bar) drawn by theme 0, by theme 3 with the
# prefix's visual style, and by theme 3 with uxtheme off for the process; and the bars' host
# program with its View > Video menu open by keyboard in the same three runs.
# Usage: theme-pictures.sh OUTPUT_FOLDER (after scripts/build.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "$1" && cd "$1" && pwd)
. "$root/scripts/wine-env.sh"
ORVANE_XVFB=1 wine_env_start
cd "$BUILD_DIR/tests/bin"
bmp=$(mktemp -d)
wine ./toolkit_theme_showcase.exe 0 "$(winepath -w "$bmp/theme0.bmp")" >/dev/null 2>&1
wine ./toolkit_theme_showcase.exe 3 "$(winepath -w "$bmp/theme3.bmp")" >/dev/null 2>&1
WINEDLLOVERRIDES=uxtheme=d wine ./toolkit_theme_showcase.exe 3 \
    "$(winepath -w "$bmp/theme3-classic.bmp")" >/dev/null 2>&1
for name in theme0 theme3 theme3-classic; do
    convert "$bmp/$name.bmp" "$out/commandbars-$name.png"
    echo "theme-pictures: $out/commandbars-$name.png"
done
rm -rf "$bmp"

# The host's real bar windows; it may still be tracking its menu when the picture is taken,
# so this prefix's wineserver ends it.
for name in theme0 theme3 theme3-classic; do
    overrides=
    theme=3
    [ "$name" = theme0 ] && theme=0
    [ "$name" = theme3-classic ] && overrides=uxtheme=d
    WINEDLLOVERRIDES=$overrides timeout 20 wine ./toolkit_bars_host.exe --theme "$theme" \
        --demo menu --exit-after 5000 >/dev/null 2>&1 &
    shown=$!
    sleep 5
    import -window root -crop 560x300+0+0 +repage "$out/commandbars-host-$name.png"
    wineserver -k 2>/dev/null || true
    wait "$shown" 2>/dev/null || true
    echo "theme-pictures: $out/commandbars-host-$name.png"
done
