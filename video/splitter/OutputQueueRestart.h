// The output queue an output pin delivers through, made anew each time the pin becomes active
// (the old one, if any, goes first). Shared by the file and network splitters' pins.
#pragma once

#include "platform/dshow/COutputQueue.h"

#include <new>

// autoThread: a thread of its own only when the input pin may block; queueAlways: always one.
inline HRESULT RestartOutputQueue(COutputQueue*& queue, IPin* connected, BOOL autoThread,
                                  BOOL queueAlways, LONG listSize)
{
    delete queue;
    queue = nullptr;
    HRESULT hr = S_OK;
    auto* made = new (std::nothrow) COutputQueue(connected, &hr, autoThread, queueAlways, 1, FALSE,
                                                 listSize, THREAD_PRIORITY_NORMAL);
    if (made == nullptr) {
        return E_OUTOFMEMORY;
    }
    if (FAILED(hr)) {
        delete made;
        return hr;
    }
    queue = made;
    return S_OK;
}
