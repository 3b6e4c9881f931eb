#!/usr/bin/env bash
# Pictures of what a user sees, taken on Xvfb: the player playing the sample presentation
# (both videos in their windows), then full screen with its control panel after a double-click
# on the screen video and a move of the mouse. Written to build/screenshots/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
. "$root/scripts/wine-env.sh"
ORVANE_XVFB=1 wine_env_start
out="$BUILD_DIR/screenshots"
mkdir -p "$out"
sample=$(winepath -w "$BUILD_DIR/media/sample.wmv" 2>/dev/null)

cd "$BUILD_DIR/bin"
wine ./QVP.exe "$sample" /P >"$BUILD_DIR/screenshots.log" 2>&1 &
player=$!
close_player() {
    wine taskkill /IM QVP.exe >/dev/null 2>&1 || true
    for _ in $(seq 1 50); do
        kill -0 "$player" 2>/dev/null || return 0
        sleep 0.1
    done
    wine taskkill /F /IM QVP.exe >/dev/null 2>&1 || true
}
trap 'close_player; wine_env_stop' EXIT

sleep 5
import -window root "$out/playing.png"
echo "screenshots: $out/playing.png"

screen=$(xdotool search --name '^Screen$' | head -1)
if [ -z "$screen" ]; then
    echo "screenshots: no screen video window found" >&2
    exit 1
fi
eval "$(xdotool getwindowgeometry --shell "$screen")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
sleep 0.3
xdotool click --repeat 2 --delay 80 1
sleep 2
# Two moves at different points bring the panel up.
xdotool mousemove 400 300
sleep 0.3
xdotool mousemove 420 320
sleep 1
import -window root "$out/fullscreen-panel.png"
echo "screenshots: $out/fullscreen-panel.png"

# The tab strips and the native docking theme's captions, themed and classic (uxtheme off for
# that process), in a window of their own.
close_player
cd "$BUILD_DIR/tests/bin"
for run in themed classic; do
    overrides=
    if [ "$run" = classic ]; then
        overrides=uxtheme=d
    fi
    WINEDLLOVERRIDES=$overrides wine ./toolkit_docking_showcase.exe >>"$BUILD_DIR/screenshots.log" 2>&1 &
    shown=$!
    sleep 4
    import -window root "$out/tabs-docking-$run.png"
    echo "screenshots: $out/tabs-docking-$run.png"
    wait "$shown" || true
done

# Every docking theme's captions, active and inactive, themed and classic.
for run in themed classic; do
    overrides=
    if [ "$run" = classic ]; then
        overrides=uxtheme=d
    fi
    WINEDLLOVERRIDES=$overrides wine ./toolkit_docking_themes_showcase.exe >>"$BUILD_DIR/screenshots.log" 2>&1 &
    shown=$!
    sleep 4
    import -window root -crop 820x1010+0+0 "$out/docking-themes-$run.png"
    echo "screenshots: $out/docking-themes-$run.png"
    wait "$shown" || true
done

# The tab appearances 0-9 in the default and the native colour set, themed and classic.
for run in themed classic; do
    overrides=
    if [ "$run" = classic ]; then
        overrides=uxtheme=d
    fi
    WINEDLLOVERRIDES=$overrides wine ./toolkit_tab_appearance_showcase.exe >>"$BUILD_DIR/screenshots.log" 2>&1 &
    shown=$!
    sleep 4
    shown_window=$(xdotool search --name '^Tab appearances$' | head -1)
    if [ -n "$shown_window" ]; then
        import -window "$shown_window" "$out/tabs-appearances-$run.png"
    else
        import -window root "$out/tabs-appearances-$run.png"
    fi
    echo "screenshots: $out/tabs-appearances-$run.png"
    wait "$shown" || true
done
