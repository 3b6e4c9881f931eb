// Per-thread object slots, freed by a thread_local holder when the thread ends.
#include "CNoTrackObject.h"

#include <utility>
#include <vector>

namespace {

struct ThreadSlots {
    std::vector<std::pair<const void*, CNoTrackObject*>> objects;

    void FreeAll()
    {
        // Newest first: later objects may use earlier ones while they go.
        while (!objects.empty()) {
            CNoTrackObject* object = objects.back().second;
            objects.pop_back();
            delete object;
        }
    }
    ~ThreadSlots() { FreeAll(); }
};

ThreadSlots& Slots()
{
    static thread_local ThreadSlots slots;
    return slots;
}

}  // namespace

CNoTrackObject* AfxGetThreadLocalObject(const void* slot, CNoTrackObject* (*pfnCreate)())
{
    ThreadSlots& slots = Slots();
    for (auto& entry : slots.objects) {
        if (entry.first == slot) {
            return entry.second;
        }
    }
    CNoTrackObject* object = pfnCreate();
    slots.objects.emplace_back(slot, object);
    return object;
}

void AfxFreeThreadLocalObjects()
{
    Slots().FreeAll();
}
