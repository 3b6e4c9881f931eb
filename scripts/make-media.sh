#!/usr/bin/env bash
# Writes the test presentations into $1 with ffmpeg and espeak-ng. Deterministic (bit-exact
# flags, fixed sources), so repeated builds give byte-identical files.
#   make-media.sh OUT_DIR          the sample and the small fixtures
#   make-media.sh OUT_DIR --bench  also the 10-minute two-video file for benchmarks
set -euo pipefail
out=$1
mkdir -p "$out"
cd "$out"
ff=(ffmpeg -nostdin -hide_banner -loglevel error -y)
bx=(-fflags +bitexact -flags:v +bitexact -flags:a +bitexact)

speech_text="Welcome to this recorded presentation. Today we look at the structure of the talk,
the main results, and the questions that remain open. First, the background. Second, the
method we used and why. Third, the measurements, slide by slide. Finally, a short summary."

if [ ! -f speech.wav ]; then
    espeak-ng -s 150 -w speech-raw.wav "$speech_text"
    # 20 s of speech at 44.1 kHz stereo: the voice, padded with silence.
    "${ff[@]}" -i speech-raw.wav -af "apad,aresample=44100" -ac 2 -t 20 -c:a pcm_s16le \
        "${bx[@]}" speech.wav
    rm -f speech-raw.wav
fi

cat > meta.txt <<'META'
;FFMETADATA1
title=Orvane Sample Talk
artist=Dana Whitfield
album=Orvane Test Series
date=2026
genre=Education
comment=A generated presentation for the player's tests.
copyright=Orvane test media

[CHAPTER]
TIMEBASE=1/1000
START=0
END=3000
title=Introduction

[CHAPTER]
TIMEBASE=1/1000
START=3000
END=7500
title=Background

[CHAPTER]
TIMEBASE=1/1000
START=7500
END=11000
title=Method

[CHAPTER]
TIMEBASE=1/1000
START=11000
END=15500
title=Results

[CHAPTER]
TIMEBASE=1/1000
START=15500
END=20000
title=Summary
META

cam=(-f lavfi -i "testsrc=size=320x240:rate=15")
scr=(-f lavfi -i "testsrc2=size=640x480:rate=5")
enc=(-c:v wmv2 -b:v 300k -c:a wmav2 -b:a 64k)

if [ ! -f sample.wmv ]; then
    "${ff[@]}" "${cam[@]}" "${scr[@]}" -i speech.wav -i meta.txt \
        -map 0:v -map 1:v -map 2:a -map_metadata 3 -map_chapters 3 -t 20 "${enc[@]}" \
        "${bx[@]}" sample.wmv
fi
# The same presentation with its video in MS Video 1, a second codec (Wine decodes it itself).
if [ ! -f sample-video1.wmv ]; then
    "${ff[@]}" "${cam[@]}" "${scr[@]}" -i speech.wav -i meta.txt \
        -map 0:v -map 1:v -map 2:a -map_metadata 3 -map_chapters 3 -t 20 \
        -c:v msvideo1 -c:a wmav2 -b:a 64k "${bx[@]}" sample-video1.wmv
fi
if [ ! -f audio-only.wma ]; then
    "${ff[@]}" -i speech.wav -i meta.txt -map 0:a -map_metadata 1 -map_chapters 1 -t 10 \
        -c:a wmav2 -b:a 64k "${bx[@]}" -f asf audio-only.wma
fi
if [ ! -f one-video.wmv ]; then
    "${ff[@]}" "${cam[@]}" -i speech.wav -map 0:v -map 1:a -t 5 "${enc[@]}" "${bx[@]}" \
        one-video.wmv
fi
if [ ! -f codec-wmv1.wmv ]; then
    "${ff[@]}" "${cam[@]}" -t 4 -c:v wmv1 -b:v 300k "${bx[@]}" codec-wmv1.wmv
fi
# Native ffmpeg's checksum of every decoded picture (4:2:0 planes), for the decoder stand-in.
framemd5() {
    [ -f "$3" ] || "${ff[@]}" -threads 1 -flags:v +bitexact -i "$1" -map "0:v:$2" \
        -fps_mode passthrough -f framemd5 "$3"
}
framemd5 codec-wmv1.wmv 0 codec-wmv1.framemd5
framemd5 one-video.wmv 0 one-video.framemd5
framemd5 sample.wmv 1 sample-screen.framemd5
# ffmpeg's pictures of the sample's camera video from 9 s to 12 s (15 a second, 320x240 BGR),
# to compare what the engine shows after a seek or a frame step.
if [ ! -f camera-9s-12s.bgr ]; then
    "${ff[@]}" -threads 1 -flags:v +bitexact -i sample.wmv -map 0:v:0 \
        -vf "trim=start=9:end=12" -fps_mode passthrough -f rawvideo -pix_fmt bgr24 \
        camera-9s-12s.bgr
fi
if [ ! -f tone.wav ]; then
    "${ff[@]}" -f lavfi -i "sine=frequency=440:sample_rate=44100" -t 2 -ac 2 -c:a pcm_s16le \
        "${bx[@]}" tone.wav
fi

# Damaged variants of the sample, for the error paths.
if [ ! -f damaged-zero.wmv ]; then
    size=$(stat -c %s sample.wmv)
    : > damaged-zero.wmv
    head -c 3000 sample.wmv > damaged-header-truncated.wmv
    head -c $((size / 2)) sample.wmv > damaged-data-truncated.wmv
    # Flip bytes inside the header object (the file properties and stream properties).
    python3 - sample.wmv damaged-header-flipped.wmv <<'PY'
import sys
data = bytearray(open(sys.argv[1], 'rb').read())
for off in range(40, 1200, 37):
    data[off] ^= 0xA5
open(sys.argv[2], 'wb').write(data)
PY
fi

# The decodable sample with 20 bytes of its header object overwritten (the first child
# object's identifier and size): the reader refuses it while opening.
if [ ! -f damaged-header-ff.wmv ]; then
    python3 - sample-video1.wmv damaged-header-ff.wmv <<'PY'
import sys
data = bytearray(open(sys.argv[1], 'rb').read())
data[40:60] = b'\xff' * 20
open(sys.argv[2], 'wb').write(data)
PY
fi

# The sample with bytes of its video frames damaged here and there (the packets stay whole),
# and with its video's FourCC changed to one that no decoder takes.
if [ ! -f damaged-video.wmv ]; then
    "${ff[@]}" -i sample.wmv -map 0 -c copy -bsf:v noise=amount=20000 "${bx[@]}" \
        damaged-video.wmv
fi
if [ ! -f unknown-codec.wmv ]; then
    python3 - sample.wmv unknown-codec.wmv <<'PY'
import struct, sys
data = bytearray(open(sys.argv[1], 'rb').read())
header_size = struct.unpack_from('<Q', data, 16)[0]
head = data[:header_size].replace(b'WMV2', b'QZ99')
open(sys.argv[2], 'wb').write(head + data[header_size:])
PY
fi

if [ "${2:-}" = --bench ] && [ ! -f long-two-video.wmv ]; then
    "${ff[@]}" "${cam[@]}" "${scr[@]}" -f lavfi -i "sine=frequency=220:sample_rate=44100" \
        -map 0:v -map 1:v -map 2:a -t 600 "${enc[@]}" "${bx[@]}" long-two-video.wmv
fi
touch stamp
