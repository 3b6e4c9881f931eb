// One stream slot of a playback graph: the splitter pin that carries the stream, its media
// type, Windows Media stream number and configuration, and its duration.
#pragma once

#include "platform/dshow/CMediaType.h"

#include <strmif.h>
#include <wmsdkidl.h>

#include <string>

#include "platform/base/CComPtr.h"

class ReaderStream {
public:
    enum Kind { kAudio = 0, kCamera = 1, kScreen = 2, kNone = 3 };

    ReaderStream() = default;
    ~ReaderStream();
    ReaderStream(const ReaderStream&) = delete;
    ReaderStream& operator=(const ReaderStream&) = delete;

    // Fills the slot from a splitter output pin; error text or empty.
    std::wstring Init(IPin* pin, int kind, const AM_MEDIA_TYPE& type);
    void Reset();

    int kind = kNone;
    CComPtr<IPin> pin;  // NULL when the slot is empty
    BOOL isVideo = FALSE;
    WORD streamNumber = 0;
    CComPtr<IWMStreamConfig> streamConfig;
    CMediaType mediaType;
    double duration = 0;
};
