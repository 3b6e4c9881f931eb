// CMutex: the framework's Win32 mutex.
#pragma once

#include "platform/framework/CSyncObject.h"

class CMutex : public CSyncObject {
    DECLARE_DYNAMIC(CMutex)
public:
    // Throws CResourceException when the mutex cannot be created.
    explicit CMutex(BOOL initiallyOwn = FALSE, LPCTSTR name = nullptr,
                    LPSECURITY_ATTRIBUTES attributes = nullptr);

    BOOL Unlock() override { return ::ReleaseMutex(m_hObject); }
    using CSyncObject::Unlock;
};
