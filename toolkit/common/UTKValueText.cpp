#include "toolkit/common/UTKValueText.h"

#include <limits>

namespace {

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f';
}

int DigitValue(char16_t c)
{
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return 99;
}

// One scanf integer conversion at text[pos]: blanks, an optional sign, then digits of the
// base (0: detect "0x" and "0" prefixes as %i does). False when no digit follows.
bool ScanOne(std::u16string_view text, size_t& pos, int base, uint64_t limit, int64_t& value)
{
    size_t p = pos;
    while (p < text.size() && IsBlank(text[p])) {
        ++p;
    }
    bool negative = false;
    if (p < text.size() && (text[p] == u'+' || text[p] == u'-')) {
        negative = text[p] == u'-';
        ++p;
    }
    if (base == 0) {
        base = 10;
        if (p < text.size() && text[p] == u'0') {
            base = 8;
            if (p + 2 < text.size() && (text[p + 1] == u'x' || text[p + 1] == u'X') &&
                DigitValue(text[p + 2]) < 16) {
                base = 16;
                p += 2;
            }
        }
    }
    const size_t first = p;
    uint64_t magnitude = 0;
    while (p < text.size() && DigitValue(text[p]) < base) {
        magnitude = magnitude * static_cast<uint64_t>(base) +
                    static_cast<uint64_t>(DigitValue(text[p]));
        if (magnitude > limit) {
            magnitude = limit;  // saturate; keep consuming digits
        }
        ++p;
    }
    if (p == first) {
        return false;
    }
    value = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    pos = p;
    return true;
}

// Literal separator of a scanf format: a blank in the format matches any run of blanks
// (including none), any other character must match exactly.
bool MatchLiteral(std::u16string_view text, size_t& pos, std::u16string_view literal)
{
    for (char16_t f : literal) {
        if (f == u' ') {
            while (pos < text.size() && IsBlank(text[pos])) {
                ++pos;
            }
        } else if (pos < text.size() && text[pos] == f) {
            ++pos;
        } else {
            return false;
        }
    }
    return true;
}

// "%hu" fields separated by the given literals; the number of fields read.
int ScanShorts(std::u16string_view text, size_t& pos, const std::u16string_view* separators,
               unsigned short** out, int count)
{
    int read = 0;
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !MatchLiteral(text, pos, separators[i - 1])) {
            break;
        }
        int64_t value = 0;
        if (!ScanOne(text, pos, 10, 0xFFFFFFFFull, value)) {
            break;
        }
        *out[i] = static_cast<unsigned short>(static_cast<uint64_t>(value) & 0xFFFF);
        ++read;
    }
    return read;
}

void AppendNumber(std::u16string& out, int64_t value, int width)
{
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (value < 0) {
        out += u'-';
    }
    for (int i = static_cast<int>(digits.size()); i < width; ++i) {
        out += u'0';
    }
    for (char c : digits) {
        out += static_cast<char16_t>(c);
    }
}

}  // namespace

std::u16string UTKValueText::EncodeBlob(const uint8_t* data, size_t size)
{
    std::u16string text;
    text.reserve(size * 2);
    for (size_t i = 0; i < size; ++i) {
        text += static_cast<char16_t>(u'A' + (data[i] & 0x0F));
        text += static_cast<char16_t>(u'A' + (data[i] >> 4));
    }
    return text;
}

bool UTKValueText::DecodeBlob(std::u16string_view text, std::vector<uint8_t>& out)
{
    if (text.size() % 2 != 0) {
        return false;
    }
    for (char16_t c : text) {
        if (c < u'A' || c > u'P') {
            return false;
        }
    }
    std::vector<uint8_t> bytes(text.size() / 2);
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<uint8_t>((text[2 * i] - u'A') + 16 * (text[2 * i + 1] - u'A'));
    }
    out.swap(bytes);
    return true;
}

std::u16string UTKValueText::Escape(std::u16string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        switch (c) {
        case u'\\':
            out += u"\\\\";
            break;
        case u'\n':
            out += u"\\n";
            break;
        case u'\r':
            out += u"\\r";
            break;
        case u'\t':
            out += u"\\t";
            break;
        default:
            out += c;
            break;
        }
    }
    return out;
}

std::u16string UTKValueText::Unescape(std::u16string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c != u'\\' || i + 1 >= text.size()) {
            out += c;
            continue;
        }
        switch (text[i + 1]) {
        case u'\\':
            out += u'\\';
            ++i;
            break;
        case u'n':
            out += u'\n';
            ++i;
            break;
        case u'r':
            out += u'\r';
            ++i;
            break;
        case u't':
            out += u'\t';
            ++i;
            break;
        default:
            out += c;
            break;
        }
    }
    return out;
}

UTKValueText::DateKind UTKValueText::ParseDate(std::u16string_view text, DateFields& fields)
{
    DateFields f;
    size_t pos = 0;
    static const std::u16string_view kDateSeparators[] = {u"-", u"-", u"T", u":", u":"};
    unsigned short* dateOut[] = {&f.year, &f.day, &f.month, &f.hour, &f.minute, &f.second};
    const int n = ScanShorts(text, pos, kDateSeparators, dateOut, 6);
    if (n == 3 || n == 5 || n == 6) {
        fields = f;
        return DateKind::Calendar;
    }
    DateFields t;
    pos = 0;
    static const std::u16string_view kTimeSeparators[] = {u":", u":"};
    unsigned short* timeOut[] = {&t.hour, &t.minute, &t.second};
    const int m = ScanShorts(text, pos, kTimeSeparators, timeOut, 3);
    if (m == 2 || m == 3) {
        fields = t;
        return DateKind::TimeOfDay;
    }
    return DateKind::None;
}

std::u16string UTKValueText::FormatDate(const DateFields& f, bool withTime, bool timeOnly)
{
    std::u16string out;
    if (!timeOnly) {
        AppendNumber(out, f.year, 4);
        out += u'-';
        AppendNumber(out, f.day, 2);
        out += u'-';
        AppendNumber(out, f.month, 2);
        if (!withTime) {
            return out;
        }
        out += u'T';
    }
    AppendNumber(out, f.hour, 2);
    out += u':';
    AppendNumber(out, f.minute, 2);
    out += u':';
    AppendNumber(out, f.second, 2);
    return out;
}

int UTKValueText::ScanInts(std::u16string_view text, int32_t* values, int count)
{
    size_t pos = 0;
    int read = 0;
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !MatchLiteral(text, pos, u", ")) {
            break;
        }
        int64_t value = 0;
        if (!ScanOne(text, pos, 0, 0xFFFFFFFFull, value)) {
            break;
        }
        values[i] = static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
        ++read;
    }
    return read;
}

std::u16string UTKValueText::FormatInts(const int32_t* values, int count)
{
    std::u16string out;
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            out += u", ";
        }
        AppendNumber(out, values[i], 0);
    }
    return out;
}

int32_t UTKValueText::ParseLong(std::u16string_view text)
{
    size_t pos = 0;
    int64_t value = 0;
    if (!ScanOne(text, pos, 10, 0x80000000ull, value)) {
        return 0;
    }
    if (value > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    return static_cast<int32_t>(value);
}

std::u16string UTKValueText::FormatLong(int64_t value)
{
    std::u16string out;
    AppendNumber(out, value, 0);
    return out;
}
