// The recent-file list: ordering, profile storage, display names and the File menu items.
#include "platform/framework/frame/CRecentFileList.h"

#include <algorithm>

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat,
                                 int nSize, int nMaxDispLen)
    : m_strSectionName(lpszSection),
      m_strEntryFormat(lpszEntryFormat),
      m_nStart(nStart),
      m_nSize(std::clamp(nSize, 0, AFX_MRU_COUNT)),
      m_nMaxDisplayLength(nMaxDispLen)
{
    m_arrNames.resize(static_cast<size_t>(m_nSize));
}

CRecentFileList::~CRecentFileList() = default;

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize) {
        return;
    }
    m_arrNames.erase(m_arrNames.begin() + nIndex);
    m_arrNames.emplace_back();
}

void CRecentFileList::Add(LPCTSTR lpszPathName)
{
    if (lpszPathName == nullptr || *lpszPathName == L'\0' || m_nSize == 0) {
        return;
    }
    wchar_t full[MAX_PATH] = {};
    const DWORD n = ::GetFullPathNameW(lpszPathName, MAX_PATH, full, nullptr);
    CString path = (n > 0 && n < MAX_PATH) ? full : lpszPathName;
    int found = m_nSize - 1;  // not found: the oldest entry falls off
    for (int i = 0; i < m_nSize; ++i) {
        if (m_arrNames[static_cast<size_t>(i)].CompareNoCase(path) == 0) {
            found = i;
            break;
        }
    }
    for (int i = found; i > 0; --i) {
        m_arrNames[static_cast<size_t>(i)] = m_arrNames[static_cast<size_t>(i - 1)];
    }
    m_arrNames[0] = path;
}

CString CRecentFileList::AbbreviateName(LPCTSTR lpszPath, int cchMax, BOOL bAtLeastName)
{
    CString path = lpszPath != nullptr ? lpszPath : L"";
    if (cchMax <= 0 || path.GetLength() <= cchMax) {
        return path;
    }
    const int lastSlash = path.ReverseFind(L'\\');
    CString name = lastSlash >= 0 ? path.Mid(lastSlash + 1) : path;
    // The root: "C:\" or "\\server\share\".
    int rootEnd = 0;
    if (path.GetLength() >= 3 && path[1] == L':' && path[2] == L'\\') {
        rootEnd = 3;
    } else if (path.GetLength() > 2 && path[0] == L'\\' && path[1] == L'\\') {
        int slashes = 0;
        for (int i = 2; i < path.GetLength(); ++i) {
            if (path[i] == L'\\' && ++slashes == 2) {
                rootEnd = i + 1;
                break;
            }
        }
    }
    const CString root = path.Left(rootEnd);
    // Drop whole directories after the root until "root...\rest" fits.
    CString rest = path.Mid(rootEnd);
    for (;;) {
        const int slash = rest.Find(L'\\');
        if (slash < 0) {
            break;
        }
        rest = rest.Mid(slash + 1);
        CString candidate = root + L"...\\" + rest;
        if (candidate.GetLength() <= cchMax) {
            return candidate;
        }
    }
    if (name.GetLength() <= cchMax || bAtLeastName) {
        return name;
    }
    return CString();
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir,
                                     int nCurDir, BOOL bAtLeastName) const
{
    strName.Empty();
    if (nIndex < 0 || nIndex >= m_nSize) {
        return FALSE;
    }
    const CString& path = m_arrNames[static_cast<size_t>(nIndex)];
    if (path.IsEmpty()) {
        return FALSE;
    }
    if (lpszCurDir != nullptr && nCurDir > 0 && path.GetLength() > nCurDir &&
        path.Left(nCurDir).CompareNoCase(CString(lpszCurDir).Left(nCurDir)) == 0) {
        CString tail = path.Mid(nCurDir);
        if (!tail.IsEmpty() && tail[0] == L'\\') {
            tail = tail.Mid(1);
        }
        if (!tail.IsEmpty() && tail.Find(L'\\') < 0) {
            strName = tail;
            return TRUE;
        }
    }
    strName = AbbreviateName(path, m_nMaxDisplayLength, bAtLeastName);
    return !strName.IsEmpty();
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (m_strOriginal.IsEmpty() && pMenu != nullptr) {
        wchar_t text[256] = {};
        ::GetMenuStringW(pMenu->m_hMenu, pCmdUI->m_nIndex, text, 256, MF_BYPOSITION);
        m_strOriginal = text;
    }
    if (m_nSize == 0 || m_arrNames[0].IsEmpty()) {
        if (!m_strOriginal.IsEmpty()) {
            pCmdUI->SetText(m_strOriginal);
        }
        pCmdUI->Enable(FALSE);
        return;
    }
    if (pMenu == nullptr) {
        return;
    }
    const UINT firstId = pCmdUI->m_nID;
    for (int i = 0; i < m_nSize; ++i) {
        pMenu->DeleteMenu(firstId + static_cast<UINT>(i), MF_BYCOMMAND);
    }
    wchar_t curDir[MAX_PATH] = {};
    const int nCurDir = static_cast<int>(::GetCurrentDirectoryW(MAX_PATH, curDir));
    UINT index = pCmdUI->m_nIndex;
    int inserted = 0;
    for (int i = 0; i < m_nSize; ++i) {
        CString name;
        if (!GetDisplayName(name, i, curDir, nCurDir < MAX_PATH ? nCurDir : 0)) {
            break;
        }
        name.Replace(L"&", L"&&");  // a file name's ampersand is no mnemonic
        const UINT number = m_nStart + static_cast<UINT>(i) + 1;
        CString text;
        if (number < 10) {
            text.Format(L"&%u %s", number, static_cast<LPCTSTR>(name));
        } else if (number == 10) {
            text.Format(L"1&0 %s", static_cast<LPCTSTR>(name));
        } else {
            text.Format(L"%u %s", number, static_cast<LPCTSTR>(name));
        }
        pMenu->InsertMenu(index++, MF_STRING | MF_BYPOSITION, firstId + static_cast<UINT>(i),
                          text);
        ++inserted;
    }
    // The update pass goes on after the last inserted item.
    pCmdUI->m_nIndex = index - (inserted > 0 ? 1 : 0);
    pCmdUI->m_nIndexMax = static_cast<UINT>(pMenu->GetMenuItemCount());
    pCmdUI->m_bEnableChanged = TRUE;
}

void CRecentFileList::ReadList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr) {
        return;
    }
    // From the registry the section key is opened once for all entries, not once per entry.
    HKEY section = nullptr;
    if (pApp->m_pszRegistryKey != nullptr) {
        section = pApp->GetSectionKey(m_strSectionName);
        if (section == nullptr) {
            std::fill(m_arrNames.begin(), m_arrNames.end(), CString());
            return;
        }
    }
    for (int i = 0; i < m_nSize; ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        CString& name = m_arrNames[static_cast<size_t>(i)];
        if (section == nullptr) {
            name = pApp->GetProfileString(m_strSectionName, entry, L"");
        } else if (!AfxReadRegistryString(section, entry, name)) {
            name.Empty();
        }
    }
    if (section != nullptr) {
        ::RegCloseKey(section);
    }
}

void CRecentFileList::WriteList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || m_nSize == 0) {
        return;
    }
    // The section is rewritten whole, so removed entries don't come back.
    pApp->WriteProfileString(m_strSectionName, nullptr, nullptr);
    for (int i = 0; i < m_nSize; ++i) {
        const CString& name = m_arrNames[static_cast<size_t>(i)];
        if (name.IsEmpty()) {
            continue;
        }
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        pApp->WriteProfileString(m_strSectionName, entry, name);
    }
}
