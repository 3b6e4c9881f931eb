#!/usr/bin/env bash
# Fuzzes the image manager's readers of stored layouts (toolbar resources, icon directories,
# bitmap and icon headers, saved icon records) for a bounded time each: native libFuzzer
# builds with AddressSanitizer and UBSan, seeded with the generated test images. Stops at the
# first failure and leaves the input in build/fuzz/toolkit-images/.
#   FUZZ_SECONDS   how long to run each target (default 60)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${FUZZ_SECONDS:-60}

# The fuzzing tools are installed here only, not by the main setup.
. "$root/scripts/fuzz-tools.sh"
fuzz_install_tools python3

out="$root/build/fuzz/toolkit-images"
src="$root/toolkit/common"
tests="$root/tests/toolkit/common"
mkdir -p "$out"

# Seeds: the generated images, cut to what each reader takes.
python3 "$tests/make_image_fixtures.py" "$out/seeds"
for entry in ToolBarEntry IconDirectoryEntry DibHeaderEntry IconRecordEntry; do
    mkdir -p "$out/corpus-$entry"
done
cp -n "$out/seeds"/toolbar*.bin "$out/corpus-ToolBarEntry/" 2>/dev/null || true
cp -n "$out/seeds"/*.ico "$out/corpus-IconDirectoryEntry/" 2>/dev/null || true
tail -c +15 "$out/seeds/strip32.bmp" >"$out/corpus-DibHeaderEntry/strip32.dib"
tail -c +39 "$out/seeds/alpha.ico" >"$out/corpus-DibHeaderEntry/alpha16.dib"
# A saved icon record: height 16, schema 36, a 16 by 16 alpha bitmap, four empty images.
python3 - "$out/corpus-IconRecordEntry/alpha16.rec" <<'PY'
import struct, sys
header = struct.pack("<IiiHHIIiiII", 40, 16, 16, 1, 32, 0, 1024, 0, 0, 0, 0) + b"\0" * 12
record = struct.pack("<ii", 16, 36) + struct.pack("<H", len(header)) + header + \
    struct.pack("<H", 1024) + bytes(range(256)) * 4 + struct.pack("<H", 0) + b"\0" * 16
open(sys.argv[1], "wb").write(record)
PY

for entry in ToolBarEntry IconDirectoryEntry DibHeaderEntry IconRecordEntry; do
    clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
        -DORVANE_FUZZ_ENTRY="$entry" -I"$root" -I"$src" "$src/ImageRecordFormats.cpp" \
        "$tests/fuzz/ImageFuzzEntries.cpp" "$tests/fuzz/ImageFuzzMain.cpp" -o "$out/$entry"
    echo "fuzz: running $entry for ${seconds} s"
    (cd "$out" && "./$entry" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
        -max_len=65536 -print_final_stats=1 "corpus-$entry")
done
