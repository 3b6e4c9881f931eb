// Media types the engine tests build: audio and video formats with chosen fields.
#pragma once

#include "platform/dshow/CMediaType.h"
#include "video/DXVideoFunc.h"

#include <dshow.h>
#include <dvdmedia.h>

#include <cstring>

namespace orvane::test {

inline CMediaType AudioType(WORD tag, DWORD rate, WORD channels, DWORD bytesPerSecond,
                                WORD bits = 16)
{
    CMediaType type;
    type.majortype = MEDIATYPE_Audio;
    type.subtype = MEDIASUBTYPE_PCM;
    type.subtype.Data1 = tag;
    type.formattype = FORMAT_WaveFormatEx;
    DXVideoFunc::AllocZeroedFormat(type, sizeof(WAVEFORMATEX));
    auto* wave = reinterpret_cast<WAVEFORMATEX*>(type.pbFormat);
    wave->wFormatTag = tag;
    wave->nSamplesPerSec = rate;
    wave->nChannels = channels;
    wave->nAvgBytesPerSec = bytesPerSecond;
    wave->wBitsPerSample = bits;
    wave->nBlockAlign = static_cast<WORD>(channels * bits / 8);
    return type;
}

inline CMediaType VideoType(DWORD code, LONG width, LONG height, REFERENCE_TIME perFrame,
                                WORD bits = 24)
{
    CMediaType type;
    type.majortype = MEDIATYPE_Video;
    type.subtype = MEDIASUBTYPE_RGB24;
    type.formattype = FORMAT_VideoInfo;
    DXVideoFunc::AllocZeroedFormat(type, sizeof(VIDEOINFOHEADER));
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
