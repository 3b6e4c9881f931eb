#!/usr/bin/env bash
# Builds everything and runs the whole test suite under Wine on one Xvfb and one wineserver.
# Exit code is ctest's.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
. "$root/scripts/wine-env.sh"
ORVANE_XVFB=1 wine_env_start
cd "$BUILD_DIR"
jobs=$(nproc)
set +e
ctest --output-on-failure -j "$jobs" "$@"
rc=$?
set -e
exit $rc
