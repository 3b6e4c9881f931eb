// Text form of typed values: a locale-independent writer (measured, then written into an exact
// buffer) and a tolerant reader. Records are (key=value,...), runs and lists positional groups,
// strings escaped with backslash codes, binary blocks hexadecimal with run-length letters.
#include "WinNT_SP/Include_VS2005/TypedValue.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"
#include "WinNT_SP/Include_VS2005/TypedValueTextForm.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

// ---- writer ---------------------------------------------------------------------------------

// Counts characters when buf is null, writes them otherwise.
struct TextOut {
    wchar_t* buf = nullptr;
    size_t n = 0;
    void Put(wchar_t c)
    {
        if (buf) {
            buf[n] = c;
        }
        ++n;
    }
    void Put(const wchar_t* s)
    {
        while (*s) {
            Put(*s++);
        }
    }
    void PutAscii(const char* s)
    {
        while (*s) {
            Put(static_cast<wchar_t>(*s++));
        }
    }
};

const char kHex[] = "0123456789ABCDEF";

void FormatItem(const TypedValue* item, TextOut& out, unsigned flags);

void FormatRun(const TypedValue* first, uint32_t count, uint32_t span, TextOut& out,
               unsigned flags)
{
    out.Put(L'(');
    uint32_t pos = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const TypedValue* e = first + i * span;
        if (!e->IsPresent()) {
            continue;
        }
        for (uint32_t k = pos; k < i; ++k) {
            out.Put(L',');
        }
        pos = i;
        FormatItem(e, out, flags);
    }
    out.Put(L')');
}

void FormatRecord(const TypedValue* header, TextOut& out, unsigned flags)
{
    out.Put(L'(');
    bool wrote = false;
    const TypedValue* end = header + header->size - 1;
    for (const TypedValue* m = header + 1; m < end;) {
        const bool run = m->IsRunStart();
        const uint32_t span = run ? m->RunSpan() : m->Span();
        if (run ? m->IsRunPresent() : m->IsPresent()) {
            if (wrote) {
                out.Put(L',');
            }
            wrote = true;
            out.Put(m->key ? m->key : L"");
            out.Put(L'=');
            if (run) {
                FormatRun(m, m->RunCount(), m->Span(), out, flags);
            } else {
                FormatItem(m, out, flags);
            }
        }
        m += span;
    }
    out.Put(L')');
}

void FormatString(const wchar_t* s, TextOut& out, unsigned flags)
{
    if (!s || !*s) {
        if (!(flags & 1)) {
            out.Put(L"\\Y");
        }
        return;
    }
    for (; *s; ++s) {
        const wchar_t c = *s;
        switch (c) {
        case L' ': out.Put(L"\\S"); break;
        case L'(': out.Put(L"\\L"); break;
        case L')': out.Put(L"\\R"); break;
        case L',': out.Put(L"\\M"); break;
        case L'=': out.Put(L"\\Q"); break;
        case L'\\': out.Put(L"\\H"); break;
        default:
            if ((c >= 1 && c <= 31) || c == 127) {
                out.Put(L'\\');
                out.Put(static_cast<wchar_t>(kHex[c >> 4]));
                out.Put(static_cast<wchar_t>(kHex[c & 15]));
            } else {
                out.Put(c);
            }
        }
    }
}

void PutHexByte(unsigned b, TextOut& out)
{
    out.Put(static_cast<wchar_t>(kHex[(b >> 4) & 15]));
    out.Put(static_cast<wchar_t>(kHex[b & 15]));
}

