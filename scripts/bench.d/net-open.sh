# Network opening: from the open request to the first audio block at the engine's level tap,
# for sample-video1.wmv from disk, from nginx and live from ffmpeg (peers of scripts/net-peers.sh
# on loopback ports), with the ratios to the disk figure.
cmake --build "$BUILD_DIR" --target net_open_bench QVPVideo wmvcore wmvdecdmo >/dev/null
wine_install_standins
peers="$BUILD_DIR/net-peers-bench"
bash "$root/scripts/net-peers.sh" start "$peers" "$BUILD_DIR/media" >/dev/null
port() { awk -v n="$1" '$1==n {print $2}' "$peers/ports"; }
file="$BUILD_DIR/media/sample-video1.wmv"
winfile="Z:$(echo "$file" | tr / '\\')"
(cd "$bin" && wine net_open_bench.exe "$winfile" \
    "http://127.0.0.1:$(port nginx)/sample-video1.wmv" "http://127.0.0.1:$(port live)/x.asf" 5 \
    2>/dev/null | tr -d '\r') || true
bash "$root/scripts/net-peers.sh" stop "$peers"
