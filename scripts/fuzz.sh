#!/usr/bin/env bash
# Fuzzes the ASF parser for a bounded time (not part of the tests): a native libFuzzer build
# with AddressSanitizer and UBSan, seeded with the generated test presentations. Stops at the
# first crash and leaves the crashing input in build/fuzz/.
#   FUZZ_SECONDS   how long to run (default 120)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-120}

# The fuzzing tools are installed here only, not by the main setup.
as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }
missing=()
for p in clang libclang-rt-14-dev; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "fuzz: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    as_root apt-get update -qq || true
    as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The seeds are the generated fixtures.
bash "$root/scripts/build.sh" --target orvane_media >/dev/null
. "$root/scripts/arch.sh"

out="$root/build/fuzz"
mkdir -p "$out/corpus"
src="$root/platform/wmvcore"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -I"$src" "$root/tests/platform/wmvcore/AsfFuzzer.cpp" "$src"/asf/*.cpp -o "$out/asf_fuzzer"
for f in "$BUILD_DIR"/media/*.wmv "$BUILD_DIR"/media/*.wma; do
    # The 10-minute benchmark file is too large to be a useful seed.
    if [ "$(stat -c %s "$f")" -le 4000000 ]; then
        cp -n "$f" "$out/corpus/" 2>/dev/null || true
    fi
done

cd "$out"
echo "fuzz: running the ASF parser fuzzer for ${seconds} s"
./asf_fuzzer -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4000000 \
    -print_final_stats=1 corpus

# The toolkit's storage parsers (their own targets, seeds and native zlib).
bash "$root/scripts/fuzz.d/toolkit-common.sh"
bash "$root/scripts/fuzz.d/toolkit-png.sh"
