# Network playback: a 5-minute MS Video 1 presentation pushed sample by sample through the
# network splitter with the graph clock off (media seconds per wall second; expect >= 10).
cmake --build "$BUILD_DIR" --target net_push_bench wmvcore >/dev/null
wine_install_standins
file="$BUILD_DIR/media/bench-5min-video1.wmv"
if [ ! -f "$file" ]; then
    ffmpeg -nostdin -hide_banner -loglevel error -f lavfi -i "testsrc=size=320x240:rate=15" \
        -f lavfi -i "testsrc2=size=640x480:rate=5" -f lavfi -i "sine=frequency=440" \
        -map 0:v -map 1:v -map 2:a -t 300 -c:v msvideo1 -c:a wmav2 -b:a 64k -f asf "$file"
fi
winfile="Z:$(echo "$file" | tr / '\\')"
(cd "$bin" && wine net_push_bench.exe "$winfile" 2>/dev/null | tr -d '\r')
