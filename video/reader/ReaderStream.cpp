// Stream slots of the playback graph.
#include "video/reader/ReaderStream.h"

#include "video/splitter/CWMFOutputPin.h"
#include "video/EngineText.h"
#include "platform/base/TimeUnits.h"

#include <uuids.h>

ReaderStream::~ReaderStream()
{
    Reset();
}

void ReaderStream::Reset()
{
    pin.Release();
    streamConfig.Release();
    duration = 0;
    kind = kNone;
    isVideo = FALSE;
    streamNumber = 0;
}

std::wstring ReaderStream::Init(IPin* newPin, int newKind, const AM_MEDIA_TYPE& type)
{
    Reset();
    kind = newKind;
    // Every pin of the engine's graph comes from its own splitter.
    CWMFOutputPin* splitterPin = static_cast<CWMFOutputPin*>(newPin);
    streamNumber = splitterPin->GetStreamNumber(&streamConfig);
    isVideo = type.majortype == MEDIATYPE_Video;
    CComPtr<IMediaSeeking> seeking;
    HRESULT hr = newPin->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&seeking));
    if (FAILED(hr) || seeking == nullptr) {
        return CALL_FAILURE(L"IPin::QueryInterface", FAILED(hr) ? hr : E_NOINTERFACE,
                            L"IMediaSeeking");
    }
    LONGLONG length = 0;
    hr = seeking->GetDuration(&length);
    seeking.Release();
    if (FAILED(hr)) {
        return CALL_FAILURE(L"IMediaSeeking::GetDuration", hr, L"");
    }
    if (length <= 0) {
        return CALL_FAILURE(L"GetDuration", E_FAIL, FormatText(L"%i", isVideo).c_str());
    }
    duration = RefTimeToSeconds(length);
    mediaType.Set(type);
    pin = newPin;
    return std::wstring();
}