void FormatBinary(const uint8_t* p, uint32_t len, TextOut& out)
{
    if (len == 0) {
        out.Put(L"Z0");
        return;
    }
    uint32_t i = 0;
    while (i < len) {
        const uint8_t b = p[i];
        const uint32_t maxRun = b ? 15 : 4095;
        uint32_t run = 1;
        while (i + run < len && p[i + run] == b && run < maxRun) {
            ++run;
        }
        if (b) {
            if (run >= 3) {
                out.Put(L'R');
                out.Put(static_cast<wchar_t>(kHex[run]));
                PutHexByte(b, out);
            } else {
                for (uint32_t k = 0; k < run; ++k) {
                    PutHexByte(b, out);
                }
            }
        } else if (run == 1) {
            out.Put(L"00");
        } else if (run <= 15) {
            out.Put(L'Z');
            out.Put(static_cast<wchar_t>(kHex[run]));
        } else {
            out.Put(L'Y');
            out.Put(static_cast<wchar_t>(kHex[(run >> 8) & 15]));
            out.Put(static_cast<wchar_t>(kHex[(run >> 4) & 15]));
            out.Put(static_cast<wchar_t>(kHex[run & 15]));
        }
        i += run;
    }
}

void FormatItem(const TypedValue* item, TextOut& out, unsigned flags)
{
    wchar_t num[64];
    switch (item->type) {
    case TVT_RECORD:
        FormatRecord(item, out, flags);
        break;
    case TVT_LIST:
        FormatRun(item->ListEntry(0), item->ListCount(), item->EntrySpan(), out, flags);
        break;
    case TVT_INT32:
        std::swprintf(num, 64, L"%ld", static_cast<long>(static_cast<int32_t>(item->data)));
        out.Put(num);
        break;
    case TVT_INT64:
        std::swprintf(num, 64, L"%lld", static_cast<long long>(item->Raw64()));
        out.Put(num);
        break;
    case TVT_FLOAT:
        out.Put(FormatReal(item->GetFloat(0), 7).c_str());
        break;
    case TVT_DOUBLE:
        out.Put(FormatReal(item->GetDouble(0), 15).c_str());
        break;
    case TVT_STRING:
        FormatString(static_cast<const wchar_t*>(item->Ptr()), out, flags);
        break;
    case TVT_TEXT:
        if (item->Ptr()) {
            out.Put(static_cast<const wchar_t*>(item->Ptr()));
        }
        break;
    case TVT_BINARY:
        FormatBinary(static_cast<const uint8_t*>(item->Ptr()), item->size, out);
        break;
    default:
        break;
    }
}

// ---- reader ---------------------------------------------------------------------------------

bool IsWs(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r';
}

bool IsTerm(wchar_t c)
{
    return c == 0 || c == L')' || c == L',';
}

bool IsKeyChar(wchar_t c)
{
    return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') ||
           c == L'_';
}

int HexValue(wchar_t c)
{
    if (c >= L'0' && c <= L'9') {
        return c - L'0';
    }
    if (c >= L'A' && c <= L'F') {
        return c - L'A' + 10;
    }
    if (c >= L'a' && c <= L'f') {
        return c - L'a' + 10;
    }
    return -1;
}

struct Reader {
    TextCursor cur;
    wchar_t Peek() const { return cur.At(cur.pos); }
    wchar_t At(size_t p) const { return cur.At(p); }
    void SkipWs()
    {
        while (IsWs(Peek())) {
            ++cur.pos;
        }
    }
};

// Advances to the end of the text or to a terminator at depth 0.
void SkipValue(Reader& r)
{
    int depth = 0;
    for (;;) {
        const wchar_t c = r.Peek();
        if (c == 0) {
            return;
        }
        if (depth == 0 && (c == L')' || c == L',')) {
            return;
        }
        if (c == L'(') {
            ++depth;
        } else if (c == L')') {
            --depth;
        }
        ++r.cur.pos;
    }
}

bool ParseItem(Reader& r, TypedValue* item);

