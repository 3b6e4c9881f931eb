// Paths of files that the tests of the support library's user-interface half build beside
// their executables.
#pragma once

#include <windows.h>

#include <string>

namespace orvane::test {

inline std::wstring BesideExe(const wchar_t* name)
{
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path, n);
    dir.resize(dir.find_last_of(L'\\') + 1);
    return dir + name;
}

}  // namespace orvane::test
