# Video engine: presentation reader open-to-running and seek-to-resumed on the sample
# (median of 20; targets 300 ms and 150 ms).
if [ -f "$bin/video_reader_bench.exe" ]; then
    (cd "$bin" && ORVANE_MEDIA="$BUILD_DIR/media" wine video_reader_bench.exe 2>/dev/null | tr -d '\r')
fi
