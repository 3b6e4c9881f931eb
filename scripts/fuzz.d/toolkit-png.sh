#!/usr/bin/env bash
# Fuzzes the toolkit's PNG decoder (bytes to BGRA pixels over libpng) for a bounded time: a
# native libFuzzer build with AddressSanitizer and UBSan against the native libpng, seeded
# with the generated test images. Stops at the first failure and leaves the input in
# build/fuzz/toolkit-png/.
#   FUZZ_SECONDS   how long to run (default 60)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${FUZZ_SECONDS:-60}

# The fuzzing tools are installed here only, not by the main setup.
. "$root/scripts/fuzz-tools.sh"
fuzz_install_tools libpng-dev zlib1g-dev python3

out="$root/build/fuzz/toolkit-png"
mkdir -p "$out/corpus"
src="$root/toolkit/common"
tests="$root/tests/toolkit/common"

# Seeds: the test images, damaged ones included.
python3 "$tests/make_png_fixtures.py" "$out/seeds"
cp -n "$out/seeds"/*.png "$out/corpus/" 2>/dev/null || true

clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -I"$root" -I"$src" -I"$tests/fuzz" "$src/PngDecoder.cpp" "$tests/fuzz/PngFuzzEntry.cpp" \
    "$tests/fuzz/PngFuzzMain.cpp" $(pkg-config --cflags --libs libpng) -o "$out/PngToBgraEntry"
echo "fuzz: running PngToBgraEntry for ${seconds} s"
# The decoder allows 64 MiB of pixels; the limit leaves room for libFuzzer and the sanitizers.
(cd "$out" && ./PngToBgraEntry -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=65536 -print_final_stats=1 corpus)
