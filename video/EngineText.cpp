// Engine-wide text helpers: bounded formatting, GUID texts, the string table, system error
// texts and the call-failure text.
#include "video/EngineText.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include <cstdarg>
#include <cstdio>
#include <cwchar>

#include <dshow.h>

namespace {

struct StringEntry {
    UINT id;
    const wchar_t* text;
};

// The engine's string table.
constexpr StringEntry kStrings[] = {
    {196, L"%s\r\n\r\nSystem error code: 0x%X\r\nFunction: %s (%s)\r\nLine %u in %s"},
    {197, L"The file \"%s\" may be corrupted or it may have an invalid video format."},
    {198, L"Unable to read file \"%s\".\r\nSystem error code: 0x%X"},
    {201, L"Invalid video format: unsupported AM_MEDIA_TYPE::format type (%s)."},
    {202, L"Invalid video size: %i*%i"},
    {203, L"Invalid audio format: unsupported AM_MEDIA_TYPE::format type (%s)."},
    {206, L"Video codec for general use in encoding complex video (for slow-performance PC)."},
    {207, L"Video codec for general use in encoding complex video (for slow-performance PC)."},
    {208, L"Video codec for general use in encoding complex video."},
    {209, L"Video codec optimized for encoding sequential screenshots. This codec is not as good "
          L"as the Windows Media 9 Screen codec."},
    {210, L"Video codec optimized for encoding sequential screenshots."},
    {212, L"Default Monitor"},
    {213, L"Automatically select"},
};

}  // namespace

wchar_t* FormatBufV(wchar_t* buffer, size_t chars, const wchar_t* format, va_list args)
{
    TRACE_FUNCTION();
    if (!buffer || chars == 0) {
        return buffer;
    }
    buffer[0] = L'\0';
    if (format) {
        // The C runtime's own formatter: MS semantics for %s, %S, %hs and %I64d.
        _vsnwprintf(buffer, chars - 1, format, args);
    }
    buffer[chars - 1] = L'\0';
    return buffer;
}

wchar_t* FormatBufN(wchar_t* buffer, size_t chars, const wchar_t* format, ...)
{
    TRACE_FUNCTION();
    va_list args;
    va_start(args, format);
    FormatBufV(buffer, chars, format, args);
    va_end(args);
    return buffer;
}

wchar_t* FormatBuf4096(wchar_t (&buffer)[4096], const wchar_t* format, ...)
{
    TRACE_FUNCTION();
    va_list args;
    va_start(args, format);
    FormatBufV(buffer, 4096, format, args);
    va_end(args);
    return buffer;
}

wchar_t* FormatBuf256(wchar_t (&buffer)[256], const wchar_t* format, ...)
{
    TRACE_FUNCTION();
    va_list args;
    va_start(args, format);
    FormatBufV(buffer, 256, format, args);
    va_end(args);
    return buffer;
}

wchar_t* FormatBuf128(wchar_t (&buffer)[128], const wchar_t* format, ...)
{
    TRACE_FUNCTION();
    va_list args;
    va_start(args, format);
    FormatBufV(buffer, 128, format, args);
    va_end(args);
    return buffer;
}

wchar_t* FormatBuf64(wchar_t (&buffer)[64], const wchar_t* format, ...)
{
    TRACE_FUNCTION();
    va_list args;
    va_start(args, format);
    FormatBufV(buffer, 64, format, args);
    va_end(args);
    return buffer;
}

wchar_t* FormatBuf16(wchar_t (&buffer)[16], const wchar_t* format, ...)
{
    TRACE_FUNCTION();
    va_list args;
    va_start(args, format);
    FormatBufV(buffer, 16, format, args);
    va_end(args);
    return buffer;
}

std::wstring FormatText(const wchar_t* format, ...)
{
    TRACE_FUNCTION();
    wchar_t buffer[4096];
    va_list args;
    va_start(args, format);
    FormatBufV(buffer, 4096, format, args);
    va_end(args);
    return buffer;
}

wchar_t* FormatGuidText(const GUID& g, wchar_t (&buffer)[36])
{
    TRACE_FUNCTION();
    FormatBufN(buffer, 36, L"%08X-%04X-%04X-%02X%02X%02X%02X%02X%02X%02X%02X",
               static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
               g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return buffer;
}

const wchar_t* EngineString(UINT id)
{
    TRACE_FUNCTION();
    for (const StringEntry& entry : kStrings) {
        if (entry.id == id) {
            return entry.text;
        }
    }
    return L"";
}

std::wstring SourceFileTitle(const char* path)
{
    TRACE_FUNCTION();
    if (!path) {
        return std::wstring();
    }
    const char* name = path;
    for (const char* p = path; *p; ++p) {
        if (*p == '\\' || *p == '/') {
            name = p + 1;
        }
    }
    std::wstring title;
    for (const char* p = name; *p; ++p) {
        title += static_cast<wchar_t>(static_cast<unsigned char>(*p));
    }
    const size_t dot = title.rfind(L'.');
    if (dot != std::wstring::npos) {
        title.resize(dot);
    }
    return title;
}

std::wstring SystemErrorText(HRESULT code)
{
    TRACE_FUNCTION();
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, static_cast<DWORD>(code), 0,
                                   reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring result;
    if (n && text) {
        result.assign(text, n);
    }
    if (text) {
        LocalFree(text);
    }
    if (result.empty()) {
        wchar_t buffer[MAX_ERROR_TEXT_LEN] = {};
        if (AMGetErrorTextW(code, buffer, MAX_ERROR_TEXT_LEN) > 0) {
            result = buffer;
        }
    }
    return result;
}

std::wstring FormatCallFailure(const wchar_t* function, HRESULT code, const wchar_t* detail,
                               const char* file, unsigned line)
{
    TRACE_FUNCTION();
    std::wstring name = function ? function : L"";
    if (name.size() > 63) {
        name.resize(63);
    }
    std::wstring info = detail ? detail : L"";
    if (info.size() > 255) {
        info.resize(255);
    }
    std::wstring fileName;
    if (file) {
        const char* base = file;
        for (const char* p = file; *p; ++p) {
            if (*p == '\\' || *p == '/') {
                base = p + 1;
            }
        }
        for (const char* p = base; *p; ++p) {
            fileName += static_cast<wchar_t>(static_cast<unsigned char>(*p));
        }
    }
    std::wstring system = SystemErrorText(code);
    while (!system.empty() && (system.back() == L'\r' || system.back() == L'\n' ||
                               system.back() == L' ')) {
        system.pop_back();
    }
    return FormatText(EngineString(196), system.c_str(), static_cast<unsigned>(code),
                      name.c_str(), info.c_str(), line, fileName.c_str());
}
