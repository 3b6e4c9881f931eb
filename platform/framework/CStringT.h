// CStringT: the framework's string class in its wide (CStringW, CString) and narrow (CStringA)
// forms. Storage is a std::basic_string with an allocator that raises the framework's E_FAIL
// exception on failure; each form converts from the other through the ANSI code page.
#pragma once

#include "platform/framework/StringTraits.h"

#include <algorithm>
#include <string>
#include <type_traits>
#include <utility>

template <class CharT>
class CStringT {
public:
    using XCHAR = CharT;
    using YCHAR = std::conditional_t<std::is_same_v<CharT, wchar_t>, char, wchar_t>;
    using PXSTR = CharT*;
    using PCXSTR = const CharT*;
    using PCYSTR = const YCHAR*;
    using Storage = std::basic_string<CharT, std::char_traits<CharT>, fw::StringAllocator<CharT>>;

    // Construction
    CStringT() = default;
    CStringT(const CStringT&) = default;
    CStringT(CStringT&&) noexcept = default;
    CStringT& operator=(const CStringT&) = default;
    CStringT& operator=(CStringT&&) noexcept = default;
    // A text that is a resource id (MAKEINTRESOURCE) loads that string, as the framework does.
    CStringT(PCXSTR text) { Assign(text); }
    CStringT(PCYSTR text) { Assign(text); }
    CStringT(PCXSTR text, int length)
    {
        if (text) {
            m_str.assign(text, Clamp(length));
        }
    }
    CStringT(PCYSTR text, int length) { AssignOther(text, length); }
    explicit CStringT(CharT ch, int repeat = 1)
    {
        if (repeat > 0) {
            CheckLength(repeat);
        }
        m_str.assign(Clamp(repeat), ch);
    }
    CStringT(const CStringT<YCHAR>& other) { AssignOther(other.GetString(), other.GetLength()); }

    CStringT& operator=(PCXSTR text) { Assign(text); return *this; }
    CStringT& operator=(PCYSTR text) { Assign(text); return *this; }
    CStringT& operator=(CharT ch) { m_str.assign(1, ch); return *this; }
    CStringT& operator=(const CStringT<YCHAR>& other)
    {
        AssignOther(other.GetString(), other.GetLength());
        return *this;
    }

