#!/usr/bin/env bash
# Benchmarks (figures only, never pass/fail): builds everything, starts the Wine environment,
# then runs each area's block in scripts/bench.d/ in name order.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
. "$root/scripts/wine-env.sh"
ORVANE_XVFB=1 wine_env_start
bin="$BUILD_DIR/tests/bin"
for block in "$root"/scripts/bench.d/*.sh; do
    echo "==== $(basename "$block" .sh) ===="
    ( . "$block" ) || echo "(benchmark block $(basename "$block") failed)"
done
