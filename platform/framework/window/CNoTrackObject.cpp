// Per-thread object slots, kept in the thread's framework record and freed with it at thread
// exit.
#include "platform/framework/window/CNoTrackObject.h"

#include "platform/framework/window/AfxThreadData.h"

CNoTrackObject* AfxGetThreadLocalObject(const void* slot, CNoTrackObject* (*pfnCreate)())
{
    auto& objects = AfxGetThreadData()->localObjects;
    for (auto& entry : objects) {
        if (entry.first == slot) {
            return entry.second;
        }
    }
    CNoTrackObject* object = pfnCreate();
    objects.emplace_back(slot, object);
    return object;
}

void AfxFreeThreadLocalObjects()
{
    auto& objects = AfxGetThreadData()->localObjects;
    while (!objects.empty()) {
        CNoTrackObject* object = objects.back().second;
        objects.pop_back();
        delete object;
    }
}
