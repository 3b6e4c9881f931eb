// Structure, buffers, lists, copying and comparison of typed values. Spans are walked by index
// over the contiguous item array; list storages are separate item arrays laid out as records.
#include "WinNT_SP/Include_VS2005/TypedValue.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>

void* AllocOrThrow(size_t bytes)
{
    void* p = std::malloc(bytes ? bytes : 1);
    if (!p) {
        throw CNoMemExc(bytes);
    }
    return p;
}

namespace {

bool IsBufferType(uint8_t t)
{
    return t == TVT_STRING || t == TVT_TEXT || t == TVT_BINARY;
}

bool IsNumberType(uint8_t t)
{
    return t >= TVT_INT32 && t <= TVT_DOUBLE;
}

const wchar_t* BufferText(const TypedValue& v)
{
    const auto* p = static_cast<const wchar_t*>(v.Ptr());
    return p ? p : L"";
}

}  // namespace

// ---- structure ------------------------------------------------------------------------------

uint32_t TypedValue::Span() const
{
    if (type == TVT_RECORD) {
        return size;
    }
    if (type == TVT_LIST && elemType == TVT_RECORD) {
        return 1 + this[1].size;
    }
    return 1;
}

bool TypedValue::SameMember(const TypedValue& a, const TypedValue& b)
{
    if (a.type != b.type || a.type == TVT_END) {
        return false;
    }
    if (a.type == TVT_RECORD && (!(a.flags & TV_NESTED) || !(b.flags & TV_NESTED))) {
        return false;
    }
    if (!a.key || !b.key) {
        return a.key == b.key;
    }
    return std::wcscmp(a.key, b.key) == 0;
}

bool TypedValue::IsRunStart() const
{
    return SameMember(*this, this[Span()]);
}

uint32_t TypedValue::RunCount() const
{
    const uint32_t s = Span();
    uint32_t n = 1;
    while (SameMember(*this, this[n * s])) {
        ++n;
    }
    return n;
}

uint32_t TypedValue::RunSpan() const
{
    return Span() * RunCount();
}

bool TypedValue::IsPresent() const
{
    const uint32_t span = Span();
    for (uint32_t i = 0; i < span; ++i) {
        const TypedValue& it = this[i];
        if (!(it.flags & TV_SET)) {
            continue;
        }
        if (it.type == TVT_LIST) {
            const TypedValue* st = it.Storage();
            if (st && st->IsPresent()) {
                return true;
            }
            continue;
        }
        return true;
    }
    return false;
}

bool TypedValue::IsRunPresent() const
{
    if (!IsRunStart()) {
        return IsPresent();
    }
    const uint32_t s = Span();
    const uint32_t n = RunCount();
    for (uint32_t i = 0; i < n; ++i) {
        if (this[i * s].IsPresent()) {
            return true;
        }
    }
    return false;
}

// ---- buffers --------------------------------------------------------------------------------

void TypedValue::Reset()
{
    const uint32_t span = Span();
    for (uint32_t i = span; i-- > 0;) {
        this[i].Clear();
    }
}

void TypedValue::Clear()
{
    FreeBuffer();
    flags &= ~TV_SET;
}

void TypedValue::FreeBuffer()
{
    if (!(flags & TV_OWNED)) {
        return;
    }
    if (type == TVT_LIST) {
        TypedValue* st = Storage();
        if (st) {
            st->Reset();
            std::free(st);
        }
        data = 0;
        size = 0;
    } else if (type == TVT_RECORD) {
        std::free(Ptr());
        data = 0;
    } else if (IsBufferType(type)) {
        std::free(Ptr());
        data = 0;
        size = 0;
    }
    flags &= ~TV_OWNED;
}

void TypedValue::EnsureBuffer(uint32_t bytes)
{
    if (bytes == 0) {
        FreeBuffer();
        return;
    }
    if ((flags & TV_OWNED) && Ptr() && size >= bytes) {
        return;
    }
    void* p = AllocOrThrow(bytes);
    FreeBuffer();
    SetPtr(p);
    flags |= TV_OWNED;
    size = bytes;
}

void TypedValue::SetString(const wchar_t* text)
{
    if (!text) {
        text = L"";
    }
    const size_t len = std::wcslen(text);
    if (len > 0 || (flags & TV_OWNED)) {
        const uint32_t bytes = static_cast<uint32_t>(sizeof(wchar_t) * (len + 1));
        if (static_cast<const void*>(text) == Ptr()) {
            return;  // already our own text
        }
        EnsureBuffer(bytes);
        std::memcpy(Ptr(), text, bytes);
    } else {
        FreeBuffer();
    }
}

void TypedValue::SetBinary(uint32_t length, const void* bytes)
{
    EnsureBuffer(length);
    size = length;
    if (length) {
        std::memcpy(Ptr(), bytes, length);
    }
}

// ---- lists ----------------------------------------------------------------------------------

uint32_t TypedValue::EntrySpan() const
{
    return elemType == TVT_RECORD ? this[1].size : 1;
}

