// The audio filters' sink over the engine's callback object.
#include "video/reader/EngineAudioSink.h"

#include "video/DXVideoFunc.h"
#include "video/EngineGlobals.h"
#include "video/EngineText.h"

void EngineAudioSink::Log(const std::wstring& line)
{
    QVRInstance* callback = GetEngineCallback();
    if (callback != nullptr) {
        callback->Log(0, L"%s", line.c_str());
    }
}

void EngineAudioSink::LogMediaType(const AM_MEDIA_TYPE& type)
{
    Log(DXVideoFunc::MediaTypeToText(type));
}

void EngineAudioSink::OnAsyncError(int code, const std::wstring& text)
{
    QVRInstance* callback = GetEngineCallback();
    if (callback != nullptr) {
        callback->OnAsyncError(code, text.c_str());
    }
}

void EngineAudioSink::OnAudioData(int source, const WAVEFORMATEX* format, const BYTE* data,
                                  long length)
{
    QVRInstance* callback = GetEngineCallback();
    if (callback != nullptr) {
        callback->OnAudioData(source, format, data, length);
    }
}

std::wstring EngineAudioSink::FormatCallFailure(const wchar_t* call, HRESULT hr,
                                                const wchar_t* detail, const char* file,
                                                unsigned line)
{
    return ::FormatCallFailure(call, hr, detail, file, line);
}

EngineAudioSink* EngineAudioSink::Instance()
{
    static EngineAudioSink sink;
    return &sink;
}
