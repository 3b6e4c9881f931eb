// Text formatting helpers (see TextFormat.h).
#include "WinNT_SP/Include_VS2005/TextFormat.h"

#include "WinNT_SP/Include_VS2005/SupportStrings.h"

#include <cmath>
#include <cwchar>
#include <cwctype>

std::wstring FormatInt64Grouped(uint64_t value)
{
    std::wstring digits = std::to_wstring(value);
    std::wstring out;
    const size_t n = digits.size();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) {
            out += L' ';
        }
        out += digits[i];
    }
    return out;
}

const wchar_t* FormatTickTemplate(uint64_t value, wchar_t* buffer)
{
    static const wchar_t kTemplate[] = L"0000:60:60.000";
    constexpr int kLen = 14;
    for (int i = kLen - 1; i >= 0; --i) {
        const wchar_t t = kTemplate[i];
        if (t == L'0') {
            buffer[i] = static_cast<wchar_t>(L'0' + value % 10);
            value /= 10;
        } else if (t == L'6') {
            buffer[i] = static_cast<wchar_t>(L'0' + value % 6);
            value /= 6;
        } else {
            buffer[i] = t;
        }
    }
    buffer[kLen] = 0;
    int start = 0;
    while (start < 9 && (buffer[start] == L'0' || buffer[start] == L':')) {
        ++start;
    }
    return buffer + start;
}

std::wstring FormatSecondsText(double seconds, int decimals, int minWidth)
{
    static const double kRound[] = {499.999, 49.9999, 4.99999, 0.499999};
    if (decimals < 0) {
        decimals = 0;
    }
    if (decimals > 3) {
        decimals = 3;
    }
    // Negative times have no text of their own: they read as zero.
    const double ms = seconds > 0 ? std::trunc(seconds * 1000 + kRound[decimals]) : 0;
    wchar_t buf[16];
    const wchar_t* sig = FormatTickTemplate(static_cast<uint64_t>(ms), buf);
    int start = static_cast<int>(sig - buf);
    const int pointPos = 10;
    if (minWidth > 0 && pointPos - minWidth < start) {
        start = pointPos - minWidth < 0 ? 0 : pointPos - minWidth;
    }
    const int end = decimals == 0 ? pointPos : pointPos + 1 + decimals;
    return std::wstring(buf + start, buf + end);
}

bool ParseNumberToStep(const wchar_t* text, double step, double* out)
{
    if (!text || step == 0) {
        return false;
    }
    while (*text == L' ' || *text == L'\t') {
        ++text;
    }
    wchar_t* end = nullptr;
    const double value = std::wcstod(text, &end);
    if (end == text || (value == 0 && *text != L'0')) {
        return false;
    }
    while (*end == L' ' || *end == L'\t') {
        ++end;
    }
    if (*end) {
        return false;
    }
    const double q = value / step + (value < 0 ? -0.499999 : 0.499999);
    *out = std::trunc(q) * step;
    return true;
}

void ParseIntList(std::vector<int>& values, const wchar_t* text)
{
    values.clear();
    if (!text || !*text) {
        return;
    }
    const wchar_t* p = text;
    for (;;) {
        values.push_back(_wtoi(p));
        p = std::wcschr(p, L',');
        if (!p) {
            break;
        }
        ++p;
    }
}

std::wstring FormatIntList(const std::vector<int>& values)
{
    std::wstring s;
    for (size_t i = 0; i < values.size(); ++i) {
        s += FormatNewString(i ? L",%i" : L"%i", values[i]);
    }
    return s;
}

std::wstring FormatSettingsVersion()
{
    return FormatNewString(L"%i.%i", 1, 0);
}

std::wstring MakeAllFilesFilter(const wchar_t* filterText)
{
    return FormatNewString(L"%s|%s|*.*||", filterText, LoadResText(IDS_ALL_FILES).c_str());
}

std::wstring FormatLocalDateTime(const SYSTEMTIME& time)
{
    wchar_t date[128];
    wchar_t clock[64];
    if (!GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, &time, nullptr, date, 128)) {
        wcscpy(date, L"?");
    }
    if (!GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, 64)) {
        wcscpy(clock, L"?");
    }
    return FormatNewString(L"%s, %s", date, clock);
}

bool GetFileSizeAndDateText(uint64_t* size, std::wstring* dateText, std::wstring* sizeText,
                            const wchar_t* path)
{
    if (size) {
        *size = 0;
    }
    if (dateText) {
        dateText->clear();
    }
    if (sizeText) {
        sizeText->clear();
    }
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(path, &fd);
    if (h == INVALID_HANDLE_VALUE) {
        return false;
    }
    FindClose(h);
    const uint64_t bytes = (uint64_t(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
    if (size) {
        *size = bytes;
    }
    if (dateText) {
        FILETIME local;
        SYSTEMTIME st;
        if (FileTimeToLocalFileTime(&fd.ftLastWriteTime, &local) &&
            FileTimeToSystemTime(&local, &st)) {
            *dateText = FormatLocalDateTime(st);
        }
    }
    if (sizeText) {
        *sizeText = FormatInt64Grouped(bytes);
    }
    return true;
}

std::wstring MaskURLPassword(const std::wstring& url)
{
    const size_t colon = url.find(L':');
    if (colon == std::wstring::npos || url.compare(colon + 1, 2, L"//") != 0) {
        return url;
    }
    const size_t start = colon + 3;
    const size_t end = url.find_first_of(L"/?#", start);
    const size_t authorityEnd = end == std::wstring::npos ? url.size() : end;
    const size_t at = url.rfind(L'@', authorityEnd == 0 ? 0 : authorityEnd - 1);
    if (at == std::wstring::npos || at < start) {
        return url;
    }
    const size_t split = url.find(L':', start);
    if (split == std::wstring::npos || split > at) {
        return url;
    }
    return url.substr(0, split + 1) + L"****" + url.substr(at);
}
