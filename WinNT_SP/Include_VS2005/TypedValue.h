// Self-describing values: a flat array of fixed-size items holding numbers, strings, binary
// blocks, lists and records of named members. Settings, format records and playback settings
// are typed values; their text form (TypedValueText.cpp) is what files and the engine exchange.
#pragma once

#include <cstdint>
#include <new>

// Type letters of an item.
enum TypedValueType : uint8_t {
    TVT_RECORD = 'A',  // size = items of the record incl. header and end; data = text buffer
    TVT_END = 'B',
    TVT_LIST = 'C',    // data = storage array, size = capacity in items, elemType = entry type
    TVT_INT32 = 'D',
    TVT_INT64 = 'E',   // data = low half, size = high half
    TVT_FLOAT = 'F',
    TVT_DOUBLE = 'G',  // data and size together
    TVT_STRING = 'H',  // data = UTF-16 buffer, size = buffer bytes
    TVT_TEXT = 'I',    // text form of another value, stored verbatim
    TVT_BINARY = 'J',  // data = buffer, size = length in bytes
};

constexpr uint8_t TV_OWNED = 0x01;
constexpr uint8_t TV_SET = 0x02;
constexpr uint8_t TV_NESTED = 0x04;

// Thrown by value when the heap refuses a buffer; holds the requested byte count.
class CNoMemExc : public std::bad_alloc {
public:
    explicit CNoMemExc(size_t bytes) : m_bytes(bytes) {}
    size_t Bytes() const { return m_bytes; }
    const char* what() const noexcept override { return "out of memory"; }

private:
    size_t m_bytes;
};

void* AllocOrThrow(size_t bytes);

struct TypedValue {
    uint8_t type;
    uint8_t flags;
    uint8_t elemType;
    uint8_t reserved;
    const wchar_t* key;  // static text, never owned
    uintptr_t data;      // a 32-bit value or a buffer pointer
    uint32_t size;

    // ---- structure --------------------------------------------------------------------------
    uint32_t Span() const;
    bool IsRunStart() const;   // the item after this item's span continues a run
    uint32_t RunSpan() const;  // element span times element count
    uint32_t RunCount() const;
    bool IsPresent() const;
    bool IsRunPresent() const;
    static bool SameMember(const TypedValue& a, const TypedValue& b);

    // ---- buffers and lifetime ---------------------------------------------------------------
    void Reset();
    void Clear();
    void FreeBuffer();
    void EnsureBuffer(uint32_t bytes);
    void SetString(const wchar_t* text);        // leaves TV_SET to the caller
    void SetBinary(uint32_t length, const void* bytes);

    // ---- lists ------------------------------------------------------------------------------
    uint32_t EntrySpan() const;
    uint32_t ListCount() const;  // 0 when the list is not set
    TypedValue* Storage() const { return static_cast<TypedValue*>(Ptr()); }
    TypedValue* ListEntry(uint32_t index) const;
    void ReserveList(uint32_t count, bool keep);
    void SetListSize(uint32_t count);
    void InsertListEntry(uint32_t index);
    void RemoveListEntries(uint32_t index, uint32_t count);

    // ---- copy and compare (both sides share one declaration) --------------------------------
    void CopyFrom(const TypedValue& source);
    void CopyItem(const TypedValue& source);
    bool IsEqual(const TypedValue& other, unsigned flags) const;
    bool ItemEquals(const TypedValue& other, unsigned flags) const;

    // ---- typed access -----------------------------------------------------------------------
    bool IsSet() const { return (flags & TV_SET) != 0; }
    void MarkSet() { flags |= TV_SET; }
    int32_t GetInt(int32_t def) const { return IsSet() ? static_cast<int32_t>(data) : def; }
    void SetInt(int32_t v);
    int64_t GetInt64(int64_t def) const { return IsSet() ? Raw64() : def; }
    void SetInt64(int64_t v);
    float GetFloat(float def) const;
    void SetFloat(float v);
    double GetDouble(double def) const;
    void SetDouble(double v);
    const wchar_t* GetStringValue() const;  // empty when absent or without buffer
    void SetStringValue(const wchar_t* text);  // sets the string and marks it present

    // ---- text form (TypedValueText.cpp) -----------------------------------------------------
    // Text of a record header, owned by the header until the next call or reset.
    const wchar_t* ToText(unsigned flags);
    // Resets the value, then reads it; characters consumed or -1 on a syntax error.
    int Parse(const wchar_t* text);

    // ---- raw words --------------------------------------------------------------------------
    void* Ptr() const { return reinterpret_cast<void*>(data); }
    void SetPtr(void* p) { data = reinterpret_cast<uintptr_t>(p); }
    uint32_t Low32() const { return static_cast<uint32_t>(data); }
    int64_t Raw64() const
    {
        return static_cast<int64_t>((static_cast<uint64_t>(size) << 32) | Low32());
    }
    void SetRaw64(int64_t v)
    {
        data = static_cast<uint32_t>(static_cast<uint64_t>(v));
        size = static_cast<uint32_t>(static_cast<uint64_t>(v) >> 32);
    }
};

static_assert(sizeof(void*) != 4 || sizeof(TypedValue) == 16);

// Declaration helpers: each zeroes the item and gives it its letter and key.
void InitIntValue(TypedValue& item, const wchar_t* key);
void InitInt64Value(TypedValue& item, const wchar_t* key);
void InitDoubleValue(TypedValue& item, const wchar_t* key);
void InitStringValue(TypedValue& item, const wchar_t* key);
void InitTextValue(TypedValue& item, const wchar_t* key);
void InitBinaryValue(TypedValue& item, const wchar_t* key);
void InitListValue(TypedValue& item, const wchar_t* key);  // a list of text values
void InitEndMarker(TypedValue& item);
// Header of a record of `count` items (header and end included); called last.
void InitRecordHeader(TypedValue& header, const wchar_t* key, uint32_t count, bool nested);
