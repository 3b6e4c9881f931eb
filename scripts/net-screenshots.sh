#!/usr/bin/env bash
# Pictures of network playback, taken on Xvfb against the loopback peers of net-peers.sh: the
# opening progress dialog with its details during an open that never gets an answer and after a
# successful one, and the player playing a vexohttp: URL. Written to build/screenshots/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh" >/dev/null
. "$root/scripts/wine-env.sh"
ORVANE_XVFB=1 wine_env_start
wine_install_standins
out="$BUILD_DIR/screenshots"
mkdir -p "$out"
peers="$BUILD_DIR/net-peers-shots"
bash "$root/scripts/net-peers.sh" start "$peers" "$BUILD_DIR/media" >/dev/null
player=""
finish() {
    [ -n "$player" ] && { wine taskkill /IM QVP.exe >/dev/null 2>&1 || true; }
    bash "$root/scripts/net-peers.sh" stop "$peers"
    wine_env_stop
}
trap finish EXIT
port() { awk -v n="$1" '$1==n {print $2}' "$peers/ports"; }

# The dialog tests hold each dialog on screen while its picture is taken.
cd "$BUILD_DIR/tests/bin"
ORVANE_NET_PEERS="$peers" ORVANE_MEDIA="$BUILD_DIR/media" ORVANE_SHOT_PAUSE_MS=2500 \
    wine player_net_peer_tests.exe \
    --gtest_filter='InetOpeningTest.SuccessShows*:InetOpeningTest.Interrupt*' 2>/dev/null |
    while read -r line; do
        line=${line%$'\r'}
        case "$line" in
        "shot: "*)
            sleep 1.2
            import -window root "$out/${line#shot: }.png"
            echo "net-screenshots: $out/${line#shot: }.png"
            ;;
        esac
    done

cd "$BUILD_DIR/bin"
wine ./QVP.exe "vexohttp://127.0.0.1:$(port nginx)/sample-video1.wmv" /P \
    >"$BUILD_DIR/net-screenshots.log" 2>&1 &
player=$!
sleep "${ORVANE_SHOT_DELAY:-8}"
import -window root "$out/playing-vexohttp.png"
echo "net-screenshots: $out/playing-vexohttp.png"
