// The lock count of the thread's popup tracker, held while a scroll bar is tracked.
#include "toolkit/controls/ScrollTrackingLock.h"

ScrollTrackingLock::ScrollTrackingLock() = default;

ScrollTrackingLock::~ScrollTrackingLock() = default;
