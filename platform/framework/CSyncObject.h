// CSyncObject: base of the framework's synchronisation objects over Win32 waitable handles
// (CEvent, CSemaphore, CMutex) and the critical section.
#pragma once

#include "platform/framework/CObject.h"

class CSyncObject : public CObject {
    DECLARE_DYNAMIC(CSyncObject)
public:
    explicit CSyncObject(LPCTSTR name = nullptr) noexcept : m_hObject(nullptr) { (void)name; }
    ~CSyncObject() override;
    CSyncObject(const CSyncObject&) = delete;
    CSyncObject& operator=(const CSyncObject&) = delete;

    operator HANDLE() const noexcept { return m_hObject; }
    // TRUE when the object was acquired within timeout milliseconds.
    virtual BOOL Lock(DWORD timeout = INFINITE);
    virtual BOOL Unlock() = 0;
    virtual BOOL Unlock(LONG count, LPLONG previousCount = nullptr)
    {
        (void)count;
        (void)previousCount;
        return TRUE;
    }

    HANDLE m_hObject;
};
