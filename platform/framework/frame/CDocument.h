// CDocument: the data a program shows in its views. It knows its views, its template, its
// title and path (the path feeds the recent-file list), whether it has unsaved changes, and
// how to be created empty, loaded from and saved to a file through its Serialize.
#pragma once

#include "platform/framework/frame/CCreateContext.h"

#include <vector>

class CDocument : public CCmdTarget {
    DECLARE_DYNCREATE(CDocument)

public:
    CDocument();
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // The full path; the title becomes the file's display title; with bAddToMRU the path is
    // added to the application's recent-file list.
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    void AddView(CView* pView);
    void RemoveView(CView* pView);
    virtual POSITION GetFirstViewPosition() const;
    virtual CView* GetNextView(POSITION& rPosition) const;
    size_t GetViewCount() const { return m_views.size(); }
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);
    // Retitles the frames showing this document.
    virtual void UpdateFrameCounts();

    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    // Destroys the frames showing the document, then the document (when auto-deleting).
    virtual void OnCloseDocument();
    virtual void DeleteContents();
    virtual void OnChangedViewList();
    // Asks about unsaved changes: FALSE when the user cancels or the save fails.
    virtual BOOL SaveModified();
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();
    virtual void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving,
                                         UINT nIDPDefault);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    BOOL m_bAutoDelete = TRUE;

protected:
    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    std::vector<CView*> m_views;
    BOOL m_bModified = FALSE;

    friend class CDocTemplate;
};
