// The lock count of the thread's popup tracker, held while a scroll bar is tracked.
#include "toolkit/controls/ScrollTrackingLock.h"

#include "toolkit/commandbars/CUTKMouseManager.h"

ScrollTrackingLock::ScrollTrackingLock()
{
    if (CUTKMouseManager* manager = GetThreadMouseManager())
        manager->LockTracking();
}

ScrollTrackingLock::~ScrollTrackingLock()
{
    if (CUTKMouseManager* manager = GetThreadMouseManager())
        manager->UnlockTracking();
}
