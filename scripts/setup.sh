#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, as root. Idempotent: a second run
# with everything present installs nothing and returns in well under a second.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
deps="$here/build/deps"
. "$here/scripts/arch.sh"

need_pkgs=(
  g++-mingw-w64-i686 cmake ninja-build ccache make
  wine wine64 fonts-wine fonts-dejavu-core xvfb xauth imagemagick xdotool ffmpeg
  espeak-ng sox
  nginx tinyproxy-bin
  libz-mingw-w64-dev googletest python3 dpkg-dev nasm
)
if [ "$ORVANE_ARCH" = i686 ]; then
  # Wine's 32-bit side, its media decoders (GStreamer) and the GL the video renderers draw with.
  need_pkgs+=(
    wine32:i386
    gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386
    gstreamer1.0-plugins-ugly:i386 gstreamer1.0-libav:i386
    libgl1-mesa-dri:i386 libglx-mesa0:i386 libgl1:i386
  )
else
  need_pkgs+=(
    g++-mingw-w64-x86-64
    gstreamer1.0-plugins-base:amd64 gstreamer1.0-plugins-good:amd64
    gstreamer1.0-plugins-ugly:amd64 gstreamer1.0-libav:amd64
    libgl1-mesa-dri:amd64 libglx-mesa0:amd64 libgl1:amd64
  )
fi

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${need_pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if [ "$ORVANE_ARCH" = i686 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get update -qq || true
  as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

enable_deb_src() {
  local src=/etc/apt/sources.list.d/debian.sources
  if [ -f "$src" ] && ! grep -q 'deb-src' "$src"; then
    as_root sed -i 's/^Types: deb$/Types: deb deb-src/' "$src"
    as_root apt-get update -qq || true
  fi
}

# libpng has no mingw package: cross-build it once per architecture from Debian's source package.
build_png() {
  local arch=$1 prefix="$deps/$1/png"
  [ -f "$prefix/lib/libpng16.a" ] && return 0
  enable_deb_src
  mkdir -p "$deps/src"
  ( cd "$deps/src"
    if ! ls -d libpng1.6-*/ >/dev/null 2>&1; then
      apt-get source -qq libpng1.6/bookworm >/dev/null
    fi
    pdir=$(ls -d libpng1.6-*/ | head -n1)
    rm -rf "png-build-$arch"
    cmake -S "$pdir" -B "png-build-$arch" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-$arch.cmake" \
      -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release \
      -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
      -DZLIB_LIBRARY="/usr/$arch-w64-mingw32/lib/libz.a" \
      -DZLIB_INCLUDE_DIR="/usr/$arch-w64-mingw32/include" >/dev/null
    cmake --build "png-build-$arch" >/dev/null
    cmake --install "png-build-$arch" >/dev/null )
}
build_png i686
if [ "$ORVANE_ARCH" = x86_64 ]; then
  build_png x86_64
fi

# The video decoder stand-in used under Wine (platform/wmvdecdmo) decodes with libavcodec, built
# once per architecture from Debian's ffmpeg source: only avutil and avcodec, only the Windows
# Media Video decoders, no external libraries, LGPL. Configure takes most of the time.
build_avcodec() {
  local arch=$1 prefix="$deps/$1/avcodec"
  [ -f "$prefix/lib/libavcodec.a" ] && return 0
  enable_deb_src
  mkdir -p "$deps/src"
  ( cd "$deps/src"
    if ! ls -d ffmpeg-*/ >/dev/null 2>&1; then
      apt-get source -qq ffmpeg/bookworm >/dev/null 2>&1
    fi
    fdir=$(cd "$(ls -d ffmpeg-*/ | head -n1)" && pwd)
    local ffarch=x86
    [ "$arch" = x86_64 ] && ffarch=x86_64
    rm -rf "avcodec-build-$arch"
    mkdir "avcodec-build-$arch"
    cd "avcodec-build-$arch"
    echo "setup: building libavcodec for $arch (once)"
    "$fdir/configure" --prefix="$prefix" --enable-cross-compile --target-os=mingw32 \
      --arch="$ffarch" --cross-prefix="$arch-w64-mingw32-" --pkg-config=false \
      --enable-static --disable-shared --disable-autodetect --disable-everything \
      --disable-programs --disable-doc --disable-network --disable-debug \
      --disable-avdevice --disable-avformat --disable-avfilter --disable-swscale \
      --disable-swresample --disable-postproc --disable-pixelutils \
      --enable-decoder=wmv1,wmv2,wmv3,vc1 >configure.log 2>&1 \
      || { echo "setup: libavcodec configure failed (see $PWD/configure.log)" >&2; exit 1; }
    make -j"${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}" >make.log 2>&1 \
      || { echo "setup: libavcodec build failed (see $PWD/make.log)" >&2; exit 1; }
    make install >/dev/null )
}
build_avcodec i686
if [ "$ORVANE_ARCH" = x86_64 ]; then
  build_avcodec x86_64
fi
