// The customised bars of the saved state: gathered into a bar list, archived and packed into
// one block that goes into "<profile>-Controls" or, when large, into a hidden file that the
// profile names; and read back, checked and merged. Damaged data is refused before anything
// is merged, and loading never writes to the profile.
#include "toolkit/commandbars/CUTKCommandBarsState.h"

#include <shlobj.h>

#include <cstdlib>
#include <cstring>

#include "platform/framework/CArchive.h"
#include "platform/framework/CException.h"
#include "platform/framework/CFileException.h"
#include "platform/framework/window/CWinApp.h"
#include "toolkit/commandbars/CUTKCommandBarList.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/common/CUTKPropExchangeArchive.h"
#include "toolkit/common/CUTKPropExchangeIniFile.h"
#include "toolkit/common/CUTKPropExchangeRegistry.h"
#include "toolkit/common/CUTKZipMemFile.h"
#include "toolkit/common/OSVersionInfo.h"
#include "toolkit/controls/CUTKControls.h"

namespace {

// The section key of the application's registry profile, opened for reading only; null when
// the profile is an INI file or the key is not there.
HKEY OpenStateKey(LPCTSTR section)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr || app->m_pszRegistryKey == nullptr || app->m_pszProfileName == nullptr)
        return nullptr;
    CString path;
    path.Format(L"Software\\%s\\%s\\%s", app->m_pszRegistryKey, app->m_pszProfileName, section);
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

BOOL UsesRegistry()
{
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->m_pszRegistryKey != nullptr;
}

LPCTSTR IniFile()
{
    CWinApp* app = AfxGetApp();
    return app != nullptr ? app->m_pszProfileName : nullptr;
}

// An INI text that no saved entry holds, to tell a missing key from an empty one.
constexpr wchar_t kMissing[] = L"\x01missing\x01";

BOOL ReadIniText(LPCTSTR section, LPCTSTR entry, CString& text)
{
    if (IniFile() == nullptr)
        return FALSE;
    for (DWORD size = 256; size <= (1u << 20); size *= 2) {
        CString value;
        LPWSTR buffer = value.GetBuffer(static_cast<int>(size));
        const DWORD got = ::GetPrivateProfileStringW(section, entry, kMissing, buffer, size, IniFile());
        value.ReleaseBuffer(static_cast<int>(got));
        if (got < size - 2) {
            if (value == kMissing)
                return FALSE;
            text = value;
            return TRUE;
        }
    }
    return FALSE;
}

}  // namespace

// ---- reading the profile -------------------------------------------------------------------

BOOL HasStateEntry(LPCTSTR lpszSection, LPCTSTR lpszEntry)
{
    if (UsesRegistry()) {
        HKEY key = OpenStateKey(lpszSection);
        if (key == nullptr)
            return FALSE;
        const BOOL found = ::RegQueryValueExW(key, lpszEntry, nullptr, nullptr, nullptr, nullptr) ==
                           ERROR_SUCCESS;
        ::RegCloseKey(key);
        return found;
    }
    CString text;
    return ReadIniText(lpszSection, lpszEntry, text);
}

int ReadStateInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (UsesRegistry()) {
        HKEY key = OpenStateKey(lpszSection);
        if (key == nullptr)
            return nDefault;
        DWORD type = 0;
        DWORD value = 0;
        DWORD size = sizeof(value);
        const LONG rc = ::RegQueryValueExW(key, lpszEntry, nullptr, &type,
                                           reinterpret_cast<BYTE*>(&value), &size);
        ::RegCloseKey(key);
        return rc == ERROR_SUCCESS && type == REG_DWORD && size == sizeof(value)
                   ? static_cast<int>(value)
                   : nDefault;
    }
    if (IniFile() == nullptr)
        return nDefault;
    return static_cast<int>(::GetPrivateProfileIntW(lpszSection, lpszEntry, nDefault, IniFile()));
}

CString ReadStateString(LPCTSTR lpszSection, LPCTSTR lpszEntry)
{
    CString text;
    if (UsesRegistry()) {
        HKEY key = OpenStateKey(lpszSection);
        if (key != nullptr) {
            AfxReadRegistryString(key, lpszEntry, text);
            ::RegCloseKey(key);
        }
        return text;
    }
    ReadIniText(lpszSection, lpszEntry, text);
    return text;
}

CUTKPropExchange* OpenStateSection(BOOL bLoading, LPCTSTR lpszSection)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return nullptr;
    if (app->m_pszRegistryKey != nullptr)
        return new CUTKPropExchangeRegistry(bLoading, nullptr, lpszSection);
    auto* ini = new CUTKPropExchangeIniFile(bLoading, nullptr, lpszSection);
    ini->AssignFile(app->m_pszProfileName);
    return ini;
}