// Positional group of `count` elements of `span` items each.
bool ParseRun(Reader& r, TypedValue* first, uint32_t count, uint32_t span)
{
    r.SkipWs();
    if (IsTerm(r.Peek())) {
        return true;
    }
    if (r.Peek() != L'(') {
        return false;
    }
    ++r.cur.pos;
    for (uint32_t i = 0;; ++i) {
        if (i < count) {
            if (!ParseItem(r, first + i * span)) {
                return false;
            }
        } else {
            SkipValue(r);
        }
        const wchar_t c = r.Peek();
        if (c == 0) {
            return false;
        }
        ++r.cur.pos;
        r.SkipWs();
        if (c == L')') {
            break;
        }
    }
    r.SkipWs();
    return IsTerm(r.Peek());
}

bool ParseRecord(Reader& r, TypedValue* header)
{
    if (r.Peek() != L'(') {
        return false;
    }
    ++r.cur.pos;
    TypedValue* const firstMember = header + 1;
    TypedValue* const end = header + header->size - 1;
    TypedValue* lastMatch = firstMember;
    for (;;) {
        r.SkipWs();
        const size_t keyStart = r.cur.pos;
        while (IsKeyChar(r.Peek())) {
            ++r.cur.pos;
        }
        const size_t keyLen = r.cur.pos - keyStart;
        if (keyLen == 0) {
            return false;
        }
        r.SkipWs();
        if (r.Peek() != L'=') {
            return false;
        }
        ++r.cur.pos;
        r.SkipWs();
        // Search from the member that matched last, wrapping around at the end marker.
        TypedValue* found = nullptr;
        if (firstMember < end) {
            TypedValue* m = lastMatch;
            do {
                const wchar_t* k = m->key;
                if (k && std::wcslen(k) == keyLen &&
                    std::wmemcmp(k, r.cur.text + keyStart, keyLen) == 0) {
                    found = m;
                    break;
                }
                m += m->IsRunStart() ? m->RunSpan() : m->Span();
                if (m >= end) {
                    m = firstMember;
                }
            } while (m != lastMatch);
        }
        if (!found) {
            SkipValue(r);
        } else {
            lastMatch = found;
            const bool run = found->IsRunStart();
            if (run ? found->IsRunPresent() : found->IsPresent()) {
                return false;  // a key given twice
            }
            const bool ok = run ? ParseRun(r, found, found->RunCount(), found->Span())
                                : ParseItem(r, found);
            if (!ok) {
                return false;
            }
        }
        const wchar_t c = r.Peek();
        if (c == 0) {
            return false;
        }
        ++r.cur.pos;
        r.SkipWs();
        if (c == L')') {
            return true;
        }
    }
}

bool ParseList(Reader& r, TypedValue* list)
{
    const size_t start = r.cur.pos;
    if (r.Peek() != L'(') {
        return false;
    }
    ++r.cur.pos;
    uint32_t count = 0;
    for (;;) {
        SkipValue(r);
        const wchar_t c = r.Peek();
        if (c == 0) {
            return false;
        }
        ++r.cur.pos;
        r.SkipWs();
        ++count;
        if (c == L')') {
            break;
        }
    }
    r.cur.pos = start;
    list->SetListSize(count);
    return ParseRun(r, list->ListEntry(0), count, list->EntrySpan());
}

// Raw characters of a string value up to its terminator at depth 0; false when the text ends
// inside an open parenthesis.
bool FindValueEnd(Reader& r, size_t& endPos)
{
    int depth = 0;
    size_t p = r.cur.pos;
    for (;;) {
        const wchar_t c = r.At(p);
        if (c == 0) {
            if (depth > 0) {
                return false;
            }
            break;
        }
        if (depth == 0 && (c == L')' || c == L',')) {
            break;
        }
        if (c == L'(') {
            ++depth;
        } else if (c == L')') {
            --depth;
        }
        ++p;
    }
    endPos = p;
    return true;
}

