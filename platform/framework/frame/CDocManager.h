// CDocManager: the application's list of document templates. It answers File New and File
// Open, opens a named file with the template that suits it best, and prompts for file names
// with the framework's file dialog.
#pragma once

#include "platform/framework/frame/CCreateContext.h"

#include <vector>

class CDocManager : public CObject {
    DECLARE_DYNAMIC(CDocManager)

public:
    CDocManager();
    ~CDocManager() override;

    // Takes ownership of the template (deleted with the manager when it auto-deletes) and
    // reads its document strings.
    virtual void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    size_t GetDocTemplateCount() const { return m_templates.size(); }

    virtual void OnFileNew();
    virtual void OnFileOpen();
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    // Shows the open (or save) dialog with the templates' filters and the all-files filter;
    // TRUE with fileName set when the user chose OK.
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags,
                                  BOOL bOpenFileDialog, CDocTemplate* pTemplate);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual int GetOpenDocumentCount();

    // The filter text ("name|pattern|...|All Files (*.*)|*.*||") the prompt uses.
    CString BuildFilter(CDocTemplate* pTemplate) const;

protected:
    std::vector<CDocTemplate*> m_templates;
};
