// Menu-sound thread: waits on a manual-reset event, plays the pending sound synchronously.
#include "toolkit/common/SoundManager.h"

#include <mmsystem.h>

#include <atomic>

// What the thread and the manager share. The thread holds its own reference, so a thread
// that outlives StopThread's wait still finds its event and flags.
struct SoundManager::Shared {
    std::atomic<int> pending{soundNone};
    std::atomic<bool> quit{false};
    CHandle wake;
    PlayFunction play = nullptr;
};

SoundManager::SoundManager() : SoundManager(::waveOutGetNumDevs() > 0, ::PlaySoundW) {}

SoundManager::SoundManager(BOOL devicesPresent, PlayFunction play)
    : m_devicesPresent(devicesPresent), m_play(play)
{
}

SoundManager::~SoundManager()
{
    (void)StopThread();
}

void SoundManager::PlaySystemSound(int kind)
{
    if (!m_enabled || !m_devicesPresent) {
        return;
    }
    if (!m_thread.IsValid() && !StartThread()) {
        return;
    }
    m_shared->pending.store(kind);
    ::SetEvent(m_shared->wake);
}

BOOL SoundManager::StartThread()
{
    auto shared = std::make_shared<Shared>();
    shared->play = m_play;
    shared->wake.Attach(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!shared->wake) {
        return FALSE;
    }
    auto* threadShare = new std::shared_ptr<Shared>(shared);
    HANDLE thread = ::CreateThread(nullptr, 0, ThreadProc, threadShare, CREATE_SUSPENDED, nullptr);
    if (!thread) {
        delete threadShare;
        return FALSE;
    }
    m_shared = std::move(shared);
    m_thread.Attach(thread);
    ::SetThreadPriority(thread, THREAD_PRIORITY_BELOW_NORMAL);
    ::ResumeThread(thread);
    return TRUE;
}

DWORD WINAPI SoundManager::ThreadProc(LPVOID parameter)
{
    using Share = std::shared_ptr<Shared>;
    std::unique_ptr<Share> holder(static_cast<Share*>(parameter));
    Shared& shared = **holder;
    while (!shared.quit.load()) {
        // Taken and cleared in one step: a request made while this one plays is kept.
        switch (shared.pending.exchange(soundNone)) {
        case soundMenuCommand:
            shared.play(L"MenuCommand", nullptr, SND_ALIAS | SND_NOWAIT | SND_NODEFAULT);
            break;
        case soundMenuPopup:
            shared.play(L"MenuPopup", nullptr, SND_ALIAS | SND_NOWAIT | SND_NODEFAULT);
            break;
        default:
            break;
        }
        ::WaitForSingleObject(shared.wake, INFINITE);
        if (shared.quit.load()) {
            break;
        }
        ::ResetEvent(shared.wake);
    }
    shared.play(nullptr, nullptr, SND_PURGE);
    return 0;
}

BOOL SoundManager::StopThread()
{
    if (!m_thread.IsValid()) {
        return FALSE;
    }
    m_shared->quit.store(true);
    ::SetEvent(m_shared->wake);
    // Ten waits of 100 ms, about a second, as before; a thread still busy then is left to
    // finish on its own rather than terminated in the middle of the sound system.
    const bool ended = ::WaitForSingleObject(m_thread, 1000) == WAIT_OBJECT_0;
    m_thread.Close();
    m_shared.reset();
    return ended ? TRUE : FALSE;
}

SoundManager* GetSoundManager()
{
    static SoundManager manager;
    return &manager;
}
