// CSemaphore: the framework's Win32 semaphore.
#pragma once

#include "platform/framework/CSyncObject.h"

class CSemaphore : public CSyncObject {
    DECLARE_DYNAMIC(CSemaphore)
public:
    // Throws CResourceException when the semaphore cannot be created.
    explicit CSemaphore(LONG initialCount = 1, LONG maxCount = 1, LPCTSTR name = nullptr,
                        LPSECURITY_ATTRIBUTES attributes = nullptr);

    BOOL Unlock() override { return Unlock(1, nullptr); }
    BOOL Unlock(LONG count, LPLONG previousCount = nullptr) override
    {
        return ::ReleaseSemaphore(m_hObject, count, previousCount);
    }
};