uint32_t TypedValue::ListCount() const
{
    const TypedValue* st = Storage();
    if (!(flags & TV_SET) || !st || st->size < 2) {
        return 0;
    }
    return (st->size - 2) / EntrySpan();
}

TypedValue* TypedValue::ListEntry(uint32_t index) const
{
    return Storage() + 1 + index * EntrySpan();
}

void TypedValue::ReserveList(uint32_t count, bool keep)
{
    const uint32_t s = EntrySpan();
    const uint32_t needed = count * s + 2;
    TypedValue* st = Storage();
    uint32_t preserved = 0;
    if (keep && (flags & TV_SET) && st) {
        preserved = st->size;
    } else if (st) {
        st->Reset();
    }
    if (count == 0) {
        flags &= ~TV_SET;
        return;
    }
    if (!st || size < needed) {
        const uint32_t cap = (count * s + 65) / 64 * 64;
        auto* fresh = static_cast<TypedValue*>(AllocOrThrow(size_t(cap) * sizeof(TypedValue)));
        if (st) {
            std::memcpy(static_cast<void*>(fresh), st, size_t(preserved) * sizeof(TypedValue));
            std::free(st);
        }
        st = fresh;
        SetPtr(st);
        flags |= TV_OWNED;
        size = cap;
    }
    std::memset(static_cast<void*>(st + preserved), 0,
                size_t(size - preserved) * sizeof(TypedValue));
    st->type = TVT_RECORD;
    st->size = needed;
    st[needed - 1].type = TVT_END;
}

void TypedValue::SetListSize(uint32_t count)
{
    ReserveList(count, false);
    if (count == 0) {
        return;
    }
    const uint32_t s = EntrySpan();
    for (uint32_t i = 0; i < count; ++i) {
        TypedValue* e = ListEntry(i);
        if (s == 1) {
            e->type = elemType;
            e->key = key;
        } else {
            // A fresh copy of the declaration's template; templates never own buffers, and the
            // copy is stripped of ownership anyway so an entry can never share one.
            std::memcpy(static_cast<void*>(e), this + 1, size_t(s) * sizeof(TypedValue));
            for (uint32_t k = 0; k < s; ++k) {
                e[k].flags &= TV_NESTED;
                if (IsBufferType(e[k].type) || e[k].type == TVT_LIST) {
                    e[k].data = 0;
                    e[k].size = 0;
                }
            }
        }
    }
    flags |= TV_SET;
}

void TypedValue::InsertListEntry(uint32_t index)
{
    const uint32_t n = ListCount();
    ReserveList(n + 1, true);
    flags |= TV_SET;
    TypedValue* st = Storage();
    // Entries from index on, and the old end marker, move up by one.
    std::memmove(static_cast<void*>(st + 2 + index), st + 1 + index,
                 size_t(n - index + 1) * sizeof(TypedValue));
    st[n + 2].type = TVT_END;
    TypedValue* e = st + 1 + index;
    std::memset(static_cast<void*>(e), 0, sizeof(TypedValue));
    e->type = elemType;
    e->key = key;
}

void TypedValue::RemoveListEntries(uint32_t index, uint32_t count)
{
    const uint32_t n = ListCount();
    if (count == 0) {
        return;
    }
    if (count >= n) {
        SetListSize(0);
        return;
    }
    const uint32_t s = EntrySpan();
    for (uint32_t i = 0; i < count; ++i) {
        ListEntry(index + i)->Reset();
    }
    TypedValue* st = Storage();
    const uint32_t from = 1 + (index + count) * s;
    const uint32_t to = 1 + index * s;
    const uint32_t moved = st->size - from;  // later entries and the end marker
    std::memmove(static_cast<void*>(st + to), st + from, size_t(moved) * sizeof(TypedValue));
    const uint32_t newSize = (n - count) * s + 2;
    std::memset(static_cast<void*>(st + newSize), 0,
                size_t(st->size - newSize) * sizeof(TypedValue));
    st->size = newSize;
}

// ---- copy and compare -----------------------------------------------------------------------

void TypedValue::CopyFrom(const TypedValue& source)
{
    const uint32_t span = Span();
    for (uint32_t i = span; i-- > 0;) {
        this[i].CopyItem((&source)[i]);
    }
}

void TypedValue::CopyItem(const TypedValue& src)
{
    flags = static_cast<uint8_t>((flags & ~TV_SET) | (src.flags & TV_SET));
    if (!(src.flags & TV_SET)) {
        if (type == TVT_LIST) {
            ReserveList(0, false);
        } else if (type == TVT_STRING || type == TVT_TEXT) {
            SetString(nullptr);
        } else {
            FreeBuffer();
        }
        return;
    }
    switch (type) {
    case TVT_LIST: {
        const TypedValue* sst = src.Storage();
        const uint32_t n = sst ? (sst->size - 2) / src.EntrySpan() : 0;
        SetListSize(n);
        if (n > 0) {
            Storage()->CopyFrom(*sst);
        }
        break;
    }
    case TVT_INT32:
    case TVT_INT64:
    case TVT_FLOAT:
    case TVT_DOUBLE:
        data = src.data;
        size = src.size;
        break;
    case TVT_STRING:
    case TVT_TEXT:
        SetString(static_cast<const wchar_t*>(src.Ptr()));
        break;
    case TVT_BINARY:
        SetBinary(src.size, src.Ptr());
        break;
    default:
        break;
    }
}

