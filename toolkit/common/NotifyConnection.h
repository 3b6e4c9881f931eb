// NotifyConnection: ties event codes to notification sinks and delivers events to them. The
// delivery tolerates sinks that register, unregister or send further events while they are
// called: pending deliveries are stacked in a dispatch array, and a record whose registration
// has gone is skipped. Reference counted through the command target.
#pragma once

#include "toolkit/common/NotifySink.h"

#include "platform/framework/window/FrameworkWindows.h"

#include <memory>
#include <vector>

class NotifyConnection : public CCmdTarget {
public:
    struct REGISTRATION {
        UINT nCode;
        NotifySink* pSink;
        DWORD nId;
    };

    NotifyConnection();
    ~NotifyConnection() override;

    // The lock guarding registrations and the dispatch array.
    virtual CSyncObject* GetSyncObject() { return &m_lock; }

    // Registers sink (not owned) for code; the registration id, never 0.
    DWORD Advise(UINT code, NotifySink* sink);
    // FALSE when no registration has that id.
    BOOL Unadvise(DWORD id);
    // Index of the registration with that id, or -1.
    INT_PTR FindRegistration(DWORD id);
    INT_PTR GetRegistrationCount();

    // Calls every sink registered for code; TRUE when at least one was registered.
    BOOL SendEvent(UINT code, WPARAM wParam, LPARAM lParam, DWORD_PTR extra);

private:
    CCriticalSection m_lock;
    std::vector<std::unique_ptr<REGISTRATION>> m_registrations;
    CArray<REGISTRATION, const REGISTRATION&> m_dispatch;
    INT_PTR m_nDispatchTop = 0;
    DWORD m_nNextId = 1;
};
