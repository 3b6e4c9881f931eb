// Raises the thread mouse manager's lock count for the life of a scroll-bar tracking loop, so
// that open popups neither close nor hot-track while a bar's thumb or arrow is held.
#pragma once

class ScrollTrackingLock {
public:
    ScrollTrackingLock();
    ~ScrollTrackingLock();
    ScrollTrackingLock(const ScrollTrackingLock&) = delete;
    ScrollTrackingLock& operator=(const ScrollTrackingLock&) = delete;
};