bool TypedValue::IsEqual(const TypedValue& other, unsigned cmpFlags) const
{
    const uint32_t span = Span();
    for (uint32_t i = span; i-- > 0;) {
        if (!this[i].ItemEquals((&other)[i], cmpFlags)) {
            return false;
        }
    }
    return true;
}

bool TypedValue::ItemEquals(const TypedValue& other, unsigned cmpFlags) const
{
    if (type == TVT_RECORD || type == TVT_END) {
        return true;
    }
    const bool a = (type == TVT_LIST) ? IsPresent() : IsSet();
    const bool b = (other.type == TVT_LIST) ? other.IsPresent() : other.IsSet();
    if (!a && !b) {
        return true;
    }
    if (a != b) {
        if ((cmpFlags & 1) && (type == TVT_STRING || type == TVT_TEXT)) {
            return std::wcscmp(BufferText(*this), BufferText(other)) == 0;
        }
        if ((cmpFlags & 2) && IsNumberType(type)) {
            if (type == TVT_INT32 || type == TVT_FLOAT) {
                return data == other.data;
            }
            return data == other.data && size == other.size;
        }
        return false;
    }
    switch (type) {
    case TVT_LIST: {
        const TypedValue* x = Storage();
        const TypedValue* y = other.Storage();
        return x->size == y->size && x->IsEqual(*y, 0);
    }
    case TVT_INT32:
        return data == other.data;
    case TVT_INT64:
        return data == other.data && size == other.size;
    case TVT_FLOAT:
        return GetFloat(0) == other.GetFloat(0);
    case TVT_DOUBLE:
        return GetDouble(0) == other.GetDouble(0);
    case TVT_BINARY:
        return size == other.size && (size == 0 || std::memcmp(Ptr(), other.Ptr(), size) == 0);
    case TVT_STRING:
    case TVT_TEXT:
        return std::wcscmp(BufferText(*this), BufferText(other)) == 0;
    default:
        return true;
    }
}

// ---- typed access ---------------------------------------------------------------------------

void TypedValue::SetInt(int32_t v)
{
    data = static_cast<uint32_t>(v);
    flags |= TV_SET;
}

void TypedValue::SetInt64(int64_t v)
{
    SetRaw64(v);
    flags |= TV_SET;
}

float TypedValue::GetFloat(float def) const
{
    if (!IsSet()) {
        return def;
    }
    const uint32_t bits = Low32();
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

void TypedValue::SetFloat(float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    data = bits;
    flags |= TV_SET;
}

double TypedValue::GetDouble(double def) const
{
    if (!IsSet()) {
        return def;
    }
    const int64_t raw = Raw64();
    double d;
    std::memcpy(&d, &raw, sizeof d);
    return d;
}

void TypedValue::SetDouble(double v)
{
    int64_t raw;
    std::memcpy(&raw, &v, sizeof raw);
    SetRaw64(raw);
    flags |= TV_SET;
}

const wchar_t* TypedValue::GetStringValue() const
{
    if (!IsSet() || !Ptr()) {
        return L"";
    }
    return static_cast<const wchar_t*>(Ptr());
}

void TypedValue::SetStringValue(const wchar_t* text)
{
    SetString(text);
    flags |= TV_SET;
}

// ---- declarations ---------------------------------------------------------------------------

namespace {

void InitItem(TypedValue& item, uint8_t letter, const wchar_t* key)
{
    std::memset(static_cast<void*>(&item), 0, sizeof item);
    item.type = letter;
    item.key = key;
}

}  // namespace

void InitIntValue(TypedValue& item, const wchar_t* key) { InitItem(item, TVT_INT32, key); }
void InitInt64Value(TypedValue& item, const wchar_t* key) { InitItem(item, TVT_INT64, key); }
void InitDoubleValue(TypedValue& item, const wchar_t* key) { InitItem(item, TVT_DOUBLE, key); }
void InitStringValue(TypedValue& item, const wchar_t* key) { InitItem(item, TVT_STRING, key); }
void InitBinaryValue(TypedValue& item, const wchar_t* key) { InitItem(item, TVT_BINARY, key); }

void InitTextValue(TypedValue& item, const wchar_t* key)
{
    InitItem(item, TVT_STRING, key);
    item.type = TVT_TEXT;
}

void InitListValue(TypedValue& item, const wchar_t* key)
{
    InitItem(item, TVT_LIST, key);
    item.elemType = TVT_TEXT;
}

void InitEndMarker(TypedValue& item) { InitItem(item, TVT_END, nullptr); }

void InitRecordHeader(TypedValue& header, const wchar_t* key, uint32_t count, bool nested)
{
    InitItem(header, TVT_RECORD, key);
    header.flags = nested ? TV_NESTED : 0;
    header.size = count;
}
