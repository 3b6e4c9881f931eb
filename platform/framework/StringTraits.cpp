// Narrow and wide string primitives behind CStringT. Formatting calls msvcrt.dll's printf
// family directly: mingw's headers redirect the plain names to a C99 printf in which %s of a
// wide format means a narrow string, which is not what the program's formats expect.
#include "platform/framework/StringTraits.h"

#include "platform/framework/CMemoryException.h"
#include "platform/framework/COleException.h"

#include <cstring>
#include <cwchar>
#include <cwctype>

namespace fw {
namespace {

using NarrowCount = int(__cdecl*)(const char*, va_list);
using WideCount = int(__cdecl*)(const wchar_t*, va_list);
using NarrowPrint = int(__cdecl*)(char*, size_t, const char*, va_list);
using WidePrint = int(__cdecl*)(wchar_t*, size_t, const wchar_t*, va_list);

struct MsvcrtPrintf {
    NarrowCount narrowCount = nullptr;
    WideCount wideCount = nullptr;
    NarrowPrint narrowPrint = nullptr;
    WidePrint widePrint = nullptr;

    MsvcrtPrintf()
    {
        HMODULE crt = ::GetModuleHandleW(L"msvcrt.dll");
        if (!crt) {
            crt = ::LoadLibraryW(L"msvcrt.dll");
        }
        if (crt) {
            narrowCount = reinterpret_cast<NarrowCount>(
                reinterpret_cast<void*>(::GetProcAddress(crt, "_vscprintf")));
            wideCount = reinterpret_cast<WideCount>(
                reinterpret_cast<void*>(::GetProcAddress(crt, "_vscwprintf")));
            narrowPrint = reinterpret_cast<NarrowPrint>(
                reinterpret_cast<void*>(::GetProcAddress(crt, "_vsnprintf")));
            widePrint = reinterpret_cast<WidePrint>(
                reinterpret_cast<void*>(::GetProcAddress(crt, "_vsnwprintf")));
        }
    }
};

const MsvcrtPrintf& Printf()
{
    static const MsvcrtPrintf functions;
    if (!functions.narrowCount || !functions.wideCount || !functions.narrowPrint ||
        !functions.widePrint) {
        AfxThrowOleException(E_FAIL);
    }
    return functions;
}

}  // namespace

void ThrowStringAllocFailure()
{
    AfxThrowOleException(E_FAIL);
}

int FormatLength(const char* format, va_list args)
{
    return Printf().narrowCount(format, args);
}

int FormatLength(const wchar_t* format, va_list args)
{
    return Printf().wideCount(format, args);
}

int FormatInto(char* buffer, int capacity, const char* format, va_list args)
{
    int n = Printf().narrowPrint(buffer, capacity, format, args);
    buffer[capacity - 1] = 0;
    return n;
}

int FormatInto(wchar_t* buffer, int capacity, const wchar_t* format, va_list args)
{
    int n = Printf().widePrint(buffer, capacity, format, args);
    buffer[capacity - 1] = 0;
    return n;
}

int Length(const char* text) noexcept
{
    return static_cast<int>(std::strlen(text));
}

int Length(const wchar_t* text) noexcept
{
    return static_cast<int>(std::wcslen(text));
}

int CompareNoCase(const char* a, const char* b) noexcept
{
    return _stricmp(a, b);
}

int CompareNoCase(const wchar_t* a, const wchar_t* b) noexcept
{
    return _wcsicmp(a, b);
}

int Collate(const char* a, const char* b) noexcept
{
    return std::strcoll(a, b);
}

int Collate(const wchar_t* a, const wchar_t* b) noexcept
{
    return std::wcscoll(a, b);
}

int CollateNoCase(const char* a, const char* b) noexcept
{
    return _stricoll(a, b);
}

int CollateNoCase(const wchar_t* a, const wchar_t* b) noexcept
{
    return _wcsicoll(a, b);
}

void MakeUpper(char* text, int length) noexcept
{
    if (length > 0) {
        ::CharUpperBuffA(text, static_cast<DWORD>(length));
    }
}

void MakeUpper(wchar_t* text, int length) noexcept
{
    if (length > 0) {
        ::CharUpperBuffW(text, static_cast<DWORD>(length));
    }
}

void MakeLower(char* text, int length) noexcept
{
    if (length > 0) {
        ::CharLowerBuffA(text, static_cast<DWORD>(length));
    }
}

void MakeLower(wchar_t* text, int length) noexcept
{
    if (length > 0) {
        ::CharLowerBuffW(text, static_cast<DWORD>(length));
    }
}

bool IsSpace(char ch) noexcept
{
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

bool IsSpace(wchar_t ch) noexcept
{
    return std::iswspace(ch) != 0;
}

int ConvertedLength(const char* text, int length, UINT codePage) noexcept
{
    return ::MultiByteToWideChar(codePage, 0, text, length, nullptr, 0);
}

int ConvertedLength(const wchar_t* text, int length, UINT codePage) noexcept
{
    return ::WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr);
}

void Convert(const char* text, int length, wchar_t* out, int outLength, UINT codePage) noexcept
{
    ::MultiByteToWideChar(codePage, 0, text, length, out, outLength);
}

void Convert(const wchar_t* text, int length, char* out, int outLength, UINT codePage) noexcept
{
    ::WideCharToMultiByte(codePage, 0, text, length, out, outLength, nullptr, nullptr);
}

const wchar_t* FindStringResource(HINSTANCE module, UINT id, int* length) noexcept
{
    // Strings are stored in blocks of 16 counted UTF-16 strings; block n holds ids 16(n-1)..
    HRSRC info = ::FindResourceW(module, MAKEINTRESOURCEW((id >> 4) + 1), MAKEINTRESOURCEW(6));
    if (!info) {
        return nullptr;
    }
    HGLOBAL handle = ::LoadResource(module, info);
    DWORD size = ::SizeofResource(module, info);
    const WCHAR* p = handle ? static_cast<const WCHAR*>(::LockResource(handle)) : nullptr;
    if (!p) {
        return nullptr;
    }
    const WCHAR* end = p + size / sizeof(WCHAR);
    for (UINT i = 0; i < (id & 15); ++i) {
        if (p >= end) {
            return nullptr;
        }
        p += 1 + *p;
    }
    if (p >= end || *p == 0 || p + 1 + *p > end) {
        return nullptr;
    }
    *length = *p;
    return p + 1;
}

BSTR AllocSysString(const char* text, int length)
{
    int wide = ConvertedLength(text, length, CP_ACP);
    BSTR result = ::SysAllocStringLen(nullptr, static_cast<UINT>(wide));
    if (!result) {
        AfxThrowMemoryException();
    }
    Convert(text, length, result, wide, CP_ACP);
    return result;
}

BSTR AllocSysString(const wchar_t* text, int length)
{
    BSTR result = ::SysAllocStringLen(text, static_cast<UINT>(length));
    if (!result) {
        AfxThrowMemoryException();
    }
    return result;
}

}  // namespace fw
