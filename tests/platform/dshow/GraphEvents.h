// Graph event helpers for tests: WaitForCompletion keeps answering once a graph has completed,
// so tests that run or seek again read the event queue instead.
#pragma once

#include <windows.h>
#include <dshow.h>

namespace dshowtest {

// Throws away every queued event.
inline void DrainEvents(IMediaEvent* events)
{
    long code = 0;
    LONG_PTR p1 = 0;
    LONG_PTR p2 = 0;
    while (events->GetEvent(&code, &p1, &p2, 0) == S_OK) {
        events->FreeEventParams(code, p1, p2);
    }
}

// True when an event with this code arrives within timeoutMs; other events are skipped.
inline bool WaitForEvent(IMediaEvent* events, long wanted, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD spent = GetTickCount() - start;
        if (spent >= timeoutMs) {
            return false;
        }
        long code = 0;
        LONG_PTR p1 = 0;
        LONG_PTR p2 = 0;
        // Wine answers E_ABORT at once when its event handle is still set from an event
        // already taken; asking again waits properly.
        if (events->GetEvent(&code, &p1, &p2, static_cast<long>(timeoutMs - spent)) != S_OK) {
            continue;
        }
        events->FreeEventParams(code, p1, p2);
        if (code == wanted) {
            return true;
        }
    }
}

}  // namespace dshowtest
