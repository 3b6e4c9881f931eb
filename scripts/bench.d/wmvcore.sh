# Reading every compressed sample of the 10-minute two-video presentation through the
# stand-in runtime's synchronous reader, against ffmpeg copying all its streams to a null
# muxer, on the same file in the same run.
cmake --build "$BUILD_DIR" --target orvane_media_bench wmvcore_bench wmvcore >/dev/null
wine_install_standins
file="$BUILD_DIR/media/long-two-video.wmv"
winfile="Z:$(echo "$file" | tr / '\\')"
cat "$file" >/dev/null  # both readers start from a warm page cache

now() { date +%s.%N; }

t0=$(now)
ff_out=$(ffmpeg -nostdin -hide_banner -benchmark -i "$file" -map 0 -c copy -f null - 2>&1)
t1=$(now)
ff_wall=$(awk "BEGIN { print $t1 - $t0 }")
ff_rtime=$(echo "$ff_out" | sed -n 's/.*rtime=\([0-9.]*\)s.*/\1/p' | tail -n1)

t0=$(now)
ours_out=$(wine "$BUILD_DIR/tests/bin/wmvcore_bench.exe" "$winfile" 2>/dev/null | tr -d '\r')
t1=$(now)
ours_wall=$(awk "BEGIN { print $t1 - $t0 }")
ours_time=$(echo "$ours_out" | sed -n 's/^sync reader: \([0-9.]*\) s.*/\1/p')

echo "file: $file ($(stat -c %s "$file") bytes)"
echo "$ours_out"
printf 'ffmpeg -c copy -f null: %.3f s processing (its -benchmark rtime), %.3f s whole process\n' \
    "$ff_rtime" "$ff_wall"
printf 'stand-in sync reader:   %.3f s in process, %.3f s whole process (Wine start-up too)\n' \
    "$ours_time" "$ours_wall"
ratio_processing=$(awk "BEGIN { print $ff_rtime / $ours_time }")
ratio_whole=$(awk "BEGIN { print $ff_wall / $ours_wall }")
printf 'ratio ffmpeg/stand-in:  %.2f processing, %.2f whole process (>= 1: at least as fast)\n' \
    "$ratio_processing" "$ratio_whole"
