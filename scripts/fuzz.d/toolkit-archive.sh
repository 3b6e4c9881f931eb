#!/usr/bin/env bash
# Fuzzes the toolkit's binary property exchange (trees of values read through the framework's
# archive) for a bounded time. It sits on the framework, which builds for Windows only, so it
# runs under Wine with the project's own coverage-guided runner instead of libFuzzer
# (tests/toolkit/common/fuzz/WineFuzzMain.cpp). Stops at the first failure and leaves the input
# beside the corpus in build/<arch>/fuzz/toolkit-archive/.
#   FUZZ_SECONDS   how long to run (default 60)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${FUZZ_SECONDS:-60}

bash "$root/scripts/build.sh" --target toolkit_archive_fuzz >/dev/null
. "$root/scripts/wine-env.sh"
wine_env_start
out="$BUILD_DIR/fuzz/toolkit-archive"
mkdir -p "$out/corpus"
echo "fuzz: running the archive exchange for ${seconds} s under Wine (inputs up to 8192 bytes)"
wine "$BUILD_DIR/tests/bin/toolkit_archive_fuzz.exe" "$seconds" 8192 \
    "$(winepath -w "$out/corpus")" </dev/null | tr -d '\r'
