#!/usr/bin/env bash
# Screenshots of the command bars' host program: "View > Video" opened by keyboard (F10, Right,
# Down, Right; underlines shown) and a hot toolbar button, in theme 0, theme 3 with the prefix's
# visual style, and theme 3 with uxtheme off for the process. Taken from the virtual display
# (popups are plain windows there) and cut to the host's corner of the screen.
# Usage: bars-host-pictures.sh OUTPUT_FOLDER (after scripts/build.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "$1" && cd "$1" && pwd)
. "$root/scripts/wine-env.sh"
if [ -n "${ORVANE_BARS_BUILD_DIR:-}" ]; then
    export BUILD_DIR="$ORVANE_BARS_BUILD_DIR" WINEPREFIX="$ORVANE_BARS_BUILD_DIR/wineprefix"
    export HOME="$ORVANE_BARS_BUILD_DIR/home"
fi
ORVANE_XVFB=1 wine_env_start
cd "$BUILD_DIR/tests/bin"
shot() {  # name theme demo [env]
    local name=$1 theme=$2 demo=$3
    shift 3
    env "$@" wine ./toolkit_bars_host.exe --theme "$theme" --demo "$demo" --exit-after 6000 \
        >/dev/null 2>&1 &
    local pid=$!
    sleep 4.5
    import -display "$DISPLAY" -window root -crop 560x300+0+0 +repage "$out/$name.png"
    wait "$pid" || true
    echo "bars-host-pictures: $out/$name.png"
}
shot bars-host-theme0-menu 0 menu
shot bars-host-theme0-hot 0 hot
shot bars-host-theme3-menu 3 menu
shot bars-host-theme3-hot 3 hot
shot bars-host-theme3-classic-menu 3 menu WINEDLLOVERRIDES=uxtheme=d
shot bars-host-theme3-classic-hot 3 hot WINEDLLOVERRIDES=uxtheme=d
