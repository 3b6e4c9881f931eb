// What the engine's audio filters report, passed on to the player's callback object: log lines,
// asynchronous errors and the audio data for the level meter.
#pragma once

#include "video/audio/IAudioFilterSink.h"

class EngineAudioSink : public IAudioFilterSink {
public:
    void Log(const std::wstring& line) override;
    void LogMediaType(const AM_MEDIA_TYPE& type) override;
    void OnAsyncError(int code, const std::wstring& text) override;
    void OnAudioData(int source, const WAVEFORMATEX* format, const BYTE* data,
                     long length) override;
    std::wstring FormatCallFailure(const wchar_t* call, HRESULT hr, const wchar_t* detail,
                                   const char* file, unsigned line) override;

    // The one sink of the library.
    static EngineAudioSink* Instance();
};
