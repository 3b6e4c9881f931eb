// CNoTrackObject: base of the framework's per-thread and per-process data objects (thread
// managers, tooltip contexts). Such objects are made on first use by CThreadLocal or
// CProcessLocal and freed by them (at thread exit or process exit).
#pragma once

#include <cstddef>

class CNoTrackObject {
public:
    CNoTrackObject() = default;
    virtual ~CNoTrackObject() = default;
    CNoTrackObject(const CNoTrackObject&) = delete;
    CNoTrackObject& operator=(const CNoTrackObject&) = delete;
};

// The calling thread's object for a thread-local slot (keyed by the slot's address); made
// with pfnCreate on first use, deleted when the thread ends.
CNoTrackObject* AfxGetThreadLocalObject(const void* slot, CNoTrackObject* (*pfnCreate)());
// Deletes the calling thread's objects now (the thread exit does the same).
void AfxFreeThreadLocalObjects();
