// Synchronisation objects: events with time-outs, semaphore counts, mutex ownership and the
// scoped lock's bookkeeping.
#include <gtest/gtest.h>

#include "platform/framework/Framework.h"

namespace {

TEST(Sync, EventsAndTimeouts)
{
    CEvent manual(FALSE, TRUE);
    EXPECT_FALSE(manual.Lock(0));
    manual.SetEvent();
    EXPECT_TRUE(manual.Lock(0));
    EXPECT_TRUE(manual.Lock(0));  // manual reset stays signalled
    manual.ResetEvent();
    EXPECT_FALSE(manual.Lock(10));
    CEvent automatic(TRUE);
    EXPECT_TRUE(automatic.Lock(0));
    EXPECT_FALSE(automatic.Lock(0));
}

TEST(Sync, SemaphoreAndSingleLock)
{
    CSemaphore semaphore(2, 2);
    {
        CSingleLock first(&semaphore, TRUE);
        CSingleLock second(&semaphore);
        EXPECT_TRUE(first.IsLocked());
        EXPECT_TRUE(second.Lock(0));
        CSingleLock third(&semaphore);
        EXPECT_FALSE(third.Lock(0));
        EXPECT_FALSE(third.IsLocked());
        EXPECT_TRUE(second.Unlock());
        EXPECT_TRUE(third.Lock(0));
    }
    LONG previous = -1;
    EXPECT_TRUE(semaphore.Lock(0));
    EXPECT_TRUE(semaphore.Unlock(1, &previous));
    EXPECT_EQ(1, previous);
}

DWORD WINAPI TryMutex(void* mutex)
{
    return static_cast<CMutex*>(mutex)->Lock(0) ? 1 : 0;
}

TEST(Sync, MutexAndCriticalSection)
{
    CMutex mutex(TRUE);
    HANDLE thread = ::CreateThread(nullptr, 0, TryMutex, &mutex, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread, 5000));
    DWORD result = 2;
    ::GetExitCodeThread(thread, &result);
    ::CloseHandle(thread);
    EXPECT_EQ(0u, result);
    EXPECT_TRUE(mutex.Unlock());

    CCriticalSection section;
    CSingleLock lock(&section, TRUE);
    EXPECT_TRUE(lock.IsLocked());
    EXPECT_TRUE(::TryEnterCriticalSection(section));  // recursive on the same thread
    ::LeaveCriticalSection(section);
    lock.Unlock();
    EXPECT_FALSE(lock.IsLocked());
}

}  // namespace