// ---- the file of large blocks --------------------------------------------------------------

BOOL CUTKCommandBars::GetCustomControlsFile(CString& strPath, LPCTSTR lpszProfileName) const
{
    if (!GetCustomizedControlsFile().IsEmpty()) {
        strPath = GetCustomizedControlsFile();
        return TRUE;
    }
    // The profile name as a file name: separators and other characters a file name cannot
    // hold become '_'.
    CString name(lpszProfileName != nullptr ? lpszProfileName : L"");
    for (int i = 0; i < name.GetLength(); ++i) {
        if (std::wcschr(L"\\/:*?\"<>|", name[i]) != nullptr || name[i] < L' ')
            name.SetAt(i, L'_');
    }
    CWinApp* app = AfxGetApp();
    if (GetOSVersionInfo()->IsWin2KOrGreater()) {
        wchar_t folder[MAX_PATH] = {};
        LPITEMIDLIST idList = nullptr;
        if (SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, CSIDL_APPDATA, &idList)) &&
            idList != nullptr) {
            const BOOL got = ::SHGetPathFromIDListW(idList, folder);
            ::CoTaskMemFree(idList);
            if (got && app != nullptr && app->m_pszAppName != nullptr) {
                CString dir;
                dir.Format(L"%s\\%s", folder, app->m_pszAppName);
                ::CreateDirectoryW(dir, nullptr);
                const DWORD attributes = ::GetFileAttributesW(dir);
                if (attributes != INVALID_FILE_ATTRIBUTES &&
                    (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                    strPath.Format(L"%s\\%s", dir.GetString(), name.GetString());
                    return TRUE;
                }
            }
        }
    }
    wchar_t module[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, module, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return FALSE;
    strPath.Format(L"%s-%s", module, name.GetString());
    return TRUE;
}

