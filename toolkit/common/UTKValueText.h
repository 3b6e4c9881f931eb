// The text forms the text storages (INI file, XML) give stored values: blobs as letter pairs,
// escaped strings, dates with the day before the month, and comma-separated integers. Free of
// Win32 types so that the parsers can be fuzzed in a native build; UTF-16 text throughout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class UTKValueText {
public:
    // Each byte as two letters 'A'..'P': low nibble first (0x3C gives "MD").
    static std::u16string EncodeBlob(const uint8_t* data, size_t size);
    // The reverse; false for an odd length or a character outside 'A'..'P' (out untouched).
    static bool DecodeBlob(std::u16string_view text, std::vector<uint8_t>& out);

    // Backslash doubled, then line feed, carriage return and tab as \n, \r and \t.
    static std::u16string Escape(std::u16string_view text);
    // The reverse in one pass; a backslash before any other character stays as it is.
    static std::u16string Unescape(std::u16string_view text);

    // Calendar fields of a stored date, in the order the text holds them.
    struct DateFields {
        unsigned short year = 0;
        unsigned short day = 0;
        unsigned short month = 0;
        unsigned short hour = 0;
        unsigned short minute = 0;
        unsigned short second = 0;
    };
    enum class DateKind { None, Calendar, TimeOfDay };
    // "Y-D-MTh:m:s" with 3, 5 or 6 fields is a calendar date (missing fields 0); otherwise
    // "h:m:s" with 2 or 3 fields is a time of day; anything else is None.
    static DateKind ParseDate(std::u16string_view text, DateFields& fields);
    // "%Y-%d-%m", "%Y-%d-%mT%H:%M:%S" (withTime) or "%H:%M:%S" (timeOnly).
    static std::u16string FormatDate(const DateFields& fields, bool withTime, bool timeOnly);

    // Integers separated by ", " as scanf's "%i, %i, ..." reads them (decimal, 0x hex and
    // 0 octal, leading blanks skipped): the number of values read before the first mismatch.
    static int ScanInts(std::u16string_view text, int32_t* values, int count);
    // "%i, %i, ..." of the values.
    static std::u16string FormatInts(const int32_t* values, int count);
    // A whole number as the C library's long conversion reads it (leading blanks, a sign,
    // decimal digits; saturating at the 32-bit limits; 0 when there are no digits).
    static int32_t ParseLong(std::u16string_view text);
    static std::u16string FormatLong(int64_t value);
};
