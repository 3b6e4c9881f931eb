// Stream slots of the playback graph.
#include "ReaderStream.h"

#include "CWMFOutputPin.h"
#include "EngineText.h"

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
    duration = static_cast<double>(length) / 1e7;
    mediaType.Set(type);
    pin = newPin;
    return std::wstring();
}
