// List splitting with a quote character, quote doubling for command lines, and the symbolic
// names of window messages for the main window's message trace.
#pragma once

#include <cstddef>
#include <cstdint>

struct ListTextItem {
    const wchar_t* start;  // first character (behind an opening quote)
    uint32_t length;
    uint8_t isNumber;      // every counted character a digit, value fits 32 bits unsigned
    uint8_t quoteState;    // 0 plain, 1 quoted, 2 quoted with a counted quote, 3 malformed
    uint32_t number;
};

// Fills items[0..count-1]; 0 for a null or empty text, maxItems + 1 when there are more.
int SplitListText(const wchar_t* text, wchar_t separator, wchar_t quote, int maxItems,
                  ListTextItem* items);

// Copies src into dst (dstChars characters, terminator included) with every double quote
// doubled. At most the first 1025 characters of src are taken; a quote pair is never split.
// Returns false when the result had to be cut to fit dst.
bool DoubleQuoteChars(wchar_t* dst, size_t dstChars, const wchar_t* src);

// The SDK name of a window message number, or "UnknMess".
const wchar_t* GetWindowMessageName(unsigned number);
size_t WindowMessageNameCount();
