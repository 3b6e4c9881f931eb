// Where the settings live: "<application data>\Orvane Presentation Player\QVPSettings.xml",
// and the named semaphore that serialises access to the file among player processes.
#pragma once

#include <windows.h>

#include <string>

constexpr wchar_t kSettingsFolderName[] = L"Orvane Presentation Player";
constexpr wchar_t kSettingsFileName[] = L"QVPSettings.xml";
constexpr wchar_t kSettingsSemaphoreName[] = L"sem.for settings Tamsel QVP Hd7pWq2LxZ9vKe4RtB6n";

std::wstring GetSettingsFolder(std::wstring* error);
std::wstring GetSettingsFilePath(bool createFolder, std::wstring* error);
// Tests point the settings (and with them the DebInfo folder) at a folder of their own;
// an empty text returns to the application-data folder.
void OverrideSettingsFolder(const std::wstring& folder);

// Time the settings lock waits for another process before it reports an error.
constexpr DWORD kSettingsLockTimeoutMs = 30000;

std::wstring OpenSettingsSemaphore();
std::wstring LockSettingsFile(HANDLE* acquired);

// Owns one count of the settings semaphore while the file is read or written.
class SettingsLock {
public:
    SettingsLock() = default;
    ~SettingsLock() { Release(); }
    SettingsLock(const SettingsLock&) = delete;
    SettingsLock& operator=(const SettingsLock&) = delete;
    std::wstring Acquire() { return LockSettingsFile(&m_sem); }
    void Release()
    {
        if (m_sem) {
            ReleaseSemaphore(m_sem, 1, nullptr);
            m_sem = nullptr;
        }
    }

private:
    HANDLE m_sem = nullptr;
};
