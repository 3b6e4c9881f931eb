// SoundManager: the menu sounds ("MenuCommand", "MenuPopup"), played on a thread of their own
// at below-normal priority that starts with the first sound. The latest request wins: a sound
// asked for while another plays is played after it, unless a newer one replaces it first.
#pragma once

#include "platform/base/CHandle.h"

#include <windows.h>

#include <memory>

class SoundManager {
public:
    enum Sound { soundNone = 0, soundMenuCommand = 1, soundMenuPopup = 2 };
    // PlaySoundW's shape; the seam lets tests count sounds without a sound device.
    using PlayFunction = BOOL(WINAPI*)(LPCWSTR sound, HMODULE module, DWORD flags);

    // Devices from waveOutGetNumDevs, sounds through PlaySoundW.
    SoundManager();
    SoundManager(BOOL devicesPresent, PlayFunction play);
    ~SoundManager();
    SoundManager(const SoundManager&) = delete;
    SoundManager& operator=(const SoundManager&) = delete;

    // Attributes
    BOOL IsEnabled() const noexcept { return m_enabled; }
    BOOL HasDevices() const noexcept { return m_devicesPresent; }
    BOOL IsThreadStarted() const noexcept { return m_thread.IsValid() ? TRUE : FALSE; }

    // Operations
    // Nothing when disabled or without a wave output device.
    void PlaySystemSound(int kind);
    void EnableSounds(BOOL enable) noexcept { m_enabled = enable; }
    // Asks the thread to end and waits up to about a second. TRUE when it ended; FALSE when
    // no thread ran or it is still busy (it is never terminated: it ends by itself after its
    // current sound, keeping its own share of the state alive until then).
    [[nodiscard]] BOOL StopThread();

private:
    struct Shared;
    static DWORD WINAPI ThreadProc(LPVOID parameter);
    BOOL StartThread();

    BOOL m_enabled = TRUE;
    BOOL m_devicesPresent = FALSE;
    PlayFunction m_play;
    std::shared_ptr<Shared> m_shared;
    CHandle m_thread;
};

// The process-wide sound manager, made on first use.
SoundManager* GetSoundManager();
