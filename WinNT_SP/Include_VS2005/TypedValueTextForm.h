// Number formatting and scanning of the typed-value text form, exposed for their own callers
// (settings texts, format records) and for tests.
#pragma once

#include "WinNT_SP/Include_VS2005/TypedValue.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Read cursor over a text with an optional length limit; reads at or past it give NUL.
struct TextCursor {
    const wchar_t* text;
    size_t limit;
    size_t pos;
    wchar_t At(size_t p) const { return p < limit ? text[p] : L'\0'; }
    // Characters left before the limit; scanners also stop at the NUL of an unlimited text.
    size_t Remaining() const { return limit == static_cast<size_t>(-1) ? limit : limit - pos; }
};

// Fixed decimal notation with `precision` significant digits ("1E999" for NaN and infinity).
std::wstring FormatReal(double value, int precision);

// Each returns the characters consumed (0 when nothing could be read).
size_t ScanInt32(const wchar_t* s, size_t limit, int32_t* out);
size_t ScanInt64(const wchar_t* s, size_t limit, int64_t* out);
size_t ScanReal(const wchar_t* s, size_t limit, double* out);

// Text form of any single item (a record, a list's positional group, a number, ...).
std::wstring FormatValueText(const TypedValue& item, unsigned flags);