    // Attributes
    int GetLength() const noexcept { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const noexcept { return m_str.empty(); }
    void Empty() noexcept { m_str.clear(); }
    PCXSTR GetString() const noexcept { return m_str.c_str(); }
    operator PCXSTR() const noexcept { return m_str.c_str(); }
    CharT GetAt(int index) const { CheckIndex(index, false); return m_str[index]; }
    CharT operator[](int index) const { CheckIndex(index, true); return m_str.c_str()[index]; }
    void SetAt(int index, CharT ch) { CheckIndex(index, false); m_str[index] = ch; }
    const Storage& Str() const noexcept { return m_str; }

    // Concatenation
    CStringT& operator+=(const CStringT& text) { m_str += text.m_str; return *this; }
    CStringT& operator+=(PCXSTR text) { Append(text); return *this; }
    CStringT& operator+=(PCYSTR text) { return *this += CStringT(text); }
    CStringT& operator+=(CharT ch) { m_str += ch; return *this; }
    void Append(PCXSTR text) { if (text) m_str += text; }
    void Append(PCXSTR text, int length) { if (text) m_str.append(text, Clamp(length)); }
    void Append(const CStringT& text) { m_str += text.m_str; }
    void AppendChar(CharT ch) { m_str += ch; }

    friend CStringT operator+(const CStringT& a, const CStringT& b)
    {
        CStringT r(a); r += b; return r;
    }
    friend CStringT operator+(const CStringT& a, PCXSTR b) { CStringT r(a); r.Append(b); return r; }
    friend CStringT operator+(PCXSTR a, const CStringT& b) { CStringT r(a); r += b; return r; }
    friend CStringT operator+(const CStringT& a, CharT b) { CStringT r(a); r += b; return r; }
    friend CStringT operator+(CharT a, const CStringT& b) { CStringT r(a); r += b; return r; }

    // Comparison
    int Compare(PCXSTR text) const noexcept { return Cmp(text); }
    int CompareNoCase(PCXSTR text) const noexcept
    {
        return fw::CompareNoCase(GetString(), text ? text : Nul());
    }
    int Collate(PCXSTR text) const noexcept
    {
        return fw::Collate(GetString(), text ? text : Nul());
    }
    int CollateNoCase(PCXSTR text) const noexcept
    {
        return fw::CollateNoCase(GetString(), text ? text : Nul());
    }
    friend bool operator==(const CStringT& a, const CStringT& b) noexcept
    {
        return a.m_str == b.m_str;
    }
    friend bool operator==(const CStringT& a, PCXSTR b) noexcept { return a.Cmp(b) == 0; }
    friend bool operator==(PCXSTR a, const CStringT& b) noexcept { return b.Cmp(a) == 0; }
    friend bool operator!=(const CStringT& a, const CStringT& b) noexcept { return !(a == b); }
    friend bool operator!=(const CStringT& a, PCXSTR b) noexcept { return !(a == b); }
    friend bool operator!=(PCXSTR a, const CStringT& b) noexcept { return !(b == a); }
    friend bool operator<(const CStringT& a, const CStringT& b) noexcept { return a.Cmp(b) < 0; }
    friend bool operator>(const CStringT& a, const CStringT& b) noexcept { return a.Cmp(b) > 0; }
    friend bool operator<=(const CStringT& a, const CStringT& b) noexcept { return a.Cmp(b) <= 0; }
    friend bool operator>=(const CStringT& a, const CStringT& b) noexcept { return a.Cmp(b) >= 0; }

    // Extraction (out-of-range arguments are clamped, as the framework does)
    CStringT Mid(int first) const { return Mid(first, GetLength()); }
    CStringT Mid(int first, int count) const
    {
        if (first < 0) {
            first = 0;
        }
        if (count < 0) {
            count = 0;
        }
        if (first >= GetLength()) {
            return CStringT();
        }
        if (count > GetLength() - first) {
            count = GetLength() - first;
        }
        return CStringT(GetString() + first, count);
    }
    CStringT Left(int count) const { return Mid(0, count); }
    CStringT Right(int count) const
    {
        if (count < 0) {
            count = 0;
        }
        if (count >= GetLength()) {
            return *this;
        }
        return CStringT(GetString() + GetLength() - count, count);
    }
    CStringT SpanIncluding(PCXSTR set) const
    {
        return Left(static_cast<int>(m_str.find_first_not_of(set ? set : Nul())));
    }
    CStringT SpanExcluding(PCXSTR set) const
    {
        return Left(static_cast<int>(m_str.find_first_of(set ? set : Nul())));
    }
    // Next token after start (skipping leading delimiters); start becomes -1 at the end.
    CStringT Tokenize(PCXSTR tokens, int& start) const
    {
        if (start < 0 || start > GetLength()) {
            start = -1;
            return CStringT();
        }
        if (!tokens || !*tokens) {
            CStringT rest = Mid(start);
            start = rest.IsEmpty() ? -1 : GetLength();
            return rest;
        }
        std::size_t from = m_str.find_first_not_of(tokens, start);
        if (from == Storage::npos) {
            start = -1;
            return CStringT();
        }
        std::size_t to = m_str.find_first_of(tokens, from);
        if (to == Storage::npos) {
            to = m_str.size();
        }
        start = static_cast<int>(to) + (to < m_str.size() ? 1 : 0);
        return CStringT(GetString() + from, static_cast<int>(to - from));
    }

    // Searching: index of the match, or -1
    int Find(CharT ch, int start = 0) const noexcept
    {
        if (start < 0 || start >= GetLength()) {
            return -1;
        }
        return Pos(m_str.find(ch, start));
    }
    int Find(PCXSTR sub, int start = 0) const noexcept
    {
        if (!sub || start < 0 || start > GetLength()) {
            return -1;
        }
        return Pos(m_str.find(sub, start));
    }
    int ReverseFind(CharT ch) const noexcept { return Pos(m_str.rfind(ch)); }
    int FindOneOf(PCXSTR set) const noexcept
    {
        return set ? Pos(m_str.find_first_of(set)) : -1;
    }

    // Editing; the counting operations return the number of changes
    int Replace(CharT oldCh, CharT newCh)
    {
        int count = 0;
        if (oldCh != newCh) {
            for (auto& c : m_str) {
                if (c == oldCh) {
                    c = newCh;
                    ++count;
                }
            }
        }
        return count;
    }
    int Replace(PCXSTR oldText, PCXSTR newText)
    {
        int oldLength = oldText ? fw::Length(oldText) : 0;
        if (oldLength == 0) {
            return 0;
        }
        Storage replacement(newText ? newText : Nul());
        Storage out;
        int count = 0;
        std::size_t pos = 0;
        for (;;) {
            std::size_t hit = m_str.find(oldText, pos, oldLength);
            if (hit == Storage::npos) {
                break;
            }
            out.append(m_str, pos, hit - pos);
            out += replacement;
            pos = hit + oldLength;
            ++count;
        }
        if (count) {
            out.append(m_str, pos, Storage::npos);
            m_str.swap(out);
        }
        return count;
    }
    int Remove(CharT ch)
    {
        std::size_t before = m_str.size();
        std::erase(m_str, ch);
        return static_cast<int>(before - m_str.size());
    }
    int Insert(int index, CharT ch)
    {
        index = ClampIndex(index);
        m_str.insert(m_str.begin() + index, ch);
        return GetLength();
    }
    int Insert(int index, PCXSTR text)
    {
        index = ClampIndex(index);
        if (text) {
            m_str.insert(index, text);
        }
        return GetLength();
    }
    int Delete(int index, int count = 1)
    {
        if (index < 0) {
            index = 0;
        }
        if (count > 0 && index < GetLength()) {
            m_str.erase(index, count);
        }
        return GetLength();
    }
    CStringT& MakeUpper() noexcept { fw::MakeUpper(m_str.data(), GetLength()); return *this; }
    CStringT& MakeLower() noexcept { fw::MakeLower(m_str.data(), GetLength()); return *this; }
    CStringT& MakeReverse() { std::reverse(m_str.begin(), m_str.end()); return *this; }
    CStringT& Truncate(int length)
    {
        if (length >= 0 && length < GetLength()) {
            m_str.resize(length);
        }
        return *this;
    }

    // Trimming: white space, one character, or any of a set
    CStringT& TrimRight()
    {
        std::size_t end = m_str.size();
        while (end > 0 && fw::IsSpace(m_str[end - 1])) {
            --end;
        }
        m_str.resize(end);
        return *this;
    }
    CStringT& TrimLeft()
    {
        std::size_t begin = 0;
        while (begin < m_str.size() && fw::IsSpace(m_str[begin])) {
            ++begin;
        }
        m_str.erase(0, begin);
        return *this;
    }
    CStringT& Trim() { return TrimRight().TrimLeft(); }
    CStringT& TrimRight(CharT ch) { return TrimRightSet(Storage(1, ch)); }
    CStringT& TrimLeft(CharT ch) { return TrimLeftSet(Storage(1, ch)); }
    CStringT& Trim(CharT ch) { return TrimRight(ch).TrimLeft(ch); }
    CStringT& TrimRight(PCXSTR set) { return TrimRightSet(Storage(set ? set : Nul())); }
    CStringT& TrimLeft(PCXSTR set) { return TrimLeftSet(Storage(set ? set : Nul())); }
    CStringT& Trim(PCXSTR set) { return TrimRight(set).TrimLeft(set); }

    // Formatting with the system's printf semantics. The arguments must be plain values
    // (numbers, characters, pointers): a string object passed here would reach printf as the
    // address of a copy, so pass str.GetString() instead (checked at compile time).
    template <class... Args>
    void Format(PCXSTR format, const Args&... args)
    {
        CheckPrintfArguments<Args...>();
        FormatVariadic(format, args...);
    }
    // The format is a string of the string table (empty when it is missing).
    template <class... Args>
    void Format(UINT formatId, const Args&... args)
    {
        CheckPrintfArguments<Args...>();
        CStringT format;
        format.LoadString(formatId);
        FormatVariadic(format.GetString(), args...);
    }
    template <class... Args>
    void AppendFormat(PCXSTR format, const Args&... args)
    {
        CheckPrintfArguments<Args...>();
        AppendFormatVariadic(format, args...);
    }
    void FormatV(PCXSTR format, va_list args)
    {
        Storage keep;
        m_str.swap(keep);
        try {
            AppendFormatV(format, args);
        } catch (...) {
            m_str.swap(keep);
            throw;
        }
    }
    void AppendFormatV(PCXSTR format, va_list args);
    // Loads a string of the string table; FALSE (string emptied) when the id is missing.
    BOOL LoadString(UINT id) { return LoadString(AfxGetResourceHandle(), id); }
    BOOL LoadString(HINSTANCE module, UINT id)
    {
        int length = 0;
        const wchar_t* text = fw::FindStringResource(module, id, &length);
        if (!text) {
            Empty();
            return FALSE;
        }
        if constexpr (std::is_same_v<CharT, wchar_t>) {
            m_str.assign(text, length);
        } else {
            AssignOther(text, length);
        }
        return TRUE;
    }

    // Buffer access: GetBuffer hands out room for at least minLength characters and the
    // terminator; ReleaseBuffer(-1) takes the length up to the first terminator.
    PXSTR GetBuffer() { return m_str.data(); }
    PXSTR GetBuffer(int minLength)
    {
        CheckLength(minLength);
        if (minLength > GetLength()) {
            m_str.resize(minLength);
        }
        return m_str.data();
    }
    PXSTR GetBufferSetLength(int length)
    {
        CheckLength(length);
        m_str.resize(length);
        return m_str.data();
    }
    void ReleaseBuffer(int newLength = -1)
    {
        if (newLength < 0) {
            newLength = static_cast<int>(std::char_traits<CharT>::length(m_str.c_str()));
        }
        if (newLength > GetLength()) {
            newLength = GetLength();
        }
        m_str.resize(newLength);
    }
    void ReleaseBufferSetLength(int newLength) { ReleaseBuffer(newLength < 0 ? 0 : newLength); }
    void Preallocate(int length)
    {
        CheckLength(length);
        m_str.reserve(length);
    }
    void FreeExtra() { m_str.shrink_to_fit(); }
    PXSTR LockBuffer() { return m_str.data(); }
    void UnlockBuffer() noexcept {}
    int GetAllocLength() const noexcept { return static_cast<int>(m_str.capacity()); }

    // A new BSTR holding the text (wide); the caller frees it with SysFreeString.
    BSTR AllocSysString() const { return fw::AllocSysString(GetString(), GetLength()); }
    BSTR SetSysString(BSTR* target) const
    {
        BSTR result = AllocSysString();
        ::SysFreeString(*target);
        *target = result;
        return result;
    }

    static int StringLength(PCXSTR text) noexcept { return text ? fw::Length(text) : 0; }

private:
    template <class... Args>
    static constexpr void CheckPrintfArguments()
    {
        static_assert((std::is_trivially_copyable_v<std::decay_t<Args>> && ...),
                      "printf arguments must be plain values: pass strings as GetString()");
    }
    void FormatVariadic(PCXSTR format, ...)
    {
        va_list args;
        va_start(args, format);
        FormatV(format, args);
        va_end(args);
    }
    void AppendFormatVariadic(PCXSTR format, ...)
    {
        va_list args;
        va_start(args, format);
        AppendFormatV(format, args);
        va_end(args);
    }
    static PCXSTR Nul() noexcept
    {
        static const CharT empty[1] = {0};
        return empty;
    }
    // Sizes beyond what the storage can hold fail like any other allocation (E_FAIL).
    void CheckLength(INT_PTR length) const
    {
        if (length < 0 || static_cast<std::size_t>(length) >= m_str.max_size()) {
            fw::ThrowStringAllocFailure();
        }
    }
    static std::size_t Clamp(int length) noexcept
    {
        return length > 0 ? static_cast<std::size_t>(length) : 0;
    }
    int ClampIndex(int index) const noexcept
    {
        return index < 0 ? 0 : (index > GetLength() ? GetLength() : index);
    }
    static int Pos(std::size_t pos) noexcept
    {
        return pos == Storage::npos ? -1 : static_cast<int>(pos);
    }
    int Cmp(PCXSTR text) const noexcept { return m_str.compare(text ? text : Nul()); }
    void CheckIndex(int index, bool allowEnd) const;
    template <class Text>
    void Assign(const Text* text)
    {
        if (text && IS_INTRESOURCE(text)) {
            LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(text)));
        } else if constexpr (std::is_same_v<Text, CharT>) {
            m_str.assign(text ? text : Nul());
        } else {
            AssignOther(text, text ? fw::Length(text) : 0);
        }
    }
    void AssignOther(PCYSTR text, int length)
    {
        if (!text || length <= 0) {
            m_str.clear();
            return;
        }
        int needed = fw::ConvertedLength(text, length, CP_ACP);
        Storage converted(static_cast<std::size_t>(needed), CharT(0));
        fw::Convert(text, length, converted.data(), needed, CP_ACP);
        m_str.swap(converted);
    }
    CStringT& TrimRightSet(const Storage& set)
    {
        std::size_t end = m_str.find_last_not_of(set);
        m_str.resize(end == Storage::npos ? 0 : end + 1);
        return *this;
    }
    CStringT& TrimLeftSet(const Storage& set)
    {
        std::size_t begin = m_str.find_first_not_of(set);
        m_str.erase(0, begin == Storage::npos ? m_str.size() : begin);
        return *this;
    }

    Storage m_str;
};

