// List splitting and quote doubling (see ListText.h); the message-name table is generated at
// build time from the platform headers (scripts/gen-message-names.py).
#include "WinNT_SP/Include_VS2005/ListText.h"

#include <algorithm>

int SplitListText(const wchar_t* text, wchar_t separator, wchar_t quote, int maxItems,
                  ListTextItem* items)
{
    if (!text || !*text) {
        return 0;
    }
    int index = -1;
    bool due = true;
    bool inQuotes = false;
    ListTextItem* item = nullptr;
    for (const wchar_t* p = text;; ++p) {
        if (due) {
            due = false;
            ++index;
            if (index >= maxItems) {
                return maxItems + 1;
            }
            item = &items[index];
            *item = ListTextItem{};
            item->start = p;
        }
        const wchar_t c = *p;
        if (c == 0) {
            if (inQuotes) {
                item->quoteState = 3;
            }
            return index + 1;
        }
        if (c == separator && !inQuotes) {
            due = true;
            continue;
        }
        if (c == quote) {
            inQuotes = !inQuotes;
            if (item->length == 0 && item->quoteState == 0) {
                item->start = p + 1;
                item->quoteState = 1;
                continue;
            }
            if (item->length > 0 && item->quoteState == 0) {
                item->quoteState = 3;
            }
            if (!inQuotes && item->quoteState != 3 && (p[1] == 0 || p[1] == separator)) {
                continue;  // the closing quote
            }
            if (item->quoteState == 1) {
                item->quoteState = 2;
            }
            ++item->length;
            item->isNumber = 0;
            continue;
        }
        if (item->quoteState >= 1 && !inQuotes) {
            item->quoteState = 3;
        }
        const bool first = item->length == 0;
        ++item->length;
        if (first) {
            item->isNumber = 1;
        }
        if (c >= L'0' && c <= L'9' && item->isNumber) {
            const uint32_t d = static_cast<uint32_t>(c - L'0');
            if (item->number > 429496729u || item->number * 10u + d < item->number * 10u) {
                item->isNumber = 0;
            } else {
                item->number = item->number * 10u + d;
            }
        } else {
            item->isNumber = 0;
        }
    }
}

bool DoubleQuoteChars(wchar_t* dst, size_t dstChars, const wchar_t* src)
{
    if (!dst || dstChars == 0) {
        return false;
    }
    size_t o = 0;
    bool complete = true;
    for (size_t i = 0; src && src[i] && i < 1025; ++i) {
        const size_t need = src[i] == L'"' ? 2 : 1;
        if (o + need > dstChars - 1) {
            complete = false;
            break;
        }
        dst[o++] = src[i];
        if (need == 2) {
            dst[o++] = L'"';
        }
    }
    dst[o] = 0;
    return complete;
}
