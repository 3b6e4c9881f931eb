#!/usr/bin/env bash
# Builds and starts the player under Wine on the sample presentation (or on FILE, a path or URL).
# With a display attached it runs until closed; without one it runs on Xvfb, saves
# build/screenshot.png after a few seconds, and closes the player.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
. "$root/scripts/wine-env.sh"
headless=0
[ -z "${DISPLAY:-}" ] && headless=1
wine_env_start

target=${1:-$BUILD_DIR/media/sample.wmv}
case "$target" in
    *://*) arg=$target ;;
    *) arg=$(winepath -w "$(realpath "$target")" 2>/dev/null) ;;
esac

cd "$BUILD_DIR/bin"
if [ "$headless" = 0 ]; then
    wine ./QVP.exe "$arg" /P
    exit 0
fi

wine ./QVP.exe "$arg" /P >"$BUILD_DIR/run.log" 2>&1 &
player=$!
sleep "${ORVANE_SHOT_DELAY:-6}"
import -window root "$BUILD_DIR/screenshot.png"
echo "run: screenshot saved to ${BUILD_DIR#$root/}/screenshot.png"
# Close it as a user would (WM_CLOSE), and force it only if it does not go.
wine taskkill /IM QVP.exe >/dev/null 2>&1 || true
for _ in $(seq 1 50); do
    kill -0 "$player" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$player" 2>/dev/null; then
    echo "run: the player did not close; ending it" >&2
    wine taskkill /F /IM QVP.exe >/dev/null 2>&1 || true
    wait "$player" 2>/dev/null || true
    exit 1
fi
wait "$player" || { echo "run: the player exited with an error (see build/run.log)" >&2; exit 1; }
