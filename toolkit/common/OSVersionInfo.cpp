// The version record and its predicates (platform 1: the Windows 95 family, 2: the NT family).
#include "toolkit/common/OSVersionInfo.h"

OSVersionInfo::OSVersionInfo() noexcept : OSVERSIONINFOW{}
{
    dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
}

OSVersionInfo::OSVersionInfo(DWORD platformId, DWORD major, DWORD minor) noexcept
    : OSVersionInfo()
{
    dwPlatformId = platformId;
    dwMajorVersion = major;
    dwMinorVersion = minor;
}

void OSVersionInfo::Fill() noexcept
{
    OSVERSIONINFOW& record = *this;
    record = OSVERSIONINFOW{};
    record.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExW(&record);
#pragma GCC diagnostic pop
}

BOOL OSVersionInfo::IsWin95() const noexcept
{
    return dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && dwMajorVersion == 4 &&
           dwMinorVersion < 10;
}

BOOL OSVersionInfo::IsWin9x() const noexcept
{
    return dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

BOOL OSVersionInfo::IsVersionAtLeast(DWORD major, DWORD minor) const noexcept
{
    return dwMajorVersion > major || (dwMajorVersion == major && dwMinorVersion >= minor);
}

BOOL OSVersionInfo::IsNTAtLeast(DWORD major, DWORD minor) const noexcept
{
    return dwPlatformId >= VER_PLATFORM_WIN32_NT && IsVersionAtLeast(major, minor);
}

BOOL OSVersionInfo::IsWinNT4OrGreater() const noexcept
{
    return dwPlatformId >= VER_PLATFORM_WIN32_NT && dwMajorVersion >= 4;
}

BOOL OSVersionInfo::IsWin2KOrGreater() const noexcept
{
    return dwPlatformId >= VER_PLATFORM_WIN32_NT && dwMajorVersion >= 5;
}

bool OSVersionInfo::IsWinXPOrGreater() const noexcept
{
    return IsNTAtLeast(5, 1) != FALSE;
}

BOOL OSVersionInfo::IsVistaOrGreater() const noexcept
{
    return IsNTAtLeast(6, 0);
}

BOOL OSVersionInfo::IsWin7OrGreater() const noexcept
{
    return IsNTAtLeast(6, 1);
}

OSVersionInfo* GetOSVersionInfo()
{
    static OSVersionInfo record = [] {
        OSVersionInfo filled;
        filled.Fill();
        return filled;
    }();
    return &record;
}
