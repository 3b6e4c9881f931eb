// Text helpers shared by the engine: bounded formatting into fixed buffers, GUID texts, the
// engine's string table, the system's text for a result code and the call-failure text that
// every engine error message is built from.
#pragma once

#include <windows.h>

#include <string>

// Bounded formatting with the C runtime's wide semantics (%s is a wide string); what does not
// fit is cut, the result is always terminated and returned.
wchar_t* FormatBufN(wchar_t* buffer, size_t chars, const wchar_t* format, ...);
wchar_t* FormatBuf4096(wchar_t (&buffer)[4096], const wchar_t* format, ...);
wchar_t* FormatBuf256(wchar_t (&buffer)[256], const wchar_t* format, ...);
wchar_t* FormatBufV(wchar_t* buffer, size_t chars, const wchar_t* format, va_list args);
std::wstring FormatText(const wchar_t* format, ...);

// "%08X-%04X-%04X-%02X%02X%02X%02X%02X%02X%02X%02X" (35 characters) into 36 characters.
wchar_t* FormatGuidText(const GUID& guid, wchar_t (&buffer)[36]);

// An entry of the engine's string table; empty for an unknown id.
const wchar_t* EngineString(UINT id);

// The last path component without its extension; empty for NULL.
std::wstring SourceFileTitle(const char* path);

// The system's message for a result code (Windows, then DirectShow), or empty.
std::wstring SystemErrorText(HRESULT code);

// The engine's text for a failed call: the system text, the code, the function and detail,
// and the source line and file.
std::wstring FormatCallFailure(const wchar_t* function, HRESULT code, const wchar_t* detail,
                               const char* file, unsigned line);

#define CALL_FAILURE(function, code, detail) \
    FormatCallFailure((function), (code), (detail), __FILE__, __LINE__)
