// OSVersionInfo: the system's version record with the predicates the toolkit asks of it. The
// process-wide record (GetOSVersionInfo) is filled once; a record can also be built from given
// values, so the predicates are checked against a table of systems without running on them.
#pragma once

#include <windows.h>

class OSVersionInfo : public OSVERSIONINFOW {
public:
    // Zeroed record with its size field set; Fill or the values constructor gives it content.
    OSVersionInfo() noexcept;
    OSVersionInfo(DWORD platformId, DWORD major, DWORD minor) noexcept;

    // Reads the running system's record (GetVersionExW).
    void Fill() noexcept;

    BOOL IsWin95() const noexcept;
    BOOL IsWin9x() const noexcept;
    BOOL IsWinNT4OrGreater() const noexcept;
    BOOL IsWin2KOrGreater() const noexcept;
    BOOL IsVersionAtLeast(DWORD major, DWORD minor) const noexcept;
    bool IsWinXPOrGreater() const noexcept;
    BOOL IsWinXPOrGreaterBOOL() const noexcept { return IsWinXPOrGreater() ? TRUE : FALSE; }
    BOOL IsVistaOrGreater() const noexcept;
    BOOL IsWin7OrGreater() const noexcept;

private:
    BOOL IsNTAtLeast(DWORD major, DWORD minor) const noexcept;
};

// The process-wide record, filled on the first call.
OSVersionInfo* GetOSVersionInfo();
