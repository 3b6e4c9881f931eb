// Log lines of the engine's audio filters, in the engine's fixed formats. A null sink
// swallows them, so filters work (and are testable) without an engine behind them.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>

#include "video/audio/IAudioFilterSink.h"

namespace filter_trace {

// File name without its folders, as the log shows it.
inline std::wstring FileTitle(const char* path)
{
    const char* name = path;
    for (const char* p = path; *p; ++p) {
        if (*p == '/' || *p == '\\') {
            name = p + 1;
        }
    }
    return std::wstring(name, name + std::strlen(name));
}

// Upper-case hexadecimal without leading zeros, as "%X" writes it.
inline std::wstring Hex(unsigned value)
{
    static const wchar_t digits[] = L"0123456789ABCDEF";
    std::wstring text;
    do {
        text.insert(text.begin(), digits[value & 15u]);
        value >>= 4;
    } while (value != 0);
    return text;
}

// "V.Unexp.cond.(file, line): HR=0x.. text"
inline void Unexpected(IAudioFilterSink* sink, const char* file, unsigned line, HRESULT hr,
                       const std::wstring& text)
{
    if (!sink) {
        return;
    }
    sink->Log(L"V.Unexp.cond.(" + FileTitle(file) + L", " + std::to_wstring(line) +
              L"): HR=0x" + Hex(static_cast<unsigned>(hr)) + L" " + text);
}

// "V.Unexp.cond.(file, line): text"
inline void UnexpectedText(IAudioFilterSink* sink, const char* file, unsigned line,
                           const std::wstring& text)
{
    if (!sink) {
        return;
    }
    sink->Log(L"V.Unexp.cond.(" + FileTitle(file) + L", " + std::to_wstring(line) + L"): " +
              text);
}

// "V.Unexp. local err (file, line): text"
inline void LocalError(IAudioFilterSink* sink, const char* file, unsigned line,
                       const std::wstring& text)
{
    if (!sink) {
        return;
    }
    sink->Log(L"V.Unexp. local err (" + FileTitle(file) + L", " + std::to_wstring(line) +
              L"): " + text);
}

// "V.Info.(file, line): text"
inline void Info(IAudioFilterSink* sink, const char* file, unsigned line,
                 const std::wstring& text)
{
    if (!sink) {
        return;
    }
    sink->Log(L"V.Info.(" + FileTitle(file) + L", " + std::to_wstring(line) + L"): " + text);
}

}  // namespace filter_trace