bool ParseString(Reader& r, TypedValue* item, bool escapes)
{
    size_t endPos = 0;
    if (!FindValueEnd(r, endPos)) {
        return false;
    }
    std::wstring raw;
    for (size_t p = r.cur.pos; p < endPos; ++p) {
        const wchar_t c = r.At(p);
        if (!IsWs(c)) {
            raw += c;
        }
    }
    r.cur.pos = endPos;
    if (!escapes) {
        item->SetStringValue(raw.c_str());
        return true;
    }
    if (raw == L"\\Y") {
        item->SetStringValue(L"");
        return true;
    }
    size_t b = 0;
    size_t e = raw.size();
    if (e >= 2 && raw[0] == L'(' && raw[e - 1] == L')') {
        ++b;
        --e;
    }
    std::wstring out;
    out.reserve(e - b);
    for (size_t i = b; i < e; ++i) {
        const wchar_t c = raw[i];
        if (c != L'\\') {
            out += c;
            continue;
        }
        if (i + 1 >= e) {
            return false;
        }
        const wchar_t n = raw[++i];
        switch (n) {
        case L'H': out += L'\\'; break;
        case L'L': out += L'('; break;
        case L'M': out += L','; break;
        case L'Q': out += L'='; break;
        case L'R': out += L')'; break;
        case L'S': out += L' '; break;
        default: {
            const int hi = HexValue(n);
            const int lo = (i + 1 < e) ? HexValue(raw[i + 1]) : -1;
            if (hi < 0 || lo < 0) {
                return false;
            }
            ++i;
            out += static_cast<wchar_t>(hi * 16 + lo);
        }
        }
    }
    item->SetStringValue(out.c_str());
    return true;
}

bool ParseBinary(Reader& r, TypedValue* item)
{
    std::string bytes;
    auto next = [&r]() -> wchar_t {
        r.SkipWs();
        const wchar_t c = r.Peek();
        if (!IsTerm(c)) {
            ++r.cur.pos;
        }
        return c;
    };
    bool any = false;
    for (;;) {
        r.SkipWs();
        const wchar_t c = r.Peek();
        if (IsTerm(c)) {
            break;
        }
        ++r.cur.pos;
        any = true;
        if (c == L'R') {
            const int n = HexValue(next());
            const int hi = HexValue(next());
            const int lo = HexValue(next());
            if (n < 3 || hi < 0 || lo < 0) {
                return false;
            }
            bytes.append(size_t(n), static_cast<char>(hi * 16 + lo));
        } else if (c == L'Z') {
            const int n = HexValue(next());
            if (n < 0 || n == 1) {
                return false;
            }
            bytes.append(size_t(n), '\0');
        } else if (c == L'Y') {
            const int a = HexValue(next());
            const int b = HexValue(next());
            const int d = HexValue(next());
            if (a < 0 || b < 0 || d < 0) {
                return false;
            }
            bytes.append(size_t(a * 256 + b * 16 + d), '\0');
        } else {
            const int hi = HexValue(c);
            const int lo = HexValue(next());
            if (hi < 0 || lo < 0) {
                return false;
            }
            bytes += static_cast<char>(hi * 16 + lo);
        }
    }
    if (any) {
        item->SetBinary(static_cast<uint32_t>(bytes.size()), bytes.data());
        item->MarkSet();
    }
    return true;
}

