// Polling helper for tests that wait on another thread's progress without fixed sleeps.
#pragma once

#include <windows.h>

namespace dshowtest {

// True as soon as done() holds, false when timeoutMs pass first.
template <typename Predicate>
bool WaitUntil(Predicate done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= timeoutMs) {
            return false;
        }
        Sleep(5);
    }
    return true;
}

}  // namespace dshowtest
