// The menu-sound player: its thread starts only when sounds are enabled and a device exists,
// plays what was asked, and StopThread ends it within its wait without ever terminating it.
#include <gtest/gtest.h>

#include "toolkit/common/SoundManager.h"

#include <mmsystem.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace {

// What the fake PlaySoundW saw; it can be told to hold the sound thread inside a sound.
struct Recorder {
    std::mutex lock;
    std::vector<std::wstring> sounds;
    std::atomic<int> purges{0};
    HANDLE played = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HANDLE release = ::CreateEventW(nullptr, TRUE, TRUE, nullptr);
};

Recorder& Record()
{
    static Recorder recorder;
    return recorder;
}

BOOL WINAPI FakePlaySound(LPCWSTR sound, HMODULE, DWORD flags)
{
    Recorder& r = Record();
    if (flags & SND_PURGE) {
        ++r.purges;
        return TRUE;
    }
    EXPECT_EQ(static_cast<DWORD>(SND_ALIAS | SND_NOWAIT | SND_NODEFAULT), flags);
    {
        std::lock_guard<std::mutex> guard(r.lock);
        r.sounds.emplace_back(sound ? sound : L"");
    }
    ::SetEvent(r.played);
    ::WaitForSingleObject(r.release, 10000);
    return TRUE;
}

class SoundManagerTest : public testing::Test {
protected:
    void SetUp() override
    {
        Recorder& r = Record();
        std::lock_guard<std::mutex> guard(r.lock);
        r.sounds.clear();
        r.purges = 0;
        ::ResetEvent(r.played);
        ::SetEvent(r.release);
    }
    std::vector<std::wstring> Sounds()
    {
        std::lock_guard<std::mutex> guard(Record().lock);
        return Record().sounds;
    }
};

TEST_F(SoundManagerTest, ThreadStartsOnlyWhenEnabledAndADeviceExists)
{
    SoundManager noDevice(FALSE, FakePlaySound);
    noDevice.PlaySystemSound(SoundManager::soundMenuCommand);
    EXPECT_FALSE(noDevice.IsThreadStarted());

    SoundManager disabled(TRUE, FakePlaySound);
    disabled.EnableSounds(FALSE);
    disabled.PlaySystemSound(SoundManager::soundMenuPopup);
    EXPECT_FALSE(disabled.IsThreadStarted());
    EXPECT_FALSE(disabled.StopThread());
    EXPECT_TRUE(Sounds().empty());
}

TEST_F(SoundManagerTest, PlaysTheAskedSoundAndStopsWithinItsWait)
{
    SoundManager manager(TRUE, FakePlaySound);
    manager.PlaySystemSound(SoundManager::soundMenuCommand);
    ASSERT_TRUE(manager.IsThreadStarted());
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(Record().played, 10000));
    manager.PlaySystemSound(SoundManager::soundMenuPopup);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(Record().played, 10000));
    EXPECT_EQ((std::vector<std::wstring>{L"MenuCommand", L"MenuPopup"}), Sounds());

    // TRUE: the thread ended inside StopThread's wait of about a second, after purging.
    EXPECT_TRUE(manager.StopThread());
    EXPECT_FALSE(manager.IsThreadStarted());
    EXPECT_EQ(1, Record().purges.load());
    EXPECT_FALSE(manager.StopThread());
}

TEST_F(SoundManagerTest, ABusyThreadIsLeftToFinishNotTerminated)
{
    SoundManager manager(TRUE, FakePlaySound);
    ::ResetEvent(Record().release);
    manager.PlaySystemSound(SoundManager::soundMenuPopup);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(Record().played, 10000));
    // The thread is inside a sound that does not end: StopThread gives up and says so.
    EXPECT_FALSE(manager.StopThread());
    EXPECT_FALSE(manager.IsThreadStarted());
    EXPECT_EQ(0, Record().purges.load());
    // Let the sound end: the thread finishes by itself, purging as it leaves.
    ::SetEvent(Record().release);
    for (int i = 0; i < 200 && Record().purges.load() == 0; ++i) {
        ::Sleep(50);
    }
    EXPECT_EQ(1, Record().purges.load());
    // A new sound starts a new thread.
    manager.PlaySystemSound(SoundManager::soundMenuCommand);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(Record().played, 10000));
    EXPECT_TRUE(manager.StopThread());
}

TEST_F(SoundManagerTest, ProcessManagerTurnedOffNeverStartsItsThread)
{
    // What the player does at start-up.
    SoundManager* manager = GetSoundManager();
    ASSERT_EQ(manager, GetSoundManager());
    manager->EnableSounds(FALSE);
    manager->PlaySystemSound(SoundManager::soundMenuCommand);
    manager->PlaySystemSound(SoundManager::soundMenuPopup);
    EXPECT_FALSE(manager->IsEnabled());
    EXPECT_FALSE(manager->IsThreadStarted());
}

}  // namespace
