// The frame tests' application object, document, view and frame.
#include "tests/platform/framework/frame/FrameTestApp.h"

namespace {

FrameTestApp g_app;
int g_quitMessages = 0;

}  // namespace

BEGIN_MESSAGE_MAP(FrameTestApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND(ID_APP_COMMAND, OnAppCommand)
END_MESSAGE_MAP()

FrameTestApp& TheApp()
{
    static const bool initialised = [] {
        AfxWinInit(::GetModuleHandleW(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_SHOW);
        g_app.SetRegistryKey(L"Orvane Framework Tests");
        return true;
    }();
    (void)initialised;
    return g_app;
}

int FrameTestApp::DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT)
{
    messageBoxes.emplace_back(lpszPrompt != nullptr ? lpszPrompt : L"");
    return messageBoxAnswer;
}

void FrameTestApp::WinHelpInternal(DWORD_PTR dwData, UINT nCmd)
{
    helpCalls.emplace_back(dwData, nCmd);
}

void PumpPending()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ++g_quitMessages;
            continue;
        }
        // The pre-translation chain starts at the main window; without one it is skipped.
        if (TheApp().m_pMainWnd == nullptr || !AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

int QuitMessagesSeen()
{
    return g_quitMessages;
}

CSingleDocTemplate* InstallTemplate()
{
    FrameTestApp& app = TheApp();
    CloseEverything();
    auto* pTemplate = new CSingleDocTemplate(IDR_DOCSTRINGS, RUNTIME_CLASS(TestDoc),
                                             RUNTIME_CLASS(TestFrame), RUNTIME_CLASS(TestView));
    app.AddDocTemplate(pTemplate);
    // The doc strings were read under the first id; the frame loads its own resource.
    pTemplate->m_nIDResource = IDR_MAINFRAME;
    return pTemplate;
}

void CloseEverything()
{
    FrameTestApp& app = TheApp();
    AfxAppCloseAllDocuments(&app, FALSE);
    PumpPending();
    delete app.m_pDocManager;
    app.m_pDocManager = nullptr;
    app.m_pMainWnd = nullptr;
    app.m_nCmdShow = SW_SHOW;
    app.messageBoxes.clear();
    app.helpCalls.clear();
    app.messageBoxAnswer = IDOK;
}

// ---- document ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(TestDoc, CDocument)

BEGIN_MESSAGE_MAP(TestDoc, CDocument)
    ON_COMMAND(ID_DOC_COMMAND, OnDocCommand)
    ON_UPDATE_COMMAND_UI(ID_DOC_COMMAND, OnUpdateDocCommand)
    ON_COMMAND(ID_TOOL_ENABLED, OnToolEnabled)
    ON_UPDATE_COMMAND_UI(ID_TOOL_CHECKED, OnUpdateToolChecked)
END_MESSAGE_MAP()

int TestDoc::liveCount = 0;

TestDoc::TestDoc()
{
    ++liveCount;
}

TestDoc::~TestDoc()
{
    --liveCount;
}

BOOL TestDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument()) {
        return FALSE;
    }
    ++newDocuments;
    text.Empty();
    return TRUE;
}

void TestDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << text;
    } else {
        ar >> text;
    }
}

// ---- view -------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(TestView, CView)

BEGIN_MESSAGE_MAP(TestView, CView)
    ON_COMMAND(ID_VIEW_COMMAND, OnViewCommand)
    ON_COMMAND(ID_SHARED_COMMAND, OnSharedCommand)
END_MESSAGE_MAP()

void TestView::OnDraw(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    CString line = L"Document: ";
    if (TestDoc* pDoc = GetDoc()) {
        line += pDoc->GetTitle();
        if (!pDoc->text.IsEmpty()) {
            line += L" - " + pDoc->text;
        }
    }
    ::DrawTextW(pDC->m_hDC, line, line.GetLength(), &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TestView::OnInitialUpdate()
{
    ++initialUpdates;
    CView::OnInitialUpdate();
}

// ---- frame ------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(TestFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_FRAME_COMMAND, OnFrameCommand)
    ON_COMMAND(ID_SHARED_COMMAND, OnSharedCommand)
END_MESSAGE_MAP()

int TestFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1) {
        return -1;
    }
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT | TBSTYLE_TOOLTIPS,
                               WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME)) {
        return -1;
    }
    static const UINT indicators[] = {0, ID_TOOL_ENABLED};
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 2)) {
        return -1;
    }
    RecalcLayout();
    return 0;
}
