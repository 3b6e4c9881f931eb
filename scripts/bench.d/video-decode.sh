# Video decoding: the 10-minute 640x480 + 320x240 WMV2 presentation through the engine's graph
# under Wine with the clock off (the decoder stand-in over libavcodec, both videos rendered,
# the sound into a null renderer), against native ffmpeg decoding the same file on one thread.
if [ -f "$bin/video_decode_bench.exe" ]; then
    cmake --build "$BUILD_DIR" --target orvane_media_bench >/dev/null
    long="$BUILD_DIR/media/long-two-video.wmv"
    _t() {
        local s e
        s=$(date +%s.%N)
        "$@" >/dev/null 2>&1
        e=$(date +%s.%N)
        echo "$s $e" | awk '{ printf "%.3f", $2 - $1 }'
    }
    ours=$( (cd "$bin" && ORVANE_MEDIA="$BUILD_DIR/media" wine video_decode_bench.exe 2>/dev/null) |
        tr -d '\r' | sed -n 's/^engine_decode_s=//p')
    ff_default=$(_t ffmpeg -nostdin -threads 1 -i "$long" -f null -)
    ff_all=$(_t ffmpeg -nostdin -threads 1 -i "$long" -map 0 -f null -)
    if [ -n "$ours" ]; then
        echo "engine graph, clock off, both videos shown: ${ours} s"
        echo "ffmpeg -threads 1 -i file -f null - (one video + sound): ${ff_default} s;" \
             "ratio $(echo "$ours $ff_default" | awk '{ printf "%.2f", $1 / $2 }')"
        echo "ffmpeg -threads 1 -i file -map 0 -f null - (both videos + sound): ${ff_all} s;" \
             "ratio $(echo "$ours $ff_all" | awk '{ printf "%.2f", $1 / $2 }')"
    else
        echo "engine decode benchmark failed"
    fi
fi