BOOL ReadCustomControlsFile(LPCTSTR lpszPath, std::vector<BYTE>& data)
{
    data.clear();
    if (lpszPath == nullptr || *lpszPath == 0)
        return FALSE;
    HANDLE file = ::CreateFileW(lpszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    BOOL ok = FALSE;
    LARGE_INTEGER size{};
    BY_HANDLE_FILE_INFORMATION info{};
    // Only a plain disk file, and only up to the cap: the path comes from the profile.
    if (::GetFileType(file) == FILE_TYPE_DISK && ::GetFileInformationByHandle(file, &info) &&
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && ::GetFileSizeEx(file, &size) &&
        size.QuadPart > 0 && size.QuadPart <= kMaxCustomControlsFileBytes) {
        data.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = ::ReadFile(file, data.data(), static_cast<DWORD>(data.size()), &read, nullptr) &&
             read == data.size();
    }
    ::CloseHandle(file);
    if (!ok)
        data.clear();
    return ok;
}

BOOL ReplaceCustomControlsFile(LPCTSTR lpszPath, const std::vector<BYTE>& data)
{
    if (lpszPath == nullptr || *lpszPath == 0)
        return FALSE;
    CString temp(lpszPath);
    temp += L".new";
    HANDLE file = ::CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD written = 0;
    BOOL ok = ::WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr) &&
              written == data.size();
    ok = ::FlushFileBuffers(file) && ok;
    ok = ::CloseHandle(file) && ok;
    if (ok) {
        // A hidden old file may refuse to be replaced: it is shown for the move and the new
        // one hidden after it.
        const DWORD attributes = ::GetFileAttributesW(lpszPath);
        if (attributes != INVALID_FILE_ATTRIBUTES)
            ::SetFileAttributesW(lpszPath, FILE_ATTRIBUTE_NORMAL);
        ok = ::MoveFileExW(temp, lpszPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (!ok && attributes != INVALID_FILE_ATTRIBUTES)
            ::SetFileAttributesW(lpszPath, attributes);
    }
    if (!ok) {
        ::DeleteFileW(temp);
        return FALSE;
    }
    ::SetFileAttributesW(lpszPath, FILE_ATTRIBUTE_HIDDEN);
    return TRUE;
}

// ---- the block -----------------------------------------------------------------------------

BOOL StoreCommandBarsBlock(CUTKCommandBars* pCommandBars, UTK_COMMANDBARS_PROPEXCHANGE_PARAM& param,
                           std::vector<BYTE>& block)
{
    block.clear();
    CUTKCommandBarList list(pCommandBars);
    pCommandBars->GenerateCommandBarList(&list, &param);
    CUTKZipMemFile file;
    try {
        CArchive ar(&file, CArchive::store, 4096);
        CUTKPropExchangeArchive px(ar);
        px.m_dwData = reinterpret_cast<DWORD_PTR>(&param);
        if (!pCommandBars->SaveCommandBarList(&px, &list)) {
            ar.Abort();
            return FALSE;
        }
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    BYTE* data = nullptr;
    DWORD size = 0;
    file.DetachCompressedBuffer(data, size);
    if (data != nullptr)
        block.assign(data, data + size);
    std::free(data);
    return TRUE;
}

void SaveCustomizedBars(CUTKCommandBars* pCommandBars, LPCTSTR lpszProfileName,
                        BOOL bOnlyCustomized)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return;
    UTK_COMMANDBARS_PROPEXCHANGE_PARAM param;
    param.bSaveOnlyCustomized = bOnlyCustomized;
    param.bLoadSilent = FALSE;
    param.pCommandBars = pCommandBars;
    const CString section = MakeBarStateSectionName(lpszProfileName, L"-Controls");
    std::vector<BYTE> block;
    if (!StoreCommandBarsBlock(pCommandBars, param, block)) {
        app->WriteProfileString(section, nullptr, nullptr);
        return;
    }
    CString path;
    if (block.size() > kMaxCustomControlsProfileBytes &&
        pCommandBars->GetCustomControlsFile(path, lpszProfileName)) {
        // The profile names the file only once the file holds the new block.
        if (ReplaceCustomControlsFile(path, block)) {
            app->WriteProfileString(section, L"Controls", path);
            app->WriteProfileInt(section, L"LoadFromFile", 1);
        }
        return;
    }
    app->WriteProfileBinary(section, L"Controls", block.data(), static_cast<UINT>(block.size()));
    app->WriteProfileInt(section, L"LoadFromFile", 0);
}

BOOL LoadCommandBarListFromFile(CUTKCommandBars* pCommandBars, CFile* pFile, BOOL bSilent,
                                CString* pProblem)
{
    UTK_COMMANDBARS_PROPEXCHANGE_PARAM param;
    param.bSaveOnlyCustomized = TRUE;
    param.bLoadSilent = bSilent;
    param.pCommandBars = pCommandBars;
    CUTKCommandBarList list(pCommandBars);
    BOOL loaded = FALSE;
    try {
        CArchive ar(pFile, CArchive::load, 4096);
        CUTKPropExchangeArchive px(ar);
        px.m_dwData = reinterpret_cast<DWORD_PTR>(&param);
        loaded = pCommandBars->LoadCommandBarList(&px, &list);
        ar.Abort();
    } catch (CException* e) {
        e->Delete();
        loaded = FALSE;
    }
    if (!loaded) {
        if (pProblem != nullptr)
            *pProblem = L"the bar list could not be read";
        return FALSE;
    }
    if (!CheckCommandBarList(pCommandBars, &list, pProblem))
        return FALSE;
    pCommandBars->RestoreCommandBarList(&list, bSilent);
    return TRUE;
}

BOOL LoadCustomizedBars(CUTKCommandBars* pCommandBars, LPCTSTR lpszProfileName, BOOL bSilent,
                        CString* pProblem)
{
    if (pProblem != nullptr)
        pProblem->Empty();
    const CString section = MakeBarStateSectionName(lpszProfileName, L"-Controls");
    std::vector<BYTE> data;
    if (ReadStateInt(section, L"LoadFromFile", 0) != 0) {
        const CString path = ReadStateString(section, L"Controls");
        if (!ReadCustomControlsFile(path, data)) {
            if (pProblem != nullptr)
                *pProblem = L"the customised-bars file could not be read";
            return FALSE;
        }
    } else {
        // Nothing saved is no problem; the storage is opened only when there is something.
        if (!HasStateEntry(section, L"Controls"))
            return FALSE;
        CUTKPropExchange* px = OpenStateSection(TRUE, section);
        if (px == nullptr)
            return FALSE;
        BYTE* blob = nullptr;
        DWORD size = 0;
        const BOOL got = px->ExchangeBlob(L"Controls", blob, size);
        px->InternalRelease();
        if (got && blob != nullptr && size > 0)
            data.assign(blob, blob + size);
        std::free(blob);
        if (data.empty()) {
            if (pProblem != nullptr)
                *pProblem = L"the customised-bars value could not be read";
            return FALSE;
        }
    }
    CUTKZipMemFile file;
    if (!file.AttachCompressedBuffer(data.data(), static_cast<UINT>(data.size()), FALSE)) {
        if (pProblem != nullptr)
            *pProblem = L"the customised-bars block could not be unpacked";
        return FALSE;
    }
    file.SeekToBegin();
    return LoadCommandBarListFromFile(pCommandBars, &file, bSilent, pProblem);
}
