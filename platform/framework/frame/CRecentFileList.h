// CRecentFileList: the most-recently-used file list. Entries are full paths, newest first,
// stored in the application profile under a section with numbered entries ("File1", ...),
// and shown in the File menu in place of the ID_FILE_MRU_FILE1 item, abbreviated to a
// display length.
#pragma once

#include "platform/framework/frame/AfxFrameDefs.h"

#include <vector>

class CRecentFileList {
public:
    // nStart: offset of the numbers shown in the menu; lpszEntryFormat: "File%d" style.
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = 30);
    virtual ~CRecentFileList();

    int GetSize() const { return m_nSize; }
    CString& operator[](int nIndex) { return m_arrNames.at(static_cast<size_t>(nIndex)); }

    virtual void Remove(int nIndex);
    // Moves an existing entry (same path, any case) to the front or inserts a new one there.
    virtual void Add(LPCTSTR lpszPathName);
    // The menu text of entry nIndex: the bare name for files in lpszCurDir, otherwise the path
    // shortened with "..." to the display length (keeping at least the name when asked).
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;
    // Expands the ID_FILE_MRU_FILE1 menu item into one item per entry.
    virtual void UpdateMenu(CCmdUI* pCmdUI);
    virtual void ReadList();
    virtual void WriteList();

    // Shortens a path to at most cchMax characters by replacing directories with "...".
    static CString AbbreviateName(LPCTSTR lpszPath, int cchMax, BOOL bAtLeastName);

    std::vector<CString> m_arrNames;
    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nSize;
    int m_nMaxDisplayLength;
    CString m_strOriginal;
};
