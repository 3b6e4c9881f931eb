#!/usr/bin/env bash
# Benchmarks: builds everything, then runs each area's benchmark program under Wine and prints
# its figures. Each area keeps its own block below.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
BUILD_DIR="$root/build"
. "$root/scripts/wine-env.sh"
ORVANE_XVFB=1 wine_env_start
bin="$BUILD_DIR/tests/bin"

# ---- support library: settings load and save (target: under 50 ms) ----
if [ -f "$bin/support_bench.exe" ]; then
    (cd "$bin" && wine support_bench.exe)
fi
# ---- end support library ----

# ---- stand-in media runtime: sync reader against ffmpeg ----
(
cmake --build "$root/build" --target orvane_media_bench wmvcore_bench wmvcore >/dev/null

file="$root/build/media/long-two-video.wmv"
winfile="Z:$(echo "$file" | tr / '\\')"
cat "$file" >/dev/null  # both readers start from a warm page cache

now() { date +%s.%N; }

t0=$(now)
ff_out=$(ffmpeg -nostdin -hide_banner -benchmark -i "$file" -map 0 -c copy -f null - 2>&1)
t1=$(now)
ff_wall=$(awk "BEGIN { print $t1 - $t0 }")
ff_rtime=$(echo "$ff_out" | sed -n 's/.*rtime=\([0-9.]*\)s.*/\1/p' | tail -n1)

t0=$(now)
ours_out=$(wine "$root/build/tests/bin/wmvcore_bench.exe" "$winfile" 2>/dev/null | tr -d '\r')
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
)
# ---- end stand-in media runtime ----

media="$BUILD_DIR/media"
mkdir -p "$media"

# Wall time of a command in seconds (3 decimals).
bench_time() {
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    echo "$start $end" | awk '{ printf "%.3f", $2 - $1 }'
}

# ---- Audio time-stretch: ours vs ffmpeg atempo vs SoundTouch soundstretch ------------------
# An 11:47 speech file (44.1 kHz stereo 16-bit) stretched end to end (read WAV, stretch, write
# WAV) at three speeds. Ours runs as the Windows build under Wine, as users run it.
bench_audio_stretch() {
    if ! command -v soundstretch >/dev/null; then
        echo "bench: installing soundstretch"
        local sudo=""
        [ "$(id -u)" = 0 ] || sudo=sudo
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
            soundstretch >/dev/null
    fi
    local long="$media/speech-long.wav"
    if [ ! -f "$long" ]; then
        local text="Welcome to this recorded presentation. Today we look at the structure of the
talk, the main results, and the questions that remain open. First, the background. Second, the
method we used and why. Third, the measurements, slide by slide. Finally, a short summary."
        local all="" i
        for i in $(seq 1 40); do all="$all $text"; done
        espeak-ng -s 150 -w "$media/speech-long-raw.wav" "$all"
        ffmpeg -nostdin -hide_banner -loglevel error -y -i "$media/speech-long-raw.wav" \
            -af "apad,aresample=44100" -ac 2 -t 707 -c:a pcm_s16le -fflags +bitexact \
            -flags:a +bitexact "$long"
        rm -f "$media/speech-long-raw.wav"
    fi
    local exe="$BUILD_DIR/bin/audio_stretch_bench.exe"
    local out="$media/stretch-out"
    mkdir -p "$out"
    echo
    echo "Audio time-stretch, 11:47 speech, 44.1 kHz stereo (wall seconds, end to end)"
    printf "%-6s %9s %9s %12s %10s %14s   %s\n" speed ours atempo soundstretch \
        ours/atempo ours/soundstr "ours inside the process"
    local s ours atempo sst inner
    for s in 0.5 1.5 3.0; do
        # A first run warms the page cache and Wine's loader for all three.
        wine "$exe" "$long" "$out/ours-$s.wav" "$s" >/dev/null 2>&1 || true
        ours=$(bench_time wine "$exe" "$long" "$out/ours-$s.wav" "$s")
        inner=$(wine "$exe" "$long" "$out/ours-$s.wav" "$s" 2>&1 | tr -d '\r' |
            sed -n 's/.*\(stretch_s=[0-9.]*\).*\(total_s=[0-9.]*\).*/\1 \2/p')
        atempo=$(bench_time ffmpeg -nostdin -y -i "$long" -filter:a "atempo=$s" \
            "$out/atempo-$s.wav")
        sst=$(bench_time soundstretch "$long" "$out/soundstretch-$s.wav" \
            -tempo="$(awk -v s="$s" 'BEGIN { printf "%.1f", (s - 1) * 100 }')")
        printf "%-6s %9s %9s %12s %10s %14s   %s\n" "$s" "$ours" "$atempo" "$sst" \
            "$(awk -v a="$ours" -v b="$atempo" 'BEGIN { printf "%.2f", a / b }')" \
            "$(awk -v a="$ours" -v b="$sst" 'BEGIN { printf "%.2f", a / b }')" "$inner"
    done
    rm -rf "$out"
}
bench_audio_stretch
# ---- end of audio time-stretch ---------------------------------------------------------------

# ---- video engine: presentation reader open-to-running and seek-to-resumed ----
if [ -f "$bin/video_reader_bench.exe" ]; then
    (cd "$bin" && ORVANE_MEDIA="$BUILD_DIR/media" wine video_reader_bench.exe 2>/dev/null | tr -d '\r')
fi
# ---- end video engine ----
