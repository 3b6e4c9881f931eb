// Root of the library's objects: a debugging name and a count of live objects.
#pragma once

#include <windows.h>

// Counts the library's live objects (filters, pins, allocators, pass-throughs), so that tests
// can tell that a released graph left nothing behind.
class CBaseObject {
public:
    explicit CBaseObject(LPCTSTR pName) : m_pName(pName) { InterlockedIncrement(&s_cActive); }
    CBaseObject(const CBaseObject&) = delete;
    CBaseObject& operator=(const CBaseObject&) = delete;
    virtual ~CBaseObject() { InterlockedDecrement(&s_cActive); }

    LPCTSTR ObjectName() const { return m_pName; }
    static LONG ObjectsActive() { return s_cActive; }

private:
    LPCTSTR m_pName;  // debugging name, not copied: callers pass literals
    static inline volatile LONG s_cActive = 0;
};
