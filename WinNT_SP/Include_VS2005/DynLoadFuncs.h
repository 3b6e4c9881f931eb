// Run-time binding of optional system libraries. A table is a contiguous run of procedure
// records (first flagged 1, last 4, those between 2; a one-record table 5), bound all or
// nothing: every procedure gets its address, or none does and the library is released.
// One process-wide list holds every record; one lock guards it and every bind.
#pragma once

#include "WinNT_SP/Include_VS2005/ErrInfo.h"

#include <windows.h>

constexpr DWORD DLF_FIRST = 1;
constexpr DWORD DLF_MIDDLE = 2;
constexpr DWORD DLF_LAST = 4;
constexpr DWORD DLF_SINGLE = DLF_FIRST | DLF_LAST;

class DynLoadFuncs {
public:
    // Appends the record to the process-wide list; the list lock is held from a table's first
    // record to its last, so a table stays contiguous even when built on several threads.
    DynLoadFuncs(const char* procedureName, const wchar_t* libraryName, DWORD flags);
    ~DynLoadFuncs();
    DynLoadFuncs(const DynLoadFuncs&) = delete;
    DynLoadFuncs& operator=(const DynLoadFuncs&) = delete;

    // Called on a table's first record; libraryName null uses the record's own.
    BOOL Load(ERR_INFO* info, const wchar_t* libraryName = nullptr);
    void Unload();

    FARPROC Address() const { return m_address; }
    template <class F>
    F As() const
    {
        return reinterpret_cast<F>(reinterpret_cast<void*>(m_address));
    }
    bool LoadFailed() const { return m_leader->m_loadFailed != FALSE; }
    HMODULE Library() const { return m_leader->m_library; }

private:
    struct Anchor;
    static Anchor& TheAnchor();
    static BOOL Bind(const wchar_t* libraryName, DynLoadFuncs* first, ERR_INFO* info);
    DynLoadFuncs() = default;  // the anchor's link record

    DynLoadFuncs* m_prev = nullptr;
    DynLoadFuncs* m_next = nullptr;
    DynLoadFuncs* m_leader = nullptr;
    DWORD m_flags = 0;
    const char* m_procedure = nullptr;
    const wchar_t* m_libraryName = nullptr;
    FARPROC m_address = nullptr;
    HMODULE m_library = nullptr;  // leader only
    BOOL m_loadFailed = FALSE;    // leader only
    bool m_linked = false;
};
