// Documents: views, titles and paths, the modified flag, loading and saving through the
// archive, and closing with the frames that show them.
#include "platform/framework/frame/CDocument.h"

#include "platform/framework/frame/AfxDocApp.h"
#include "platform/framework/frame/CDocManager.h"
#include "platform/framework/frame/CDocTemplate.h"
#include "platform/framework/frame/CFrameWnd.h"
#include "platform/framework/frame/CView.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CDocument, CCmdTarget)

CDocument::CDocument() = default;

CDocument::~CDocument()
{
    for (CView* pView : m_views) {
        pView->m_pDocument = nullptr;
    }
    m_views.clear();
    if (m_pDocTemplate != nullptr) {
        m_pDocTemplate->RemoveDocument(this);
    }
}

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle != nullptr ? lpszTitle : L"";
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    wchar_t full[MAX_PATH] = {};
    const DWORD n = ::GetFullPathNameW(lpszPathName, MAX_PATH, full, nullptr);
    m_strPathName = (n > 0 && n < MAX_PATH) ? full : lpszPathName;
    wchar_t title[MAX_PATH] = {};
    if (AfxGetFileTitle(m_strPathName, title, MAX_PATH) == 0) {
        SetTitle(title);
    } else {
        SetTitle(m_strPathName);
    }
    if (bAddToMRU) {
        AfxAppAddToRecentFileList(AfxGetApp(), m_strPathName);
    }
}

void CDocument::AddView(CView* pView)
{
    if (pView == nullptr || pView->m_pDocument == this) {
        return;
    }
    m_views.push_back(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    auto it = std::find(m_views.begin(), m_views.end(), pView);
    if (it == m_views.end()) {
        return;
    }
    m_views.erase(it);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

POSITION CDocument::GetFirstViewPosition() const
{
    return m_views.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<UINT_PTR>(1));
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    const auto index = reinterpret_cast<UINT_PTR>(rPosition);
    if (index == 0 || index > m_views.size()) {
        rPosition = nullptr;
        return nullptr;
    }
    CView* pView = m_views[index - 1];
    rPosition = index < m_views.size() ? reinterpret_cast<POSITION>(index + 1) : nullptr;
    return pView;
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    const std::vector<CView*> views = m_views;
    for (CView* pView : views) {
        if (pView != pSender) {
            pView->OnUpdate(pSender, lHint, pHint);
        }
    }
}

void CDocument::UpdateFrameCounts()
{
    for (CView* pView : m_views) {
        if (CWnd::HwndOf(pView) == nullptr) {
            continue;
        }
        if (CFrameWnd* pFrame = pView->GetParentFrame()) {
            pFrame->OnUpdateFrameTitle(TRUE);
        }
    }
}

void CDocument::OnChangedViewList()
{
    if (m_views.empty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFileException fe;
    CFile file;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe)) {
        ReportSaveLoadException(lpszPathName, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag(TRUE);  // a half-read document counts as changed
    try {
        CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete);
        Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        DeleteContents();
        ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    CFileException fe;
    CFile file;
    if (!file.Open(lpszPathName, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive,
                   &fe)) {
        ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    try {
        CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete);
        Serialize(ar);
        ar.Close();
        file.Close();
    } catch (CException* e) {
        ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL,
                                        UINT nIDPDefault)
{
    wchar_t text[512] = {};
    if (e == nullptr || !e->GetErrorMessage(text, 512) || text[0] == L'\0') {
        CString format;
        if (format.LoadString(nIDPDefault)) {
            CString message;
            message.Format(format, lpszPathName != nullptr ? lpszPathName : L"");
            AfxMessageBox(message, MB_ICONEXCLAMATION);
            return;
        }
        ::lstrcpynW(text, lpszPathName != nullptr ? lpszPathName : L"", 512);
    }
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

void CDocument::OnCloseDocument()
{
    // Destroying the frames removes the views; this must not close the document again.
    const BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_views.empty()) {
        CView* pView = m_views.front();
        CFrameWnd* pFrame = CWnd::HwndOf(pView) != nullptr ? pView->GetParentFrame() : nullptr;
        if (pFrame != nullptr) {
            PreCloseFrame(pFrame);
            pFrame->DestroyWindow();
        }
        // A view whose frame is gone or missing leaves the list in any case.
        if (!m_views.empty() && m_views.front() == pView) {
            RemoveView(pView);
        }
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete) {
        delete this;
    }
}

void CDocument::DeleteContents() {}

BOOL CDocument::SaveModified()
{
    if (!IsModified()) {
        return TRUE;
    }
    CString name = m_strPathName;
    if (name.IsEmpty()) {
        name = m_strTitle;
    }
    if (name.IsEmpty()) {
        name.LoadString(AFX_IDS_UNTITLED);
    }
    CString format;
    if (!format.LoadString(AFX_IDP_ASK_TO_SAVE)) {
        format = L"Save changes to %s?";
    }
    CString prompt;
    prompt.Format(format, static_cast<LPCTSTR>(name));
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

BOOL CDocument::DoFileSave()
{
    const DWORD attributes = ::GetFileAttributesW(m_strPathName);
    if (m_strPathName.IsEmpty() || (attributes != INVALID_FILE_ATTRIBUTES &&
                                    (attributes & FILE_ATTRIBUTE_READONLY))) {
        return DoSave(nullptr);
    }
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString newName = lpszPathName != nullptr ? lpszPathName : L"";
    if (newName.IsEmpty()) {
        CWinApp* pApp = AfxGetApp();
        if (pApp == nullptr || pApp->m_pDocManager == nullptr) {
            return FALSE;
        }
        newName = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
        if (!pApp->m_pDocManager->DoPromptFileName(newName, AFX_IDS_SAVEFILE,
                                                   OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE,
                                                   m_pDocTemplate)) {
            return FALSE;
        }
    }
    if (!OnSaveDocument(newName)) {
        return FALSE;
    }
    if (bReplace) {
        SetPathName(newName);
    }
    return TRUE;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrameArg)
{
    // Only the last frame showing the document asks about unsaved changes.
    for (CView* pView : m_views) {
        CFrameWnd* pFrame = CWnd::HwndOf(pView) != nullptr ? pView->GetParentFrame() : nullptr;
        if (pFrame != nullptr && pFrame != pFrameArg) {
            return TRUE;
        }
    }
    return SaveModified();
}

void CDocument::PreCloseFrame(CFrameWnd*) {}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) {
        return TRUE;
    }
    return m_pDocTemplate != nullptr &&
           m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
