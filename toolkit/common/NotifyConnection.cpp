// Re-entrant event delivery over a stack of pending records.
#include "toolkit/common/NotifyConnection.h"

NotifyConnection::NotifyConnection() = default;

NotifyConnection::~NotifyConnection() = default;

DWORD NotifyConnection::Advise(UINT code, NotifySink* sink)
{
    CSingleLock lock(GetSyncObject(), TRUE);
    const DWORD id = m_nNextId++;
    if (m_nNextId == 0) {
        m_nNextId = 1;
    }
    m_registrations.push_back(std::make_unique<REGISTRATION>(REGISTRATION{code, sink, id}));
    return id;
}

BOOL NotifyConnection::Unadvise(DWORD id)
{
    CSingleLock lock(GetSyncObject(), TRUE);
    const INT_PTR index = FindRegistration(id);
    if (index < 0) {
        return FALSE;
    }
    m_registrations.erase(m_registrations.begin() + index);
    return TRUE;
}

INT_PTR NotifyConnection::FindRegistration(DWORD id)
{
    CSingleLock lock(GetSyncObject(), TRUE);
    for (size_t i = 0; i < m_registrations.size(); ++i) {
        if (m_registrations[i]->nId == id) {
            return static_cast<INT_PTR>(i);
        }
    }
    return -1;
}

INT_PTR NotifyConnection::GetRegistrationCount()
{
    CSingleLock lock(GetSyncObject(), TRUE);
    return static_cast<INT_PTR>(m_registrations.size());
}

BOOL NotifyConnection::SendEvent(UINT code, WPARAM wParam, LPARAM lParam, DWORD_PTR extra)
{
    CSyncObject* sync = GetSyncObject();
    sync->Lock();
    InternalAddRef();
    const INT_PTR needed = m_nDispatchTop + static_cast<INT_PTR>(m_registrations.size());
    if (m_dispatch.GetSize() < needed) {
        m_dispatch.SetSize(needed);
    }
    const INT_PTR start = m_nDispatchTop;
    for (const auto& registration : m_registrations) {
        if (registration->nCode == code) {
            m_dispatch[m_nDispatchTop++] = *registration;
        }
    }
    const INT_PTR end = m_nDispatchTop - 1;
    sync->Unlock();

    for (INT_PTR j = start; j <= end; ++j) {
        sync->Lock();
        if (j >= m_nDispatchTop) {
            sync->Unlock();
            InternalRelease();
            return FALSE;
        }
        const REGISTRATION record = m_dispatch[j];
        const bool registered = FindRegistration(record.nId) >= 0;
        sync->Unlock();
        if (!registered) {
            continue;
        }
        // A failing listener must not keep the others from hearing the event.
        try {
            record.pSink->OnEvent(code, wParam, lParam, extra);
        } catch (CException* e) {
            e->Delete();
        } catch (...) {
        }
    }

    sync->Lock();
    m_nDispatchTop = start;
    sync->Unlock();
    InternalRelease();
    return end >= start ? TRUE : FALSE;
}
