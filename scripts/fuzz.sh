#!/usr/bin/env bash
# Fuzzes the parsers of stored data for a bounded time (not part of the tests), natively with
# libFuzzer: the ASF parser and the typed-value text form. Each target runs in a fast build
# (UBSan and the library's bounds assertions) for most of its time, then every input its corpus
# kept is replayed once under AddressSanitizer. Stops at the first crash and leaves the crashing
# input in build/fuzz/<target>/. The settings XML layer sits on the system's XML parser and is
# fuzzed under Wine by the support library's tests instead.
#   FUZZ_SECONDS      how long the ASF parser runs (default 120)
#   FUZZ_TEXT_SECONDS how long the typed-value text runs (default 60)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-120}
text_seconds=${FUZZ_TEXT_SECONDS:-60}

# The fuzzing tools are installed here only, not by the main setup.
. "$root/scripts/fuzz-tools.sh"
fuzz_install_tools

bash "$root/scripts/build.sh" --target orvane_media >/dev/null
. "$root/scripts/arch.sh"
out="$root/build/fuzz"
mkdir -p "$out"

fast=(clang++ -std=c++20 -g -O2 -D_GLIBCXX_ASSERTIONS -fsanitize=fuzzer,undefined
      -fno-sanitize-recover=all)
asan=(clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)

# ---- ASF parser: seeds are the presentations cut to their header and a few packets --------
wmv="$root/platform/wmvcore"
asf_sources=("$root/tests/platform/wmvcore/AsfFuzzer.cpp" "$wmv"/asf/*.cpp)
"${fast[@]}" -I"$root" -I"$wmv" "${asf_sources[@]}" -o "$out/asf_fuzzer"
"${asan[@]}" -I"$root" -I"$wmv" "${asf_sources[@]}" -o "$out/asf_fuzzer_asan"
tiny="$out/tiny"
mkdir -p "$tiny"
ff=(ffmpeg -nostdin -hide_banner -loglevel error -y -fflags +bitexact)
meta="$BUILD_DIR/media/meta.txt"
# Small packets, so that a few kilobytes hold the header, several packets and split objects.
[ -f "$tiny/two-video.wmv" ] || "${ff[@]}" -f lavfi -i "testsrc=size=32x24:rate=5" \
    -f lavfi -i "testsrc2=size=48x32:rate=2" -f lavfi -i "sine=sample_rate=22050" -i "$meta" \
    -map 0:v -map 1:v -map 2:a -map_metadata 3 -map_chapters 3 -t 3 -c:v msvideo1 \
    -c:a wmav2 -b:a 32k -packet_size 512 "$tiny/two-video.wmv"
[ -f "$tiny/audio-only.wma" ] || "${ff[@]}" -f lavfi -i "sine=sample_rate=22050" -i "$meta" \
    -map 0:a -map_metadata 1 -map_chapters 1 -t 3 -c:a wmav2 -b:a 32k -packet_size 512 \
    -f asf "$tiny/audio-only.wma"
[ -f "$tiny/one-video.wmv" ] || "${ff[@]}" -f lavfi -i "testsrc=size=32x24:rate=5" \
    -f lavfi -i "sine=sample_rate=22050" -map 0:v -map 1:a -t 3 -c:v wmv2 -c:a wmav2 \
    -b:a 32k -packet_size 512 "$tiny/one-video.wmv"
mkdir -p "$out/asf/seeds" "$out/asf/corpus"
python3 "$root/scripts/fuzz-seeds.py" "$out/asf/seeds" "$tiny"/* \
    "$BUILD_DIR/media/sample-video1.wmv" "$BUILD_DIR/media/audio-only.wma" \
    "$BUILD_DIR/media/one-video.wmv" >/dev/null

# ---- typed-value text: seeds are texts of the shapes the settings and the engine write ----
sp="$root/WinNT_SP/Include_VS2005"
tv_sources=("$root/tests/WinNT_SP/Include_VS2005/TypedValueTextFuzzer.cpp" "$sp/TypedValue.cpp"
            "$sp/TypedValueText.cpp")
tv_flags=(-include cstddef -I"$root" -I"$sp" -I"$root/tests/WinNT_SP/Include_VS2005")
"${fast[@]}" "${tv_flags[@]}" "${tv_sources[@]}" -o "$out/text_fuzzer"
"${asan[@]}" "${tv_flags[@]}" "${tv_sources[@]}" -o "$out/text_fuzzer_asan"
mkdir -p "$out/text/seeds" "$out/text/corpus"
python3 - "$out/text/seeds" <<'PY'
import sys
seeds = [
    (0, '(Num=5,Vol=0.8,Name="a b",Text=(x=1),Big=-9000000000,Bin=0A0B,Flt=1.5,'
        'Run=(1,2,3),Pos=(X=1,Y=-2),List=(a,(b=1),))'),
    (0, '(Run=(1,,3),Name=\\"q\\",Vol=1E999)'),
    (1, '(Items=((A=1,B=x),(A=2,B="y,z"),))'),
    (1, '(Items=())'),
    (2, '-12345.678E-9'),
    (0x82, '0.000000000000000000001'),
]
for i, (knob, text) in enumerate(seeds):
    open('%s/seed%d' % (sys.argv[1], i), 'wb').write(bytes([knob]) + text.encode('utf-16le'))
PY

# Runs one target: the fast build for the given time, then the corpus once under ASan.
run() {
    local name=$1 secs=$2 max_len=$3
    local dir="$out/$name"
    echo "fuzz: $name for ${secs} s (inputs up to $max_len bytes)"
    (cd "$dir" && "$out/${name}_fuzzer" -max_total_time="$secs" -timeout=10 -rss_limit_mb=2048 \
        -max_len="$max_len" -print_final_stats=1 corpus seeds) >"$dir/fuzz.log" 2>&1 || {
        tail -40 "$dir/fuzz.log"
        echo "fuzz: $name found a crash (input in $dir)"
        exit 1
    }
    (cd "$dir" && "$out/${name}_fuzzer_asan" -runs=0 -rss_limit_mb=2048 corpus) \
        >"$dir/asan.log" 2>&1 || {
        tail -40 "$dir/asan.log"
        echo "fuzz: $name: AddressSanitizer found an error in the corpus (input in $dir)"
        exit 1
    }
    local runs rate cov kept
    runs=$(awk '/stat::number_of_executed_units/{print $2}' "$dir/fuzz.log")
    rate=$(awk '/stat::average_exec_per_sec/{print $2}' "$dir/fuzz.log")
    cov=$(grep -o 'cov: [0-9]*' "$dir/fuzz.log" | tail -1 | awk '{print $2}')
    kept=$(find "$dir/corpus" -type f | wc -l)
    printf 'fuzz: %-5s %10s inputs, %7s per second, coverage %s edges, corpus %s' \
        "$name" "$runs" "$rate" "$cov" "$kept"
    echo ' (ASan replay clean)'
}

run asf "$seconds" 4096
# The docking layout reader and check (native, seeded with the tests' layouts).
bash "$root/scripts/fuzz.d/toolkit-docking.sh"
run text "$text_seconds" 1024

# The toolkit's parsers of stored data: property storages, PNG and the binary exchange (their
# own targets and seeds; the last under Wine).
bash "$root/scripts/fuzz.d/toolkit-common.sh"
bash "$root/scripts/fuzz.d/toolkit-png.sh"
bash "$root/scripts/fuzz.d/toolkit-archive.sh"
bash "$root/scripts/fuzz.d/toolkit-images.sh"
