// Document templates: doc strings, document and frame creation, file-type matching.
#include "platform/framework/frame/CDocTemplate.h"

#include "platform/framework/frame/CDocument.h"
#include "platform/framework/frame/CFrameWnd.h"
#include "platform/framework/frame/CView.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                           CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource),
      m_pDocClass(pDocClass),
      m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass)
{
}

CDocTemplate::~CDocTemplate() = default;

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty()) {
        m_strDocStrings.LoadString(m_nIDResource);
    }
}

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex index) const
{
    rString.Empty();
    return AfxExtractSubString(rString, m_strDocStrings, static_cast<int>(index)) &&
           !rString.IsEmpty();
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = nullptr;
}

void CDocTemplate::ReleaseDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (m_pDocClass == nullptr) {
        return nullptr;
    }
    CObject* pObject = m_pDocClass->CreateObject();
    auto* pDoc = dynamic_cast<CDocument*>(pObject);
    if (pDoc == nullptr) {
        delete pObject;
        return nullptr;
    }
    AddDocument(pDoc);
    return pDoc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    if (m_pFrameClass == nullptr) {
        return nullptr;
    }
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CObject* pObject = m_pFrameClass->CreateObject();
    auto* pFrame = dynamic_cast<CFrameWnd*>(pObject);
    if (pFrame == nullptr) {
        delete pObject;
        return nullptr;
    }
    // A frame that fails to load deletes itself.
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr,
                           &context)) {
        return nullptr;
    }
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR lpszPathName,
                                                    CDocument*& rpDocMatch)
{
    rpDocMatch = nullptr;
    POSITION pos = GetFirstDocPosition();
    while (pos != nullptr) {
        CDocument* pDoc = GetNextDoc(pos);
        if (pDoc != nullptr && pDoc->GetPathName().CompareNoCase(lpszPathName) == 0) {
            rpDocMatch = pDoc;
            return yesAlreadyOpen;
        }
    }
    CString extensions;
    if (GetDocString(extensions, CDocTemplate::filterExt) && extensions.GetLength() > 0) {
        CString path = lpszPathName;
        const int dot = path.ReverseFind(L'.');
        if (dot >= 0) {
            CString ext = path.Mid(dot);
            // The extension list may hold several patterns ("*.a;*.b" or ".a;.b").
            int start = 0;
            while (start <= extensions.GetLength()) {
                int end = extensions.Find(L';', start);
                if (end < 0) {
                    end = extensions.GetLength();
                }
                CString one = extensions.Mid(start, end - start);
                one.TrimLeft(L'*');
                if (!one.IsEmpty() && one.CompareNoCase(ext) == 0) {
                    return yesAttemptNative;
                }
                start = end + 1;
            }
        }
    }
    return yesAttemptForeign;
}

BOOL CDocTemplate::SaveAllModified()
{
    POSITION pos = GetFirstDocPosition();
    while (pos != nullptr) {
        CDocument* pDoc = GetNextDoc(pos);
        if (pDoc != nullptr && !pDoc->SaveModified()) {
            return FALSE;
        }
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    POSITION pos = GetFirstDocPosition();
    while (pos != nullptr) {
        CDocument* pDoc = GetNextDoc(pos);
        if (pDoc != nullptr) {
            pDoc->OnCloseDocument();
        }
    }
}
