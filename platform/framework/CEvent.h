// CEvent: the framework's Win32 event (auto-reset unless manualReset).
#pragma once

#include "platform/framework/CSyncObject.h"

class CEvent : public CSyncObject {
    DECLARE_DYNAMIC(CEvent)
public:
    // Throws CResourceException when the event cannot be created.
    explicit CEvent(BOOL initiallyOwn = FALSE, BOOL manualReset = FALSE, LPCTSTR name = nullptr,
                    LPSECURITY_ATTRIBUTES attributes = nullptr);

    BOOL SetEvent() noexcept { return ::SetEvent(m_hObject); }
    BOOL PulseEvent() noexcept { return ::PulseEvent(m_hObject); }
    BOOL ResetEvent() noexcept { return ::ResetEvent(m_hObject); }
    BOOL Unlock() override { return TRUE; }
    using CSyncObject::Unlock;
};
