// Media types the engine tests build: audio and video formats with chosen fields.
#pragma once

#include "MediaTypeValue.h"

#include <dshow.h>
#include <dvdmedia.h>

#include <cstring>

namespace orvane::test {

inline MediaTypeValue AudioType(WORD tag, DWORD rate, WORD channels, DWORD bytesPerSecond,
                                WORD bits = 16)
{
    MediaTypeValue type;
    type.majortype = MEDIATYPE_Audio;
    type.subtype = MEDIASUBTYPE_PCM;
    type.subtype.Data1 = tag;
    type.formattype = FORMAT_WaveFormatEx;
    type.AllocFormat(sizeof(WAVEFORMATEX));
    auto* wave = reinterpret_cast<WAVEFORMATEX*>(type.pbFormat);
    wave->wFormatTag = tag;
    wave->nSamplesPerSec = rate;
    wave->nChannels = channels;
    wave->nAvgBytesPerSec = bytesPerSecond;
    wave->wBitsPerSample = bits;
    wave->nBlockAlign = static_cast<WORD>(channels * bits / 8);
    return type;
}

inline MediaTypeValue VideoType(DWORD code, LONG width, LONG height, REFERENCE_TIME perFrame,
                                WORD bits = 24)
{
    MediaTypeValue type;
    type.majortype = MEDIATYPE_Video;
    type.subtype = MEDIASUBTYPE_RGB24;
    type.formattype = FORMAT_VideoInfo;
    type.AllocFormat(sizeof(VIDEOINFOHEADER));
    auto* video = reinterpret_cast<VIDEOINFOHEADER*>(type.pbFormat);
    video->AvgTimePerFrame = perFrame;
    video->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    video->bmiHeader.biWidth = width;
    video->bmiHeader.biHeight = height;
    video->bmiHeader.biBitCount = bits;
    video->bmiHeader.biCompression = code;
    return type;
}

}  // namespace orvane::test
