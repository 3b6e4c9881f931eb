// File and folder helpers (see FileSystem.h).
#include "WinNT_SP/Include_VS2005/FileSystem.h"

#include "WinNT_SP/Include_VS2005/SupportStrings.h"
#include "WinNT_SP/Include_VS2005/SystemErrorText.h"
#include "WinNT_SP/Include_VS2005/TraceLog.h"
#include "platform/base/CHandle.h"

#include <shlobj.h>
#include <shellapi.h>

#include <cwchar>

std::wstring GetFullFilePath(const wchar_t* name)
{
    TRACE_FUNCTION();
    wchar_t full[MAX_PATH];
    const DWORD n = GetFullPathNameW(name, MAX_PATH, full, nullptr);
    if (n == 0 || n >= MAX_PATH) {
        return name;
    }
    std::wstring path(full);
    const std::wstring root = GetVolumeRoot(path);
    DWORD fsFlags = 0;
    if (!GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, &fsFlags, nullptr,
                               0)) {
        return path;
    }
    if (!(fsFlags & FS_UNICODE_STORED_ON_DISK)) {
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW(path.c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            FindClose(h);
            const size_t slash = path.find_last_of(L'\\');
            path = path.substr(0, slash == std::wstring::npos ? 0 : slash + 1) + fd.cFileName;
        }
    }
    return path;
}

std::wstring GetVolumeRoot(const std::wstring& path)
{
    auto isSep = [](wchar_t c) { return c == L'\\' || c == L'/'; };
    if (path.size() >= 2 && isSep(path[0]) && isSep(path[1])) {
        size_t i = 2;
        while (i < path.size() && !isSep(path[i])) {
            ++i;  // server
        }
        ++i;
        while (i < path.size() && !isSep(path[i])) {
            ++i;  // share
        }
        return path.substr(0, i < path.size() ? i + 1 : path.size());
    }
    for (size_t i = 0; i < path.size(); ++i) {
        if (isSep(path[i])) {
            return path.substr(0, i + 1);
        }
    }
    return path;
}

std::wstring GetFolderOfPath(const std::wstring& path)
{
    const std::wstring full = GetFullFilePath(path.c_str());
    const size_t slash = full.find_last_of(L'\\');
    if (slash == std::wstring::npos) {
        return std::wstring();
    }
    return full.substr(0, slash < 3 ? slash + 1 : slash);
}

