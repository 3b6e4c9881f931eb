// Windows Media runtime table and header attributes (see WMRuntimeTable.h).
#include "WinNT_SP/Include_VS2005/WMRuntimeTable.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <vector>

const wchar_t* const kWMMetadataNames[kWMMetadataCount] = {
    L"WM/AlbumTitle", L"Author",      L"Description", L"Title",
    L"WM/TrackNumber", L"WM/Year",    L"WM/Genre",    L"WM/Composer",
    L"WM/Writer",     L"WM/UserWebURL", L"WM/AudioSourceURL", L"WM/ToolName",
};

WMRuntimeTable& WMRuntime()
{
    static WMRuntimeTable table;
    return table;
}

ERR_INFO& WMRuntimeError()
{
    static ERR_INFO info = {};
    return info;
}

BOOL LoadWMRuntime(const wchar_t* libraryName)
{
    TRACE_FUNCTION();
    // Load answers at once, under the table lock, when the table is bound: engine threads ask
    // too, and an unlocked look could see the first entry bound before the others.
    return WMRuntime().createReader.Load(&WMRuntimeError(),
                                         libraryName ? libraryName : kWMRuntimeLibrary);
}

namespace {

wchar_t* CopyText(const wchar_t* s, size_t n)
{
    auto* out = new wchar_t[n + 1];
    std::wmemcpy(out, s, n);
    out[n] = 0;
    return out;
}

// A binary attribute read as {something, pointer to wide text}: the pointer comes from the
// file's data, so it must point into the value's own buffer and the text end there.
bool BinaryText(const std::vector<BYTE>& buf, const wchar_t** text, size_t* length)
{
    if (buf.size() < 2 * sizeof(void*)) {
        return false;
    }
    const wchar_t* p = nullptr;
    std::memcpy(&p, buf.data() + sizeof(void*), sizeof p);
    const auto begin = reinterpret_cast<uintptr_t>(buf.data());
    const auto end = begin + buf.size();
    const auto at = reinterpret_cast<uintptr_t>(p);
    if (!p || at < begin || at >= end || (at - begin) % sizeof(wchar_t) != 0) {
        return false;
    }
    const size_t maxChars = (end - at) / sizeof(wchar_t);
    size_t n = 0;
    while (n < maxChars && p[n]) {
        ++n;
    }
    if (n == maxChars) {
        return false;  // not terminated inside the buffer
    }
    *text = p;
    *length = n;
    return true;
}

}  // namespace

BOOL GetWMAttribute(IWMHeaderInfo* header, const wchar_t* name, BOOL* isNumber, wchar_t** text,
                    LONGLONG* number)
{
    TRACE_FUNCTION();
    if (text) {
        *text = nullptr;
    }
    if (number) {
        *number = 0;
    }
    if (isNumber) {
        *isNumber = FALSE;
    }
    if (!header || !name) {
        return FALSE;
    }
    WORD stream = 0;
    WMT_ATTR_DATATYPE type = WMT_TYPE_DWORD;
    WORD length = 0;
    HRESULT hr = header->GetAttributeByName(&stream, name, &type, nullptr, &length);
    if (FAILED(hr) && name == kWMMetadataNames[6]) {
        // Only the table's own genre entry falls back to the numeric genre id.
        name = L"WM/GenreID";
        stream = 0;
        hr = header->GetAttributeByName(&stream, name, &type, nullptr, &length);
    }
    if (FAILED(hr)) {
        return FALSE;
    }
    std::vector<BYTE> buf(size_t(length) + sizeof(wchar_t), 0);
    stream = 0;
    if (FAILED(header->GetAttributeByName(&stream, name, &type, buf.data(), &length))) {
        return FALSE;
    }
    buf.resize(length);
    auto numberOut = [&](LONGLONG v) -> BOOL {
        if (!number) {
            return FALSE;
        }
        *number = v;
        if (isNumber) {
            *isNumber = TRUE;
        }
        return TRUE;
    };
    switch (type) {
    case WMT_TYPE_STRING: {
        if (!text) {
            return FALSE;
        }
        const auto* s = reinterpret_cast<const wchar_t*>(buf.data());
        size_t n = 0;
        while (n < buf.size() / sizeof(wchar_t) && s[n]) {
            ++n;
        }
        *text = CopyText(s, n);
        return TRUE;
    }
    case WMT_TYPE_DWORD:
    case WMT_TYPE_WORD: {
        if (!text) {
            return FALSE;
        }
        int value = 0;
        if (type == WMT_TYPE_DWORD && buf.size() >= 4) {
            DWORD d;
            std::memcpy(&d, buf.data(), 4);
            value = static_cast<int>(d);
        } else if (type == WMT_TYPE_WORD && buf.size() >= 2) {
            WORD w;
            std::memcpy(&w, buf.data(), 2);
            value = w;
        } else {
            return FALSE;
        }
        *text = new wchar_t[11];
        _snwprintf(*text, 10, L"%i", value);
        (*text)[9] = 0;
        return TRUE;
    }
    case WMT_TYPE_BINARY: {
        const wchar_t* s = nullptr;
        size_t n = 0;
        if (!text || !BinaryText(buf, &s, &n)) {
            return FALSE;
        }
        *text = CopyText(s, n);
        return TRUE;
    }
    case WMT_TYPE_BOOL: {
        DWORD b = 0;
        std::memcpy(&b, buf.data(), std::min<size_t>(buf.size(), 4));
        return numberOut(b ? 1 : 0);
    }
    case WMT_TYPE_QWORD: {
        if (buf.size() < 8) {
            return FALSE;
        }
        LONGLONG q;
        std::memcpy(&q, buf.data(), 8);
        return numberOut(q);
    }
    default:
        return FALSE;
    }
}

LONGLONG GetWMDuration(IWMHeaderInfo* header)
{
    TRACE_FUNCTION();
    BOOL isNumber = FALSE;
    LONGLONG value = 0;
    if (!GetWMAttribute(header, L"Duration", &isNumber, nullptr, &value) || !isNumber) {
        return 0;
    }
    return value;
}

void GetWMMetadata(WM_METADATA* record, IWMHeaderInfo* header)
{
    TRACE_FUNCTION();
    std::memset(record, 0, sizeof *record);
    for (int i = 0; i < kWMMetadataCount; ++i) {
        wchar_t* text = nullptr;
        BOOL isNumber = FALSE;
        if (GetWMAttribute(header, kWMMetadataNames[i], &isNumber, &text, nullptr) && text) {
            std::wcsncpy(record->text[i], text, 255);
            record->text[i][255] = 0;
        }
        delete[] text;
    }
}
