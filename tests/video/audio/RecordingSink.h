// Test sink of the audio filters: records log lines, asynchronous errors and the audio data
// handed over, from any thread.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "video/audio/IAudioFilterSink.h"

class RecordingSink : public IAudioFilterSink {
public:
    void Log(const std::wstring& line) override;
    void LogMediaType(const AM_MEDIA_TYPE& type) override;
    void OnAsyncError(int code, const std::wstring& text) override;
    void OnAudioData(int source, const WAVEFORMATEX* format, const BYTE* data,
                     long length) override;
    std::wstring FormatCallFailure(const wchar_t* call, HRESULT hr, const wchar_t* detail,
                                   const char* file, unsigned line) override;

    std::vector<std::wstring> Lines() const;
    std::vector<std::wstring> Errors() const;
    long long AudioBytes() const;
    int AudioCalls() const;
    int MediaTypeLines() const;
    WAVEFORMATEX LastFormat() const;

private:
    mutable std::mutex m_mutex;
    std::vector<std::wstring> m_lines;
    std::vector<std::wstring> m_errors;
    long long m_audioBytes = 0;
    int m_audioCalls = 0;
    int m_mediaTypeLines = 0;
    WAVEFORMATEX m_lastFormat{};
};
