// The single-document template: one document, one frame, reused for every open.
#include "platform/framework/frame/CSingleDocTemplate.h"

#include "platform/framework/frame/CDocument.h"
#include "platform/framework/frame/CFrameWnd.h"
#include "platform/framework/frame/CView.h"

IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                       CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    if (m_pOnlyDoc != nullptr) {
        CDocument* pDoc = m_pOnlyDoc;
        m_pOnlyDoc = nullptr;
        ReleaseDocument(pDoc);
        delete pDoc;
    }
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const
{
    return m_pOnlyDoc != nullptr ? reinterpret_cast<POSITION>(static_cast<UINT_PTR>(1)) : nullptr;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    CDocument* pDoc = rPos != nullptr ? m_pOnlyDoc : nullptr;
    rPos = nullptr;
    return pDoc;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (m_pOnlyDoc == pDoc) {
        m_pOnlyDoc = nullptr;
    }
    CDocTemplate::RemoveDocument(pDoc);
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString title;
    if (!GetDocString(title, docName) || title.IsEmpty()) {
        title.LoadString(AFX_IDS_UNTITLED);
    }
    pDocument->SetTitle(title);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDoc = nullptr;
    CFrameWnd* pFrame = nullptr;
    BOOL bCreated = FALSE;
    if (m_pOnlyDoc != nullptr) {
        pDoc = m_pOnlyDoc;
        if (!pDoc->SaveModified()) {
            return nullptr;
        }
        POSITION pos = pDoc->GetFirstViewPosition();
        if (CView* pView = pDoc->GetNextView(pos)) {
            pFrame = pView->GetParentFrame();
        }
    } else {
        pDoc = CreateNewDocument();
        if (pDoc == nullptr) {
            return nullptr;
        }
        bCreated = TRUE;
    }
    if (pFrame == nullptr) {
        // The document must survive a frame that fails half-way.
        const BOOL bAutoDelete = pDoc->m_bAutoDelete;
        pDoc->m_bAutoDelete = FALSE;
        pFrame = CreateNewFrame(pDoc, nullptr);
        pDoc->m_bAutoDelete = bAutoDelete;
        if (pFrame == nullptr) {
            if (bCreated) {
                delete pDoc;
            }
            return nullptr;
        }
    }
    // Tears the new frame down again; its view's removal closes a new document.
    auto discardCreated = [&]() {
        if (!bCreated) {
            return;
        }
        const POSITION pos = pDoc->GetFirstViewPosition();
        if (pos == nullptr) {
            pFrame->DestroyWindow();
            delete pDoc;
        } else {
            pFrame->DestroyWindow();
        }
    };
    if (lpszPathName == nullptr) {
        SetDefaultTitle(pDoc);
        if (!pDoc->OnNewDocument()) {
            discardCreated();
            return nullptr;
        }
    } else {
        CWaitCursor wait;
        const BOOL bWasModified = pDoc->IsModified();
        pDoc->SetModifiedFlag(FALSE);
        if (!pDoc->OnOpenDocument(lpszPathName)) {
            if (bCreated) {
                discardCreated();
            } else if (!pDoc->IsModified()) {
                // The old contents are untouched: they stay as they were.
                pDoc->SetModifiedFlag(bWasModified);
            } else {
                // The old contents are gone: fall back to a new, empty document.
                SetDefaultTitle(pDoc);
                if (!pDoc->OnNewDocument()) {
                    pFrame->DestroyWindow();
                }
            }
            return nullptr;
        }
        pDoc->SetPathName(lpszPathName);
    }
    CWinThread* pThread = AfxGetThread();
    if (bCreated && pThread != nullptr && pThread->m_pMainWnd == nullptr) {
        pThread->m_pMainWnd = pFrame;
    }
    InitialUpdateFrame(pFrame, pDoc, bMakeVisible);
    return pDoc;
}
