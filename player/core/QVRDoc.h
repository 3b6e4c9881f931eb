// The document: it holds no presentation data itself. Opening creates the program's open
// presentation and replaces the previous one only on success; a new document closes it. The
// document keeps the window title (file name and path, or the opening progress) and copies it
// to the hidden owner window's caption.
#pragma once

#include "platform/framework/frame/FrameworkFrame.h"

#include <string>

class IOpenPresentation;

class QVRDoc : public CDocument {
    DECLARE_DYNCREATE(QVRDoc)

public:
    QVRDoc();
    ~QVRDoc() override;

    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(LPCTSTR path) override;
    void SetTitle(LPCTSTR text) override;
    void SetPathName(LPCTSTR path, BOOL addToRecent = TRUE) override;
    void SetModifiedFlag(BOOL modified = TRUE) override;

    void RefreshTitle();
    void SetOpenProgress(double percent);

    // "a.wmv (C:\Talks\a.wmv)" for a path whose last backslash is not its first character.
    static std::wstring TitleFor(const std::wstring& text);

protected:
    // Opens a presentation; the error text in *error and null on failure. The program's own
    // opener reads a presentation file through the engine.
    virtual IOpenPresentation* OpenPresentation(const std::wstring& path, std::wstring* error);

    DECLARE_MESSAGE_MAP()

private:
    double m_openProgress = -1;
};

// The document manager: refuses paths that do not exist and runs the program's open dialog.
class QVRDocManager : public CDocManager {
public:
    QVRDocManager() = default;
    ~QVRDocManager() override = default;

    CDocument* OpenDocumentFile(LPCTSTR path) override;
    BOOL DoPromptFileName(CString& fileName, UINT titleId, DWORD flags, BOOL openDialog,
                          CDocTemplate* docTemplate) override;
};

// Ties the document, the main frame and the view together; hands the video windows to the
// engine once the frame is up.
class QVRDocTemplate : public CSingleDocTemplate {
public:
    QVRDocTemplate(UINT resourceId, CRuntimeClass* docClass, CRuntimeClass* frameClass,
                   CRuntimeClass* viewClass);
    ~QVRDocTemplate() override = default;

    void InitialUpdateFrame(CFrameWnd* frame, CDocument* document, BOOL makeVisible) override;
    CDocument* OpenDocumentFile(LPCTSTR path, BOOL makeVisible = TRUE) override;
};

QVRDoc* TheDocument();
// The open-file filter: Windows Media files, then all files.
std::wstring GetOpenFileFilter();
