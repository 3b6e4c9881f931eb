// Run-time binding records (see DynLoadFuncs.h).
#include "WinNT_SP/Include_VS2005/DynLoadFuncs.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include <cstdio>
#include <cwchar>

struct DynLoadFuncs::Anchor {
    DynLoadFuncs links;
    CRITICAL_SECTION lock;
};

DynLoadFuncs::Anchor& DynLoadFuncs::TheAnchor()
{
    // Created once, thread-safely, on the first record; never destroyed, because static tables
    // elsewhere may be destroyed after this file's statics.
    static Anchor* const anchor = [] {
        auto* a = new Anchor;
        a->links.m_prev = &a->links;
        a->links.m_next = &a->links;
        InitializeCriticalSection(&a->lock);
        return a;
    }();
    return *anchor;
}

DynLoadFuncs::DynLoadFuncs(const char* procedureName, const wchar_t* libraryName, DWORD flags)
    : m_flags(flags), m_procedure(procedureName), m_libraryName(libraryName)
{
    Anchor& a = TheAnchor();
    if (flags & DLF_FIRST) {
        EnterCriticalSection(&a.lock);
    }
    DynLoadFuncs* tail = a.links.m_prev;
    m_prev = tail;
    m_next = &a.links;
    tail->m_next = this;
    a.links.m_prev = this;
    m_linked = true;
    m_leader = (flags & DLF_FIRST) || tail == &a.links ? this : tail->m_leader;
    if (flags & DLF_LAST) {
        LeaveCriticalSection(&a.lock);
    }
}

DynLoadFuncs::~DynLoadFuncs()
{
    Unload();
}

void DynLoadFuncs::Unload()
{
    if (!m_linked) {
        return;
    }
    Anchor& a = TheAnchor();
    if (m_flags & DLF_LAST) {
        EnterCriticalSection(&a.lock);
    }
    m_prev->m_next = m_next;
    m_next->m_prev = m_prev;
    m_linked = false;
    if (m_library) {
        FreeLibrary(m_library);
        m_library = nullptr;
    }
    if (m_flags & DLF_FIRST) {
        LeaveCriticalSection(&a.lock);
    }
}

BOOL DynLoadFuncs::Load(ERR_INFO* info, const wchar_t* libraryName)
{
    TRACE_FUNCTION();
    ClearErrInfo(info);
    Anchor& a = TheAnchor();
    EnterCriticalSection(&a.lock);
    const BOOL result = Bind(libraryName, this, info);
    m_leader->m_loadFailed = !result;
    LeaveCriticalSection(&a.lock);
    return result;
}

BOOL DynLoadFuncs::Bind(const wchar_t* libraryName, DynLoadFuncs* first, ERR_INFO* info)
{
    if (first->m_address) {
        return TRUE;
    }
    DynLoadFuncs* leader = first->m_leader;
    const wchar_t* name = libraryName ? libraryName : first->m_libraryName;
    leader->m_library = LoadLibraryW(name);
    if (!leader->m_library) {
        SetErrInfo(info, GetLastError(), L"LoadLibrary", name, L"DynLoadFuncs", 259, 1, name);
        return FALSE;
    }
    Anchor& a = TheAnchor();
    for (DynLoadFuncs* r = leader; r != &a.links && r->m_leader == leader; r = r->m_next) {
        r->m_address = GetProcAddress(leader->m_library, r->m_procedure);
        if (r->m_address) {
            continue;
        }
        SetErrInfo(info, GetLastError(), L"GetProcAddress", nullptr, L"DynLoadFuncs", 273, 0,
                   nullptr);
        if (info) {
            _snwprintf(info->object, 256, L"%s, %S", name, r->m_procedure);
            info->object[255] = 0;
        }
        FreeLibrary(leader->m_library);
        leader->m_library = nullptr;
        for (DynLoadFuncs* z = leader; z != &a.links && z->m_leader == leader; z = z->m_next) {
            z->m_address = nullptr;
        }
        return FALSE;
    }
    return TRUE;
}
