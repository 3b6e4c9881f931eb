// Character-width helpers behind CStringT: one set of narrow and one set of wide functions with
// the same names, so the string template is written once. Formatting goes to msvcrt's own
// printf family (Microsoft semantics for %s, %S, %hs, %ls, %I64d), never to mingw's C99 one.
#pragma once

#include "platform/framework/FrameworkDefs.h"

#include <cstdarg>
#include <cstdlib>
#include <memory>

namespace fw {

// Allocator of string storage: a failed allocation raises the framework's E_FAIL exception,
// as every framework string operation reports it.
[[noreturn]] void ThrowStringAllocFailure();

template <class T>
struct StringAllocator {
    using value_type = T;
    StringAllocator() noexcept = default;
    template <class U>
    StringAllocator(const StringAllocator<U>&) noexcept {}
    T* allocate(std::size_t n)
    {
        if (n > static_cast<std::size_t>(0x7FFFFFFF) / sizeof(T)) {
            ThrowStringAllocFailure();
        }
        void* p = std::malloc(n * sizeof(T));
        if (!p) {
            ThrowStringAllocFailure();
        }
        return static_cast<T*>(p);
    }
    void deallocate(T* p, std::size_t) noexcept { std::free(p); }
    template <class U>
    bool operator==(const StringAllocator<U>&) const noexcept { return true; }
};

// Number of characters the formatted text needs (without terminator), -1 on a bad format.
int FormatLength(const char* format, va_list args);
int FormatLength(const wchar_t* format, va_list args);
// Formats into buffer of capacity characters (terminator included); returns the length.
int FormatInto(char* buffer, int capacity, const char* format, va_list args);
int FormatInto(wchar_t* buffer, int capacity, const wchar_t* format, va_list args);

int Length(const char* text) noexcept;
int Length(const wchar_t* text) noexcept;
int CompareNoCase(const char* a, const char* b) noexcept;
int CompareNoCase(const wchar_t* a, const wchar_t* b) noexcept;
int Collate(const char* a, const char* b) noexcept;
int Collate(const wchar_t* a, const wchar_t* b) noexcept;
int CollateNoCase(const char* a, const char* b) noexcept;
int CollateNoCase(const wchar_t* a, const wchar_t* b) noexcept;
void MakeUpper(char* text, int length) noexcept;
void MakeUpper(wchar_t* text, int length) noexcept;
void MakeLower(char* text, int length) noexcept;
void MakeLower(wchar_t* text, int length) noexcept;
bool IsSpace(char ch) noexcept;
bool IsSpace(wchar_t ch) noexcept;

// Length of text converted to the other width (code page for the narrow side), and the
// conversion itself into a buffer of that many characters.
int ConvertedLength(const char* text, int length, UINT codePage) noexcept;
int ConvertedLength(const wchar_t* text, int length, UINT codePage) noexcept;
void Convert(const char* text, int length, wchar_t* out, int outLength, UINT codePage) noexcept;
void Convert(const wchar_t* text, int length, char* out, int outLength, UINT codePage) noexcept;

// String resource of the given id from a module's string table; nullptr/0 when missing.
// The returned text is not terminated.
const wchar_t* FindStringResource(HINSTANCE module, UINT id, int* length) noexcept;

BSTR AllocSysString(const char* text, int length);
BSTR AllocSysString(const wchar_t* text, int length);

}  // namespace fw
