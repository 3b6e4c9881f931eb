// The single-document application of the frame tests: an application object that records
// help requests and message boxes, a document, a view and a main frame with a toolbar and a
// status bar, all made from one template.
#pragma once

#include "platform/framework/frame/FrameworkFrame.h"
#include "tests/platform/framework/frame/FrameTestResource.h"

#include <string>
#include <utility>
#include <vector>

class FrameTestApp : public CWinApp {
public:
    FrameTestApp() : CWinApp(L"FrameworkFrameTests") {}

    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;
    void WinHelpInternal(DWORD_PTR dwData, UINT nCmd) override;

    void OnAppCommand() { ++appCommands; }

    std::vector<std::wstring> messageBoxes;
    int messageBoxAnswer = IDOK;
    std::vector<std::pair<DWORD_PTR, UINT>> helpCalls;
    int appCommands = 0;

    DECLARE_MESSAGE_MAP()
};

FrameTestApp& TheApp();

// Dispatches everything queued; a WM_QUIT is swallowed and counted.
void PumpPending();
int QuitMessagesSeen();
// Registers the single-document template (doc strings 266, frame resource 128) in a fresh
// document manager.
CSingleDocTemplate* InstallTemplate();
// Closes every document (and so the main frame) and drops the document manager.
void CloseEverything();

class TestDoc : public CDocument {
    DECLARE_DYNCREATE(TestDoc)

public:
    TestDoc();
    ~TestDoc() override;

    BOOL OnNewDocument() override;
    void Serialize(CArchive& ar) override;

    void OnDocCommand() { ++docCommands; }
    void OnUpdateDocCommand(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    void OnToolEnabled() {}
    void OnUpdateToolChecked(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(TRUE);
        pCmdUI->SetCheck(1);
    }

    static int liveCount;
    CString text;
    int newDocuments = 0;
    int docCommands = 0;

    DECLARE_MESSAGE_MAP()
};

class TestView : public CView {
    DECLARE_DYNCREATE(TestView)

public:
    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;

    TestDoc* GetDoc() const { return static_cast<TestDoc*>(GetDocument()); }
    void OnViewCommand() { ++viewCommands; }
    void OnSharedCommand() { ++sharedCommands; }

    int initialUpdates = 0;
    int viewCommands = 0;
    int sharedCommands = 0;

    DECLARE_MESSAGE_MAP()
};

class TestFrame : public CFrameWnd {
    DECLARE_DYNCREATE(TestFrame)

public:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnFrameCommand() { ++frameCommands; }
    void OnSharedCommand() { ++sharedCommands; }

    CToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;
    int frameCommands = 0;
    int sharedCommands = 0;

    DECLARE_MESSAGE_MAP()
};
