// GoogleTest printers for COM results and GUIDs, so that a failing assertion names the code
// ("0x80004005 (E_FAIL)") and shows a GUID in registry form ({xxxxxxxx-xxxx-...}).
//
// HRESULT is a typedef of LONG: a PrintTo for it would print every long as a result code. Results
// are therefore compared through the Hr wrapper, most simply with EXPECT_HR/ASSERT_HR:
//     EXPECT_HR(E_FAIL, code);
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>

namespace orvane::test {

// The symbolic name of a common result code; null for the others.
inline const char* HrName(HRESULT hr)
{
    struct Named {
        HRESULT code;
        const char* name;
    };
    static const Named kNames[] = {
        {S_OK, "S_OK"},
        {S_FALSE, "S_FALSE"},
        {E_FAIL, "E_FAIL"},
        {E_NOTIMPL, "E_NOTIMPL"},
        {E_NOINTERFACE, "E_NOINTERFACE"},
        {E_POINTER, "E_POINTER"},
        {E_ABORT, "E_ABORT"},
        {E_UNEXPECTED, "E_UNEXPECTED"},
        {E_OUTOFMEMORY, "E_OUTOFMEMORY"},
        {E_INVALIDARG, "E_INVALIDARG"},
        {E_ACCESSDENIED, "E_ACCESSDENIED"},
        {E_HANDLE, "E_HANDLE"},  // also HRESULT_FROM_WIN32(ERROR_INVALID_HANDLE)
        {E_PENDING, "E_PENDING"},
        {CO_E_NOTINITIALIZED, "CO_E_NOTINITIALIZED"},
        {RPC_E_CHANGED_MODE, "RPC_E_CHANGED_MODE"},
        {REGDB_E_CLASSNOTREG, "REGDB_E_CLASSNOTREG"},
        {CLASS_E_NOAGGREGATION, "CLASS_E_NOAGGREGATION"},
        {HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), "HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)"},
        {HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND), "HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND)"},
        {HRESULT_FROM_WIN32(ERROR_HANDLE_EOF), "HRESULT_FROM_WIN32(ERROR_HANDLE_EOF)"},
    };
    for (const Named& n : kNames) {
        if (n.code == hr) {
            return n.name;
        }
    }
    return nullptr;
}

// "0x8007000E (E_OUTOFMEMORY)", or the bare hexadecimal form for a code without a name.
inline std::string HrText(HRESULT hr)
{
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08lX", static_cast<unsigned long>(hr));
    const char* name = HrName(hr);
    return name ? std::string(hex) + " (" + name + ")" : std::string(hex);
}

// A result code that compares and prints as one.
struct Hr {
    constexpr explicit Hr(HRESULT code) : value(code) {}
    HRESULT value;
    friend constexpr bool operator==(Hr a, Hr b) { return a.value == b.value; }
    friend void PrintTo(Hr hr, std::ostream* os) { *os << HrText(hr.value); }
};

}  // namespace orvane::test

// GUID is a global type, so its printer lives beside it for GoogleTest to find.
inline void PrintTo(const GUID& guid, std::ostream* os)
{
    char text[40];
    std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0],
                  guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                  guid.Data4[6], guid.Data4[7]);
    *os << text;
}

#define EXPECT_HR(expected, actual) \
    EXPECT_EQ(::orvane::test::Hr(expected), ::orvane::test::Hr(actual))
#define ASSERT_HR(expected, actual) \
    ASSERT_EQ(::orvane::test::Hr(expected), ::orvane::test::Hr(actual))
