#!/usr/bin/env bash
# Fuzzes the window-free parsers of the toolkit's storages ("ZIP!" blocks, blob text, string
# escapes, date/rectangle/point/number texts) for a bounded time each: native libFuzzer builds
# with AddressSanitizer and UBSan. Stops at the first failure and leaves the input in
# build/fuzz/toolkit-common/.
#   FUZZ_SECONDS   how long to run each target (default 60)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${FUZZ_SECONDS:-60}

# The fuzzing tools are installed here only, not by the main setup.
. "$root/scripts/fuzz-tools.sh"
fuzz_install_tools zlib1g-dev

out="$root/build/fuzz/toolkit-common"
mkdir -p "$out"
src="$root/toolkit/common"
tests="$root/tests/toolkit/common/fuzz"

# Seeds: a packed block made by the native zlib, and small texts of each form.
seed() { mkdir -p "$out/corpus-$1"; printf '%b' "$3" | iconv -f UTF-8 -t UTF-16LE \
    >"$out/corpus-$1/$2"; }
mkdir -p "$out/corpus-ZipBlockEntry"
python3 - "$out/corpus-ZipBlockEntry/packed" <<'PY'
import struct, sys, zlib
data = (b"dock layout " * 300)[:3000]
open(sys.argv[1], "wb").write(b"ZIP!" + struct.pack("<I", len(data)) + zlib.compress(data))
PY
seed BlobTextEntry blob 'AAMDPPBA'
seed EscapeEntry escapes 'a\\\\b\\\\nc\\\\r\\\\t\\\\q'
seed ValueTextEntry date '2010-06-11T12:30:05'
seed ValueTextEntry time '12:30'
seed ValueTextEntry rect '1, 2, 3, 4'

for entry in ZipBlockEntry BlobTextEntry EscapeEntry ValueTextEntry; do
    clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
        -DORVANE_FUZZ_ENTRY="$entry" -I"$root" -I"$src" -I"$tests" "$src/UTKValueText.cpp" \
        "$src/UTKZipBlock.cpp" "$tests/ExchangeFuzzEntries.cpp" "$tests/FuzzMain.cpp" -lz \
        -o "$out/$entry"
    echo "fuzz: running $entry for ${seconds} s"
    (cd "$out" && "./$entry" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
        -max_len=65536 -print_final_stats=1 "corpus-$entry")
done