bool ParseItem(Reader& r, TypedValue* item)
{
    r.SkipWs();
    if (IsTerm(r.Peek())) {
        return true;
    }
    bool ok = true;
    switch (item->type) {
    case TVT_RECORD:
        ok = ParseRecord(r, item);
        break;
    case TVT_LIST:
        ok = ParseList(r, item);
        break;
    case TVT_INT32: {
        int32_t v = 0;
        const size_t n = ScanInt32(r.cur.text + r.cur.pos, r.cur.Remaining(), &v);
        if (n) {
            r.cur.pos += n;
            item->SetInt(v);
        }
        break;
    }
    case TVT_INT64: {
        int64_t v = 0;
        const size_t n = ScanInt64(r.cur.text + r.cur.pos, r.cur.Remaining(), &v);
        if (n) {
            r.cur.pos += n;
            item->SetInt64(v);
        }
        break;
    }
    case TVT_FLOAT:
    case TVT_DOUBLE: {
        double v = 0;
        const size_t n = ScanReal(r.cur.text + r.cur.pos, r.cur.Remaining(), &v);
        if (n) {
            r.cur.pos += n;
            if (item->type == TVT_FLOAT) {
                item->SetFloat(static_cast<float>(v));
            } else {
                item->SetDouble(v);
            }
        }
        break;
    }
    case TVT_STRING:
        ok = ParseString(r, item, true);
        break;
    case TVT_TEXT:
        ok = ParseString(r, item, false);
        break;
    case TVT_BINARY:
        ok = ParseBinary(r, item);
        break;
    default:
        ok = false;
    }
    if (!ok) {
        return false;
    }
    r.SkipWs();
    return IsTerm(r.Peek());
}

}  // namespace

// ---- public pieces --------------------------------------------------------------------------

std::wstring FormatReal(double value, int precision)
{
    if (std::isnan(value) || value == HUGE_VAL) {
        return L"1E999";
    }
    if (value == -HUGE_VAL) {
        return L"-1E999";
    }
    const int p = precision < 2 ? 2 : (precision > 17 ? 17 : precision);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%1.*E", p - 1, value);
    const char* s = buf;
    const bool negative = (*s == '-');
    if (negative) {
        ++s;
    }
    // Mantissa digits (the point, whatever the locale writes, is skipped) and the exponent.
    std::string digits;
    digits += s[0];
    const char* q = s + 2;
    while (*q >= '0' && *q <= '9') {
        digits += *q++;
    }
    int e = (*q == 'E' || *q == 'e') ? std::atoi(q + 1) : 0;
    std::string intPart = digits.substr(0, 1);
    std::string frac = digits.substr(1);
    const int f = static_cast<int>(frac.size());
    if (e >= 1 && e <= f) {
        intPart += frac.substr(0, size_t(e));
        frac.erase(0, size_t(e));
        e = 0;
    }
    while (!frac.empty() && frac.back() == '0') {
        frac.pop_back();
    }
    std::string out = negative ? "-" : "";
    if (e >= -3 && e <= -1 && static_cast<int>(frac.size()) < p + e) {
        out += "0.";
        out.append(size_t(-e - 1), '0');
        out += intPart + frac;
        e = 0;
    } else {
        out += intPart;
        if (!frac.empty()) {
            out += '.';
            out += frac;
        }
    }
    if (e != 0) {
        out += 'E';
        out += e < 0 ? '-' : '+';
        out += std::to_string(e < 0 ? -e : e);
    }
    return std::wstring(out.begin(), out.end());
}

size_t ScanInt32(const wchar_t* s, size_t limit, int32_t* out)
{
    int64_t v = 0;
    const size_t n = ScanInt64(s, limit, &v);
    // Re-scan with 32-bit bounds: stop before the digit that leaves the range.
    size_t i = 0;
    const bool neg = limit > 0 && s[0] == L'-';
    if (neg) {
        i = 1;
    }
    int64_t acc = 0;
    size_t digits = 0;
    while (i < n && s[i] >= L'0' && s[i] <= L'9') {
        const int64_t next = acc * 10 + (s[i] - L'0');
        if (neg ? -next < INT32_MIN : next > INT32_MAX) {
            break;
        }
        acc = next;
        ++i;
        ++digits;
    }
    if (digits == 0) {
        return 0;
    }
    *out = static_cast<int32_t>(neg ? -acc : acc);
    return i;
}

