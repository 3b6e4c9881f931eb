#!/usr/bin/env bash
# Configures (once) and builds the cross-compiled tree of this machine's architecture
# (scripts/arch.sh). Where only the 64-bit build can run, the 32-bit program is built as well.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
. "$root/scripts/arch.sh"
orvane_arch_note
# Compiler-cache hits for every clone of the tree, wherever it lies.
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1

configure() {
    local dir=$1 arch=$2
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$root" -B "$dir" -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" >/dev/null
    fi
}

if [ "$ORVANE_ARCH" = x86_64 ]; then
    configure "$root/build" i686
    cmake --build "$root/build" --target QVP QVPVideo wmvcore wmvdecdmo
fi
configure "$BUILD_DIR" "$ORVANE_ARCH"
cmake --build "$BUILD_DIR" "$@"
