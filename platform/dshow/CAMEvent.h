// Win32 event object with the operations the streaming code needs (set, reset, wait, poll).
// Auto-reset by default; the handle lives as long as the object.
#pragma once

#include <windows.h>

#include "platform/base/CHandle.h"

class CAMEvent {
public:
    explicit CAMEvent(BOOL fManualReset = FALSE, HRESULT* phr = nullptr);
    ~CAMEvent();
    CAMEvent(const CAMEvent&) = delete;
    CAMEvent& operator=(const CAMEvent&) = delete;

    operator HANDLE() const { return m_hEvent; }
    void Set() { SetEvent(m_hEvent); }
    void Reset() { ResetEvent(m_hEvent); }
    // TRUE when signalled within dwTimeout milliseconds.
    BOOL Wait(DWORD dwTimeout = INFINITE)
    {
        return WaitForSingleObject(m_hEvent, dwTimeout) == WAIT_OBJECT_0;
    }
    // TRUE when signalled now (an auto-reset event is consumed).
    BOOL Check() { return Wait(0); }

protected:
    CHandle m_hEvent;
};
