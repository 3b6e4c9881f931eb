// The document manager: templates, File New/Open and the file-name prompt.
#include "platform/framework/frame/CDocManager.h"

#include "platform/framework/frame/CDocTemplate.h"
#include "platform/framework/frame/CDocument.h"
#include "platform/framework/window/CFileDialog.h"
#include "platform/framework/frame/CFrameWnd.h"
#include "platform/framework/frame/CView.h"

IMPLEMENT_DYNAMIC(CDocManager, CObject)

CDocManager::CDocManager() = default;

CDocManager::~CDocManager()
{
    for (CDocTemplate* pTemplate : m_templates) {
        if (pTemplate->m_bAutoDelete) {
            delete pTemplate;
        }
    }
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate == nullptr) {
        return;
    }
    for (CDocTemplate* existing : m_templates) {
        if (existing == pTemplate) {
            return;
        }
    }
    pTemplate->LoadTemplate();
    m_templates.push_back(pTemplate);
}

POSITION CDocManager::GetFirstDocTemplatePosition() const
{
    return m_templates.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<UINT_PTR>(1));
}

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& pos) const
{
    const auto index = reinterpret_cast<UINT_PTR>(pos);
    if (index == 0 || index > m_templates.size()) {
        pos = nullptr;
        return nullptr;
    }
    pos = index < m_templates.size() ? reinterpret_cast<POSITION>(index + 1) : nullptr;
    return m_templates[index - 1];
}

void CDocManager::OnFileNew()
{
    if (m_templates.empty()) {
        return;
    }
    m_templates.front()->OpenDocumentFile(nullptr);
}

void CDocManager::OnFileOpen()
{
    CString newName;
    if (!DoPromptFileName(newName, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE,
                          nullptr)) {
        return;
    }
    OpenDocumentFile(newName);
}

CDocument* CDocManager::OpenDocumentFile(LPCTSTR lpszFileName)
{
    if (lpszFileName == nullptr || *lpszFileName == L'\0' || m_templates.empty()) {
        return nullptr;
    }
    wchar_t full[MAX_PATH] = {};
    const DWORD n = ::GetFullPathNameW(lpszFileName, MAX_PATH, full, nullptr);
    CString path = (n > 0 && n < MAX_PATH) ? full : lpszFileName;

    CDocTemplate* pBestTemplate = nullptr;
    CDocument* pOpenDocument = nullptr;
    CDocTemplate::Confidence best = CDocTemplate::noAttempt;
    for (CDocTemplate* pTemplate : m_templates) {
        CDocument* pMatch = nullptr;
        const CDocTemplate::Confidence match = pTemplate->MatchDocType(path, pMatch);
        if (match > best) {
            best = match;
            pBestTemplate = pTemplate;
        }
        if (match == CDocTemplate::yesAlreadyOpen) {
            pOpenDocument = pMatch;
            break;
        }
    }
    if (pOpenDocument != nullptr) {
        POSITION pos = pOpenDocument->GetFirstViewPosition();
        if (CView* pView = pOpenDocument->GetNextView(pos)) {
            if (CFrameWnd* pFrame = pView->GetParentFrame()) {
                pFrame->ActivateFrame();
            }
        }
        return pOpenDocument;
    }
    return pBestTemplate != nullptr ? pBestTemplate->OpenDocumentFile(path) : nullptr;
}

CString CDocManager::BuildFilter(CDocTemplate* pTemplate) const
{
    CString filter;
    auto append = [&filter](CDocTemplate* t) {
        CString name;
        CString ext;
        if (t->GetDocString(name, CDocTemplate::filterName) &&
            t->GetDocString(ext, CDocTemplate::filterExt)) {
            CString pattern;
            // ".ext;.ext2" in the doc strings becomes "*.ext;*.ext2".
            int start = 0;
            while (start <= ext.GetLength()) {
                int end = ext.Find(L';', start);
                if (end < 0) {
                    end = ext.GetLength();
                }
                CString one = ext.Mid(start, end - start);
                if (!one.IsEmpty()) {
                    if (!pattern.IsEmpty()) {
                        pattern += L";";
                    }
                    pattern += one[0] == L'.' ? L"*" + one : one;
                }
                start = end + 1;
            }
            filter += name + L"|" + pattern + L"|";
        }
    };
    if (pTemplate != nullptr) {
        append(pTemplate);
    } else {
        for (CDocTemplate* t : m_templates) {
            append(t);
        }
    }
    CString allFilter;
    if (!allFilter.LoadString(AFX_IDS_ALLFILTER)) {
        allFilter = L"All Files (*.*)";
    }
    filter += allFilter + L"|*.*||";
    return filter;
}

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags,
                                   BOOL bOpenFileDialog, CDocTemplate* pTemplate)
{
    const CString filter = BuildFilter(pTemplate);
    LPCTSTR initialName = fileName.IsEmpty() ? nullptr : static_cast<LPCTSTR>(fileName);
    CFileDialog dlg(bOpenFileDialog, nullptr, initialName, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    filter, nullptr, 0, FALSE);
    CString title;
    title.LoadString(nIDSTitle);
    dlg.m_ofn.Flags |= lFlags;
    dlg.m_ofn.lpstrTitle = title;
    if (dlg.DoModal() != IDOK) {
        return FALSE;
    }
    fileName = dlg.GetPathName();
    return TRUE;
}

BOOL CDocManager::SaveAllModified()
{
    for (CDocTemplate* pTemplate : m_templates) {
        if (!pTemplate->SaveAllModified()) {
            return FALSE;
        }
    }
    return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession)
{
    for (CDocTemplate* pTemplate : m_templates) {
        pTemplate->CloseAllDocuments(bEndSession);
    }
}

int CDocManager::GetOpenDocumentCount()
{
    int count = 0;
    for (CDocTemplate* pTemplate : m_templates) {
        POSITION pos = pTemplate->GetFirstDocPosition();
        while (pos != nullptr) {
            if (pTemplate->GetNextDoc(pos) != nullptr) {
                ++count;
            }
        }
    }
    return count;
}
