// The reader's re-entrant lock, with a try-lock so that the graph event thread can give up
// waiting for it when it is asked to stop.
#pragma once

#include <windows.h>

class ReaderLock {
public:
    ReaderLock() { InitializeCriticalSection(&m_cs); }
    ~ReaderLock() { DeleteCriticalSection(&m_cs); }
    ReaderLock(const ReaderLock&) = delete;
    ReaderLock& operator=(const ReaderLock&) = delete;

    void Lock() { EnterCriticalSection(&m_cs); }
    void Unlock() { LeaveCriticalSection(&m_cs); }
    bool TryLock() { return TryEnterCriticalSection(&m_cs) != FALSE; }

private:
    CRITICAL_SECTION m_cs;
};

// Holds a ReaderLock for a scope.
class ReaderLockHold {
public:
    explicit ReaderLockHold(ReaderLock& lock) : m_lock(lock) { m_lock.Lock(); }
    ~ReaderLockHold() { m_lock.Unlock(); }
    ReaderLockHold(const ReaderLockHold&) = delete;
    ReaderLockHold& operator=(const ReaderLockHold&) = delete;

private:
    ReaderLock& m_lock;
};
