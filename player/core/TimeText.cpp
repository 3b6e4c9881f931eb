// Time text parsing: up to three colon-separated parts, later parts below 60, and a fraction
// of at most the allowed digits.
#include "player/core/TimeText.h"

#include "WinNT_SP/Include_VS2005/ListText.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"

#include <algorithm>
#include <commctrl.h>
#include <cwctype>

int ParseTimeText(const wchar_t* text, int decimals)
{
    if (!text) {
        return -1;
    }
    std::wstring s(text);
    const size_t first = s.find_first_not_of(L" \t");
    if (first == std::wstring::npos) {
        return -1;
    }
    s = s.substr(first, s.find_last_not_of(L" \t") - first + 1);
    std::replace(s.begin(), s.end(), L',', L'.');
    std::wstring fraction;
    const size_t dot = s.find(L'.');
    if (dot != std::wstring::npos) {
        fraction = s.substr(dot + 1);
        s.erase(dot);
        if (static_cast<int>(fraction.size()) > decimals) {
            return -1;
        }
    }
    long long parts[3] = {};
    int count = 0;
    size_t pos = 0;
    for (;;) {
        const size_t colon = s.find(L':', pos);
        const std::wstring part = s.substr(pos, colon == std::wstring::npos ? colon : colon - pos);
        if (part.empty() || part.size() > 9 || count == 3 ||
            !std::all_of(part.begin(), part.end(), [](wchar_t c) { return iswdigit(c); })) {
            return -1;
        }
        parts[count++] = std::stoll(part);
        if (colon == std::wstring::npos) {
            break;
        }
        pos = colon + 1;
    }
    for (int i = 1; i < count; ++i) {
        if (parts[i] >= 60) {
            return -1;
        }
    }
    if (!std::all_of(fraction.begin(), fraction.end(), [](wchar_t c) { return iswdigit(c); })) {
        return -1;
    }
    long long seconds = 0;
    for (int i = 0; i < count; ++i) {
        seconds = seconds * 60 + parts[i];
    }
    long long ms = seconds * 1000;
    std::wstring digits = fraction.substr(0, 3);
    digits.resize(3, L'0');
    ms += std::stoll(digits);
    return ms > kMaxTimeMs ? -1 : static_cast<int>(ms);
}

std::wstring FormatTimeText(int ms)
{
    if (ms < 0) {
        ms = 0;
    }
    const int seconds = ms / 1000;
    std::wstring text = FormatNewString(L"%1i:%02i:%02i", seconds / 3600, seconds / 60 % 60,
                                        seconds % 60);
    const int rest = ms % 1000;
    if (rest) {
        std::wstring digits = FormatNewString(L"%03i", rest);
        digits.erase(digits.find_last_not_of(L'0') + 1);
        text += L"." + digits;
    }
    return text;
}

std::wstring FormatShortTimeText(const wchar_t* text)
{
    const int ms = ParseTimeText(text, 3);
    if (ms < 0) {
        return std::wstring();
    }
    const int h = ms / 3600000;
    const int m = ms / 60000 % 60;
    const int sMs = ms % 60000;
    if (m == 0 && sMs == 0 && h) {
        return FormatNewString(L"%ih", h);
    }
    if (h == 0 && sMs == 0 && m) {
        return FormatNewString(L"%im", m);
    }
    if (h == 0 && m == 0) {
        if (sMs % 1000 == 0) {
            return FormatNewString(L"%is", sMs / 1000);
        }
        if (sMs % 100 == 0) {
            return FormatNewString(L"%i.%1is", sMs / 1000, sMs % 1000 / 100);
        }
    }
    return text;
}

void ParseTimeList(const wchar_t* text, std::vector<std::wstring>* items, int decimals)
{
    items->clear();
    ListTextItem parts[kMaxTimeListItems];
    int n = SplitListText(text ? text : L"", L',', L'"', kMaxTimeListItems, parts);
    n = std::min(n, kMaxTimeListItems);
    for (int i = 0; i < n; ++i) {
        const std::wstring item(parts[i].start, parts[i].length);
        if (ParseTimeText(item.c_str(), decimals) >= 0) {
            items->push_back(item);
        }
    }
}

void SortTimeList(std::vector<std::wstring>* items, int decimals)
{
    std::stable_sort(items->begin(), items->end(),
                     [decimals](const std::wstring& a, const std::wstring& b) {
                         return ParseTimeText(a.c_str(), decimals) <
                                ParseTimeText(b.c_str(), decimals);
                     });
}

void FillTimeCombo(HWND combo, const wchar_t* listText)
{
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    std::vector<std::wstring> items;
    ParseTimeList(listText, &items, 1);
    for (const std::wstring& item : items) {
        const std::wstring shortText = FormatShortTimeText(item.c_str());
        const LRESULT index =
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shortText.c_str()));
        if (index >= 0) {
            SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index),
                         ParseTimeText(item.c_str(), 1));
        }
    }
}