std::wstring GetFolderOfFile(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring DeleteFileText(const wchar_t* name)
{
    TRACE_FUNCTION();
    const std::wstring path = GetFullFilePath(name);
    if (DeleteFileW(path.c_str())) {
        return std::wstring();
    }
    const DWORD code = GetLastError();
    return FormatResString(IDS_DELETE_FILE_FAILED, path.c_str(), static_cast<unsigned long>(code),
                           GetSystemErrorText(code).c_str());
}

bool FileExists(const wchar_t* path, WIN32_FIND_DATAW* findData)
{
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(path, findData ? findData : &fd);
    if (h == INVALID_HANDLE_VALUE) {
        return false;
    }
    FindClose(h);
    return true;
}

bool PathExists(const wchar_t* path)
{
    if (!path || !*path) {
        return false;
    }
    return FileExists(path) || GetLastError() == ERROR_ACCESS_DENIED;
}

bool IsFolder(const wchar_t* path)
{
    if (!path || !*path) {
        return false;
    }
    const DWORD attrs = GetFileAttributesW(path);
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

int ListFolderFiles(std::vector<std::wstring>& names, const wchar_t* pattern)
{
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(pattern, &fd);
    if (h == INVALID_HANDLE_VALUE) {
        return 0;
    }
    int count = 0;
    do {
        if (std::wcscmp(fd.cFileName, L".") == 0 || std::wcscmp(fd.cFileName, L"..") == 0 ||
            (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            continue;
        }
        names.emplace_back(fd.cFileName);
        ++count;
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return count;
}

std::wstring CreateFolderPath(const wchar_t* pathIn)
{
    TRACE_FUNCTION();
    std::wstring path = pathIn ? pathIn : L"";
    const size_t b = path.find_first_not_of(L" \t");
    const size_t e = path.find_last_not_of(L" \t");
    path = (b == std::wstring::npos) ? std::wstring() : path.substr(b, e - b + 1);
    if (path.size() <= 3) {
        return std::wstring();
    }
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) {
        path.pop_back();
    }
    // Cut components off until an existing folder (or the root) remains.
    const std::wstring root = GetVolumeRoot(path);
    std::vector<std::wstring> missing;
    std::wstring cur = path;
    while (cur.size() > root.size() && !IsFolder(cur.c_str())) {
        missing.push_back(cur);
        const size_t slash = cur.find_last_of(L"\\/");
        if (slash == std::wstring::npos) {
            break;
        }
        cur = cur.substr(0, slash);
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (!CreateDirectoryW(it->c_str(), nullptr)) {
            const DWORD code = GetLastError();
            if (code == ERROR_ALREADY_EXISTS && IsFolder(it->c_str())) {
                continue;  // made meanwhile by someone else
            }
            return FormatResString(IDS_CREATE_FOLDER_FAILED, it->c_str(),
                                   static_cast<unsigned long>(code),
                                   GetSystemErrorText(code).c_str());
        }
    }
    return std::wstring();
}

std::wstring GetSpecialFolder(std::wstring* error, int csidl)
{
    TRACE_FUNCTION();
    wchar_t path[MAX_PATH] = {};
    if (SHGetSpecialFolderPathW(nullptr, path, csidl, TRUE)) {
        return path;
    }
    const std::wstring text = FormatSystemError(
        ERROR_PATH_NOT_FOUND,
        FormatNewString(L"SHGetSpecialFolderPath(%#x)", static_cast<unsigned>(csidl)).c_str());
    TraceLine(RMD_STAMPED, L"%s", text.c_str());
    if (error) {
        *error = text;
    }
    return std::wstring();
}

std::wstring GetTempFolder()
{
    wchar_t value[520];
    DWORD n = GetEnvironmentVariableW(L"TMP", value, 520);
    if (n == 0 || n >= 520) {
        n = GetEnvironmentVariableW(L"TEMP", value, 520);
    }
    if (n == 0 || n >= 520) {
        return std::wstring();
    }
    wchar_t longPath[MAX_PATH];
    const DWORD m = GetLongPathNameW(value, longPath, MAX_PATH);
    if (m == 0 || m >= MAX_PATH) {
        return std::wstring();
    }
    return longPath;
}

std::wstring GetVideoLibraryPath()
{
    wchar_t module[521];
    const DWORD n = GetModuleFileNameW(nullptr, module, 521);
    if (n == 0 || n >= 521) {
        return std::wstring();
    }
    return GetFolderOfFile(module) + L"QVPVideo.dll";
}

std::wstring ExploreFolder(const wchar_t* path)
{
    TRACE_FUNCTION();
    const INT_PTR r = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"explore", path, nullptr, nullptr, SW_SHOWNORMAL));
    const DWORD code = ShellExecuteResultToError(r);
    if (code == 0) {
        return std::wstring();
    }
    return FormatSystemError(code, FormatNewString(L"ShellExecute(%s)", path).c_str());
}

std::wstring StartVolumeControl(bool vistaOrLater)
{
    TRACE_FUNCTION();
    std::wstring program = vistaOrLater ? L"SndVol.exe" : L"SndVol32.exe";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::wstring cmd = program;
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, CREATE_DEFAULT_ERROR_MODE,
                        nullptr, nullptr, &si, &pi)) {
        return FormatResString(IDS_MIXER_NOT_FOUND, program.c_str());
    }
    // Not waited for: the handles go at once.
    const CHandle thread(pi.hThread);
    const CHandle process(pi.hProcess);
    return std::wstring();
}
