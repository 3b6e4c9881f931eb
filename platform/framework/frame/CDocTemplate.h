// CDocTemplate: ties a document class, a frame class and a view class to one resource id.
// It holds the "\n"-separated document strings, creates documents and the frames that show
// them, and receives the commands the documents do not handle.
#pragma once

#include "platform/framework/frame/CCreateContext.h"

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)

public:
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };
    enum Confidence { noAttempt, maybeAttemptForeign, maybeAttemptNative, yesAttemptForeign,
                      yesAttemptNative, yesAlreadyOpen };

    ~CDocTemplate() override;

    // The id the frame loads its menu, accelerators, icon and title from (writable: the doc
    // strings are read once, by LoadTemplate, under the id given at construction).
    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    BOOL m_bAutoDelete = TRUE;
    // The menu the frame shows while one of this template's documents is active (MDI); null
    // when the template has none of its own.
    HMENU m_hMenuShared = nullptr;

    virtual void LoadTemplate();
    virtual BOOL GetDocString(CString& rString, enum DocStringIndex index) const;

    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;

    virtual CDocument* CreateNewDocument();
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    virtual Confidence MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);

protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                 CRuntimeClass* pViewClass);

    // Lets go of a document without closing it (the template is going away).
    static void ReleaseDocument(CDocument* pDoc);

    CString m_strDocStrings;
};
