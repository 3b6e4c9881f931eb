// Paths the test harness hands to every test executable (see cmake/OrvaneTest.cmake).
#pragma once

#include <cstdlib>
#include <string>

namespace orvane::test {

// Unix path of a generated test file, as Wine sees it (Z: maps the Unix root).
inline std::wstring MediaPath(const wchar_t* name)
{
    const char* dir = std::getenv("ORVANE_MEDIA");
    std::wstring path = L"Z:";
    for (const char* p = dir ? dir : "."; *p; ++p) {
        path += (*p == '/') ? L'\\' : static_cast<wchar_t>(*p);
    }
    path += L'\\';
    path += name;
    return path;
}

}  // namespace orvane::test
