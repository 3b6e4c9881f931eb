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

# ---- player: start-up to the shown window against a bare Win32 program (target: at most 2x) ----
if [ -f "$bin/player_bench.exe" ]; then
    (cd "$bin" && wine player_bench.exe)
fi
# ---- end player ----
