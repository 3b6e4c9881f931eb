// What the engine's audio filters report to the outside: log lines, asynchronous errors, the
// audio data for the level meter and the media type of a connection. The engine implements it
// over the player's callback object and its trace log; the filters never call the player
// directly. All operations may be called from a streaming thread and must not block long.
#pragma once

#include <windows.h>
#include <mmreg.h>
#include <strmif.h>

#include <string>

class IAudioFilterSink {
public:
    // One finished log line (the filter has formatted it, without a time stamp).
    virtual void Log(const std::wstring& line) = 0;
    // The media type line of a connection, written without a prefix to the engine's log.
    virtual void LogMediaType(const AM_MEDIA_TYPE& type) = 0;
    // A failure the user should see, reported from a streaming thread; code 1 for filters.
    virtual void OnAsyncError(int code, const std::wstring& text) = 0;
    // PCM data of one sample on its way to the renderer; format is the connection's 18-byte
    // format record. Called synchronously on the streaming thread.
    virtual void OnAudioData(int source, const WAVEFORMATEX* format, const BYTE* data,
                             long length) = 0;
    // The text of a failed call: its name, its code and where it failed.
    virtual std::wstring FormatCallFailure(const wchar_t* call, HRESULT hr,
                                           const wchar_t* detail, const char* file,
                                           unsigned line) = 0;

protected:
    ~IAudioFilterSink() = default;
};