[[noreturn]] void AfxThrowInvalidArgException();

template <class CharT>
void CStringT<CharT>::CheckIndex(int index, bool allowEnd) const
{
    if (index < 0 || index > GetLength() || (!allowEnd && index == GetLength())) {
        AfxThrowInvalidArgException();
    }
}

template <class CharT>
void CStringT<CharT>::AppendFormatV(PCXSTR format, va_list args)
{
    if (!format) {
        AfxThrowInvalidArgException();
    }
    va_list counting;
    va_copy(counting, args);
    int length = fw::FormatLength(format, counting);
    va_end(counting);
    if (length < 0) {
        AfxThrowInvalidArgException();
    }
    std::size_t old = m_str.size();
    CheckLength(static_cast<INT_PTR>(old) + length);
    m_str.resize(old + length);
    fw::FormatInto(m_str.data() + old, length + 1, format, args);
}

extern template class CStringT<wchar_t>;
extern template class CStringT<char>;

using CStringW = CStringT<wchar_t>;
using CStringA = CStringT<char>;
using CString = CStringW;

// Extracts the subIndex-th field of fullText split at separator; FALSE past the last field.
BOOL AFXAPI AfxExtractSubString(CString& result, LPCTSTR fullText, int subIndex,
                                TCHAR separator = L'\n');
