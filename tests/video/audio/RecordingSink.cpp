// The recording test sink.
#include "tests/video/audio/RecordingSink.h"

void RecordingSink::Log(const std::wstring& line)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_lines.push_back(line);
}

void RecordingSink::LogMediaType(const AM_MEDIA_TYPE&)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_mediaTypeLines;
}

void RecordingSink::OnAsyncError(int code, const std::wstring& text)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_errors.push_back(std::to_wstring(code) + L":" + text);
}

void RecordingSink::OnAudioData(int source, const WAVEFORMATEX* format, const BYTE*, long length)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (source == 0 && format) {
        m_lastFormat = *format;
    }
    m_audioBytes += length;
    ++m_audioCalls;
}

std::wstring RecordingSink::FormatCallFailure(const wchar_t* call, HRESULT hr, const wchar_t*,
                                              const char*, unsigned)
{
    return std::wstring(call) + L" failed " + std::to_wstring(static_cast<unsigned>(hr));
}

std::vector<std::wstring> RecordingSink::Lines() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lines;
}

std::vector<std::wstring> RecordingSink::Errors() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_errors;
}

long long RecordingSink::AudioBytes() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_audioBytes;
}

int RecordingSink::AudioCalls() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_audioCalls;
}

int RecordingSink::MediaTypeLines() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_mediaTypeLines;
}

WAVEFORMATEX RecordingSink::LastFormat() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lastFormat;
}
