// Settings folder and file path (cached), and the settings semaphore.
#include "WinNT_SP/Include_VS2005/SettingsPaths.h"

#include "WinNT_SP/Include_VS2005/FileSystem.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"
#include "WinNT_SP/Include_VS2005/SystemErrorText.h"
#include "WinNT_SP/Include_VS2005/TraceLog.h"

#include <shlobj.h>

namespace {

CRITICAL_SECTION* PathLock()
{
    static CRITICAL_SECTION* const lock = [] {
        auto* cs = new CRITICAL_SECTION;
        InitializeCriticalSection(cs);
        return cs;
    }();
    return lock;
}

struct PathCache {
    std::wstring overrideFolder;
    std::wstring folder;
    std::wstring file;
    HANDLE semaphore = nullptr;
};

PathCache& Cache()
{
    static PathCache* const cache = new PathCache;
    return *cache;
}

}  // namespace

void OverrideSettingsFolder(const std::wstring& folder)
{
    EnterCriticalSection(PathLock());
    Cache().overrideFolder = folder;
    Cache().folder.clear();
    Cache().file.clear();
    LeaveCriticalSection(PathLock());
}

std::wstring GetSettingsFolder(std::wstring* error)
{
    TRACE_FUNCTION();
    EnterCriticalSection(PathLock());
    std::wstring folder = Cache().folder;
    const std::wstring over = Cache().overrideFolder;
    LeaveCriticalSection(PathLock());
    if (!folder.empty()) {
        return folder;
    }
    if (!over.empty()) {
        folder = over;
    } else {
        std::wstring err;
        const std::wstring appData = GetSpecialFolder(&err, CSIDL_APPDATA);
        if (appData.empty()) {
            TraceLine(RMD_STAMPED, L"%s", err.c_str());
            if (error) {
                *error = err;
            }
            return std::wstring();
        }
        folder = appData + L"\\" + kSettingsFolderName;
    }
    EnterCriticalSection(PathLock());
    Cache().folder = folder;
    LeaveCriticalSection(PathLock());
    return folder;
}

std::wstring GetSettingsFilePath(bool createFolder, std::wstring* error)
{
    TRACE_FUNCTION();
    EnterCriticalSection(PathLock());
    std::wstring path = Cache().file;
    LeaveCriticalSection(PathLock());
    if (!createFolder && !path.empty()) {
        return path;
    }
    if (path.empty()) {
        const std::wstring folder = GetSettingsFolder(error);
        if (folder.empty()) {
            return std::wstring();
        }
        path = folder + L"\\" + kSettingsFileName;
    }
    if (createFolder) {
        const std::wstring folder = GetFolderOfFile(path);
        const std::wstring bare = folder.substr(0, folder.size() - 1);
        if (!IsFolder(bare.c_str())) {
            const std::wstring err = CreateFolderPath(bare.c_str());
            if (!err.empty()) {
                TraceLine(RMD_STAMPED, L"%s", err.c_str());
                if (error) {
                    *error = err;
                }
            }
        }
    }
    EnterCriticalSection(PathLock());
    Cache().file = path;
    LeaveCriticalSection(PathLock());
    return path;
}

std::wstring OpenSettingsSemaphore()
{
    TRACE_FUNCTION();
    EnterCriticalSection(PathLock());
    std::wstring error;
    // Created on first use; a failed creation is tried again next time rather than leaving
    // later locks to wait on no handle at all.
    if (!Cache().semaphore) {
        SECURITY_DESCRIPTOR sd;
        InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
        SetSecurityDescriptorDacl(&sd, TRUE, nullptr, FALSE);
        SECURITY_ATTRIBUTES sa = {sizeof sa, &sd, FALSE};
        Cache().semaphore = CreateSemaphoreW(&sa, 1, 1, kSettingsSemaphoreName);
        if (!Cache().semaphore) {
            error = FormatSystemError(
                GetLastError(),
                FormatNewString(L"CreateSemaphore(%s)", kSettingsSemaphoreName).c_str());
        }
    }
    LeaveCriticalSection(PathLock());
    return error;
}

std::wstring LockSettingsFile(HANDLE* acquired)
{
    TRACE_FUNCTION();
    *acquired = nullptr;
    std::wstring error = OpenSettingsSemaphore();
    if (!error.empty()) {
        return error;
    }
    EnterCriticalSection(PathLock());
    const HANDLE sem = Cache().semaphore;
    LeaveCriticalSection(PathLock());
    // Bounded: another process holding the count must not block the player for ever.
    const DWORD r = WaitForSingleObject(sem, kSettingsLockTimeoutMs);
    if (r == WAIT_OBJECT_0 || r == WAIT_ABANDONED) {
        *acquired = sem;
        return std::wstring();
    }
    const DWORD code = r == WAIT_TIMEOUT ? WAIT_TIMEOUT : GetLastError();
    return FormatSystemError(
        code, FormatNewString(L"WaitForSingleObject(%s)", kSettingsSemaphoreName).c_str());
}