size_t ScanInt64(const wchar_t* s, size_t limit, int64_t* out)
{
    size_t i = 0;
    const bool neg = limit > 0 && s[0] == L'-';
    if (neg) {
        i = 1;
    }
    // Accumulated on the negative side so the lowest value fits.
    int64_t acc = 0;
    size_t digits = 0;
    while (i < limit && s[i] >= L'0' && s[i] <= L'9') {
        const int d = s[i] - L'0';
        if (acc < (INT64_MIN + d) / 10) {
            break;
        }
        const int64_t next = acc * 10 - d;
        if (!neg && next == INT64_MIN) {
            break;
        }
        acc = next;
        ++i;
        ++digits;
    }
    if (digits == 0) {
        return 0;
    }
    *out = neg ? acc : -acc;
    return i;
}

size_t ScanReal(const wchar_t* s, size_t limit, double* out)
{
    auto at = [s, limit](size_t i) -> wchar_t { return i < limit ? s[i] : 0; };
    size_t i = 0;
    int sign = 1;
    if (at(0) == L'+' || at(0) == L'-') {
        sign = at(0) == L'-' ? -1 : 1;
        i = 1;
    }
    int64_t mant = 0;
    int mantDigits = 0;
    int afterPoint = 0;
    bool point = false;
    for (;;) {
        const wchar_t c = at(i);
        if (c >= L'0' && c <= L'9') {
            if (mantDigits == 17) {
                break;
            }
            mant = mant * 10 + (c - L'0');
            ++mantDigits;
            if (point) {
                ++afterPoint;
            }
            ++i;
        } else if (c == L'.' && !point) {
            point = true;
            ++i;
        } else {
            break;
        }
    }
    if (mantDigits == 0) {
        return 0;
    }
    int exp = 0;
    if (at(i) == L'E' || at(i) == L'e') {
        size_t j = i + 1;
        int expSign = 1;
        if (at(j) == L'+' || at(j) == L'-') {
            expSign = at(j) == L'-' ? -1 : 1;
            ++j;
        }
        int expDigits = 0;
        int ev = 0;
        while (at(j) >= L'0' && at(j) <= L'9' && expDigits < 3) {
            ev = ev * 10 + (at(j) - L'0');
            ++expDigits;
            ++j;
        }
        if (expDigits > 0) {
            exp = expSign * ev;
            i = j;
        }
    }
    char text[64];
    std::snprintf(text, sizeof text, "%lldE%d", static_cast<long long>(mant) * sign,
                  exp - afterPoint);
    double v = std::strtod(text, nullptr);
    if (sign < 0 && mant == 0) {
        v = -0.0;
    }
    *out = v;
    return i;
}

// ---- TypedValue text members ----------------------------------------------------------------

const wchar_t* TypedValue::ToText(unsigned textFlags)
{
    TRACE_FUNCTION();
    if (flags & TV_OWNED) {
        std::free(Ptr());
        data = 0;
        flags &= ~TV_OWNED;
    }
    TextOut measure;
    if (IsPresent()) {
        FormatRecord(this, measure, textFlags);
    }
    auto* buf = static_cast<wchar_t*>(AllocOrThrow((measure.n + 1) * sizeof(wchar_t)));
    TextOut write;
    write.buf = buf;
    if (IsPresent()) {
        FormatRecord(this, write, textFlags);
    }
    buf[write.n] = 0;
    SetPtr(buf);
    flags |= TV_OWNED;
    return buf;
}

int TypedValue::Parse(const wchar_t* text)
{
    TRACE_FUNCTION();
    Reset();
    Reader r{TextCursor{text ? text : L"", static_cast<size_t>(-1), 0}};
    if (!ParseItem(r, this)) {
        return -1;
    }
    return static_cast<int>(r.cur.pos);
}

std::wstring FormatValueText(const TypedValue& item, unsigned flags)
{
    TextOut measure;
    FormatItem(&item, measure, flags);
    std::wstring s(measure.n, L'\0');
    TextOut write;
    write.buf = s.data();
    FormatItem(&item, write, flags);
    return s;
}
