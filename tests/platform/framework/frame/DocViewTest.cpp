// The single-document application end to end: File New through the template, command
// routing view -> document -> frame -> application, accelerators, menu update UI, help,
// titles, opening and saving files, and closing with unsaved changes.
#include "tests/platform/framework/frame/FrameTestApp.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class DocViewTest : public ::testing::Test {
protected:
    void SetUp() override { pTemplate = InstallTemplate(); }
    void TearDown() override { CloseEverything(); }

    TestFrame* NewDocument()
    {
        EXPECT_TRUE(TheApp().OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr));
        PumpPending();
        return dynamic_cast<TestFrame*>(TheApp().m_pMainWnd);
    }

    static std::wstring WindowText(HWND hWnd)
    {
        wchar_t text[256] = {};
        ::GetWindowTextW(hWnd, text, 256);
        return text;
    }

    static std::wstring TempPath(const wchar_t* name)
    {
        wchar_t dir[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, dir);
        return std::wstring(dir) + name;
    }

    CSingleDocTemplate* pTemplate = nullptr;
};

TEST_F(DocViewTest, FileNewMakesFrameViewAndDocumentFromTheTemplate)
{
    const int before = TestDoc::liveCount;
    TestFrame* frame = NewDocument();
    ASSERT_NE(frame, nullptr);
    auto* view = dynamic_cast<TestView*>(frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    auto* doc = dynamic_cast<TestDoc*>(frame->GetActiveDocument());
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(view->GetDocument(), doc);
    EXPECT_EQ(doc->GetDocTemplate(), pTemplate);
    EXPECT_EQ(view->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST));
    EXPECT_EQ(view->GetParentFrame(), frame);
    EXPECT_EQ(view->initialUpdates, 1);
    EXPECT_EQ(doc->newDocuments, 1);
    EXPECT_EQ(TestDoc::liveCount, before + 1);
    // Menu, accelerators and title come from the frame's resource id, the doc strings from
    // the template's first id.
    EXPECT_NE(::GetMenu(frame->m_hWnd), nullptr);
    EXPECT_NE(frame->m_hAccelTable, nullptr);
    EXPECT_EQ(frame->m_nIDHelp, static_cast<UINT>(IDR_MAINFRAME));
    EXPECT_EQ(std::wstring(doc->GetTitle()), L"Untitled");
    EXPECT_EQ(WindowText(frame->m_hWnd), L"Untitled - Frame Test");
    CString name;
    EXPECT_TRUE(pTemplate->GetDocString(name, CDocTemplate::filterName));
    EXPECT_EQ(std::wstring(name), L"Test Files (*.tst)");
    EXPECT_TRUE(frame->IsWindowVisible());
    EXPECT_EQ(TheApp().m_nCmdShow, -1);  // the start-up show state is used once
}

TEST_F(DocViewTest, SecondFileNewReusesTheDocumentAndFrame)
{
    TestFrame* frame = NewDocument();
    ASSERT_NE(frame, nullptr);
    auto* doc = static_cast<TestDoc*>(frame->GetActiveDocument());
    const int live = TestDoc::liveCount;
    EXPECT_EQ(NewDocument(), frame);
    EXPECT_EQ(frame->GetActiveDocument(), doc);
    EXPECT_EQ(doc->newDocuments, 2);
    EXPECT_EQ(TestDoc::liveCount, live);
}

TEST_F(DocViewTest, HiddenStartLeavesTheFrameHidden)
{
    TheApp().m_nCmdShow = SW_HIDE;
    TestFrame* frame = NewDocument();
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(frame->IsWindowVisible());
    EXPECT_NE(frame->GetActiveView(), nullptr);
}

TEST_F(DocViewTest, CommandsRouteViewDocumentFrameApplication)
{
    TestFrame* frame = NewDocument();
    ASSERT_NE(frame, nullptr);
    auto* view = static_cast<TestView*>(frame->GetActiveView());
    auto* doc = static_cast<TestDoc*>(frame->GetActiveDocument());
    const int appBefore = TheApp().appCommands;

    frame->SendMessage(WM_COMMAND, ID_DOC_COMMAND);
    frame->SendMessage(WM_COMMAND, ID_VIEW_COMMAND);
    frame->SendMessage(WM_COMMAND, ID_FRAME_COMMAND);
    frame->SendMessage(WM_COMMAND, ID_APP_COMMAND);
    frame->SendMessage(WM_COMMAND, ID_SHARED_COMMAND);

    EXPECT_EQ(doc->docCommands, 1);
    EXPECT_EQ(view->viewCommands, 1);
    EXPECT_EQ(frame->frameCommands, 1);
    EXPECT_EQ(TheApp().appCommands, appBefore + 1);
    // The view is asked before the frame.
    EXPECT_EQ(view->sharedCommands, 1);
    EXPECT_EQ(frame->sharedCommands, 0);
    EXPECT_FALSE(frame->OnCmdMsg(ID_TOOL_UNHANDLED, CN_COMMAND, nullptr, nullptr));
}

TEST_F(DocViewTest, AcceleratorsAreTranslatedForMessagesToTheView)
{
    TestFrame* frame = NewDocument();
    ASSERT_NE(frame, nullptr);
    auto* doc = static_cast<TestDoc*>(frame->GetActiveDocument());
    MSG msg{};
    msg.hwnd = frame->GetActiveView()->m_hWnd;
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_F5;
    msg.lParam = 1;
    EXPECT_TRUE(AfxPreTranslateMessage(&msg));
    EXPECT_EQ(doc->docCommands, 1);
    msg.wParam = 'Q';  // no accelerator
    EXPECT_FALSE(AfxPreTranslateMessage(&msg));
}

TEST_F(DocViewTest, MenuPopupIsUpdatedThroughTheRoute)
{
    TestFrame* frame = NewDocument();
    ASSERT_NE(frame, nullptr);
    HMENU hEdit = ::GetSubMenu(::GetMenu(frame->m_hWnd), 1);
    ASSERT_NE(hEdit, nullptr);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hEdit), MAKELONG(1, FALSE));
    struct Case {
        UINT id;
        bool checked;
        bool grayed;
    };
    const Case cases[] = {
        {ID_DOC_COMMAND, true, false},   // the document's update handler checks it
        {ID_VIEW_COMMAND, false, false},
        {ID_FRAME_COMMAND, false, false},
        {ID_TOOL_UNHANDLED, false, true},  // nobody handles it
    };
    for (const Case& c : cases) {
        const UINT state = ::GetMenuState(hEdit, c.id, MF_BYCOMMAND);
        EXPECT_EQ((state & MF_CHECKED) != 0, c.checked) << c.id;
        EXPECT_EQ((state & MF_GRAYED) != 0, c.grayed) << c.id;
    }
}

TEST_F(DocViewTest, HelpGoesToTheFramesResourceOrTheTrackedCommand)
{
    TestFrame* frame = NewDocument();
    ASSERT_NE(frame, nullptr);
    frame->m_nIDTracking = 0;
    frame->SendMessage(WM_COMMAND, ID_HELP);
    ASSERT_EQ(TheApp().helpCalls.size(), 1u);
    EXPECT_EQ(TheApp().helpCalls[0].first, HID_BASE_RESOURCE + IDR_MAINFRAME);
    EXPECT_EQ(TheApp().helpCalls[0].second, static_cast<UINT>(HELP_CONTEXT));

    // While a menu item is selected its command's help is meant, and the prompt shows.
    frame->SendMessage(WM_MENUSELECT, MAKELONG(ID_DOC_COMMAND, 0), 0);
    EXPECT_EQ(std::wstring(frame->m_wndStatusBar.GetPaneText(0)), L"Runs the document command");
    EXPECT_EQ(frame->SendMessage(WM_COMMANDHELP, 0, 0), TRUE);
    ASSERT_EQ(TheApp().helpCalls.size(), 2u);
    EXPECT_EQ(TheApp().helpCalls[1].first, HID_BASE_COMMAND + ID_DOC_COMMAND);

    // An explicit context wins.
    frame->SendMessage(WM_COMMANDHELP, 0, 0x12345);
    ASSERT_EQ(TheApp().helpCalls.size(), 3u);
    EXPECT_EQ(TheApp().helpCalls[2].first, 0x12345u);
}

TEST_F(DocViewTest, MessageStringsGoToTheStatusBar)
{
    TestFrame* frame = NewDocument();
    ASSERT_NE(frame, nullptr);
    frame->SetMessageText(L"Working");
    EXPECT_EQ(std::wstring(frame->m_wndStatusBar.GetPaneText(0)), L"Working");
    const LRESULT previous = frame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    EXPECT_EQ(previous, 0);
    EXPECT_EQ(std::wstring(frame->m_wndStatusBar.GetPaneText(0)), L"Ready");
    EXPECT_EQ(frame->SendMessage(WM_SETMESSAGESTRING, ID_DOC_COMMAND),
              static_cast<LRESULT>(AFX_IDS_IDLEMESSAGE));
}

TEST_F(DocViewTest, TitlePrefixAndPlainForms)
{
    TestFrame* frame = NewDocument();
    ASSERT_NE(frame, nullptr);
    CDocument* doc = frame->GetActiveDocument();
    doc->SetTitle(L"Talk");
    EXPECT_EQ(WindowText(frame->m_hWnd), L"Talk - Frame Test");
    frame->ModifyStyle(FWS_PREFIXTITLE, 0);
    frame->OnUpdateFrameTitle(TRUE);
    EXPECT_EQ(WindowText(frame->m_hWnd), L"Frame Test - Talk");
    frame->ModifyStyle(FWS_ADDTOTITLE, 0);
    doc->SetTitle(L"Other");
    EXPECT_EQ(WindowText(frame->m_hWnd), L"Frame Test - Talk");  // no longer follows
}

TEST_F(DocViewTest, SaveThenOpenDocumentFileReadsItBack)
{
    TheApp().LoadStdProfileSettings(4);
    TestFrame* frame = NewDocument();
    ASSERT_NE(frame, nullptr);
    auto* doc = static_cast<TestDoc*>(frame->GetActiveDocument());
    const std::wstring path = TempPath(L"FrameTest-open.tst");
    doc->text = L"hello";
    ASSERT_TRUE(doc->DoSave(path.c_str()));
    EXPECT_FALSE(doc->IsModified());

    NewDocument();
    EXPECT_TRUE(doc->text.IsEmpty());
    CDocument* opened = TheApp().OpenDocumentFile(path.c_str());
    ASSERT_EQ(opened, doc);
    EXPECT_EQ(std::wstring(doc->text), L"hello");
    EXPECT_EQ(std::wstring(doc->GetPathName()).size(), path.size());
    EXPECT_EQ(std::wstring(doc->GetPathName()).substr(path.size() - 18), L"FrameTest-open.tst");
    EXPECT_EQ(WindowText(frame->m_hWnd).find(L"FrameTest-open"), 0u);
    EXPECT_EQ(TheApp().m_pRecentFileList->operator[](0).CompareNoCase(doc->GetPathName()), 0);
    // The list reaches the registry at exit and comes back.
    TheApp().WriteProfileString(L"Recent File List", nullptr, nullptr);
    TheApp().ExitInstance();
    EXPECT_EQ(TheApp().GetProfileString(L"Recent File List", L"File1").CompareNoCase(
                  doc->GetPathName()),
              0);
    CRecentFileList reread(0, L"Recent File List", L"File%d", 4);
    reread.ReadList();
    EXPECT_EQ(reread[0].CompareNoCase(doc->GetPathName()), 0);
    ::DeleteFileW(path.c_str());
}

TEST_F(DocViewTest, OpeningAMissingFileKeepsTheDocumentAndReports)
{
    TheApp().LoadStdProfileSettings(4);
    const CString before = TheApp().m_pRecentFileList->operator[](0);
    TestFrame* frame = NewDocument();
    ASSERT_NE(frame, nullptr);
    auto* doc = static_cast<TestDoc*>(frame->GetActiveDocument());
    doc->text = L"kept";
    const std::wstring path = TempPath(L"FrameTest-missing.tst");
    ::DeleteFileW(path.c_str());
    EXPECT_EQ(TheApp().OpenDocumentFile(path.c_str()), nullptr);
    EXPECT_EQ(TheApp().messageBoxes.size(), 1u);
    EXPECT_EQ(std::wstring(doc->text), L"kept");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(TheApp().m_pRecentFileList->operator[](0), before);
    EXPECT_EQ(TheApp().OpenDocumentFile(L""), nullptr);
}

TEST_F(DocViewTest, AFileThatFailsHalfWayLeavesANewDocument)
{
    TestFrame* frame = NewDocument();
    ASSERT_NE(frame, nullptr);
    auto* doc = static_cast<TestDoc*>(frame->GetActiveDocument());
    doc->text = L"old";
    doc->SetTitle(L"Old title");
    const std::wstring path = TempPath(L"FrameTest-broken.tst");
    // A string header announcing more characters than the file holds.
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    const unsigned char bytes[] = {0xFF, 0xFE, 0xFF, 0x40, 'a', 0};
    DWORD written = 0;
    ::WriteFile(h, bytes, sizeof(bytes), &written, nullptr);
    ::CloseHandle(h);
    EXPECT_EQ(TheApp().OpenDocumentFile(path.c_str()), nullptr);
    EXPECT_EQ(TheApp().messageBoxes.size(), 1u);
    EXPECT_EQ(frame->GetActiveDocument(), doc);
    EXPECT_TRUE(doc->text.IsEmpty());
    EXPECT_EQ(std::wstring(doc->GetTitle()), L"Untitled");
    EXPECT_TRUE(doc->GetPathName().IsEmpty());
    ::DeleteFileW(path.c_str());
}

TEST_F(DocViewTest, ClosingWithUnsavedChangesAsksAndCanBeCancelled)
{
    TestFrame* frame = NewDocument();
    ASSERT_NE(frame, nullptr);
    HWND hWnd = frame->m_hWnd;
    CDocument* doc = frame->GetActiveDocument();
    doc->SetModifiedFlag(TRUE);
    const int live = TestDoc::liveCount;
    const int quits = QuitMessagesSeen();

    TheApp().messageBoxAnswer = IDCANCEL;
    frame->SendMessage(WM_CLOSE);
    ASSERT_EQ(TheApp().messageBoxes.size(), 1u);
    EXPECT_NE(TheApp().messageBoxes[0].find(L"Untitled"), std::wstring::npos);
    EXPECT_TRUE(::IsWindow(hWnd));
    EXPECT_EQ(TestDoc::liveCount, live);

    TheApp().messageBoxAnswer = IDNO;
    ::SendMessageW(hWnd, WM_CLOSE, 0, 0);
    PumpPending();
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(TestDoc::liveCount, live - 1);
    EXPECT_EQ(TheApp().m_pMainWnd, nullptr);
    EXPECT_EQ(QuitMessagesSeen(), quits + 1);  // the main window's end ends the program
}

TEST_F(DocViewTest, PreviewModeLeavesTheFrameUsable)
{
    TestFrame* frame = NewDocument();
    ASSERT_NE(frame, nullptr);
    CView* view = frame->GetActiveView();
    CPrintPreviewState state;
    frame->OnSetPreviewMode(TRUE, &state);
    frame->OnSetPreviewMode(FALSE, &state);
    TheApp().OnIdle(0);
    EXPECT_EQ(frame->GetActiveView(), view);
    EXPECT_TRUE(view->IsWindowVisible());
    EXPECT_NE(::GetMenu(frame->m_hWnd), nullptr);
    frame->SendMessage(WM_COMMAND, ID_FRAME_COMMAND);
    EXPECT_EQ(frame->frameCommands, 1);
}

TEST_F(DocViewTest, UnchangedDocumentClosesWithoutAsking)
{
    TestFrame* frame = NewDocument();
    ASSERT_NE(frame, nullptr);
    HWND hWnd = frame->m_hWnd;
    const int live = TestDoc::liveCount;
    TheApp().messageBoxAnswer = IDCANCEL;  // would keep it open if asked
    frame->SendMessage(WM_COMMAND, ID_APP_EXIT);
    PumpPending();
    EXPECT_TRUE(TheApp().messageBoxes.empty());
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(TestDoc::liveCount, live - 1);
    // The application reaches the document side through the hooks it was given.
    EXPECT_NE(AfxGetModuleState()->m_pfnOpenDocumentFile, nullptr);
    EXPECT_EQ(TheApp().OpenDocumentFile(L""), nullptr);
}

TEST_F(DocViewTest, RecentFilesExpandInTheFileMenuAndOpen)
{
    TheApp().LoadStdProfileSettings(4);
    CRecentFileList& list = *TheApp().m_pRecentFileList;
    for (int i = list.GetSize() - 1; i >= 0; --i) {
        list.Remove(i);
    }
    TestFrame* frame = NewDocument();
    ASSERT_NE(frame, nullptr);
    HMENU hFile = ::GetSubMenu(::GetMenu(frame->m_hWnd), 0);
    const int baseCount = ::GetMenuItemCount(hFile);

    // Empty list: the placeholder stays, disabled.
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hFile), 0);
    EXPECT_EQ(::GetMenuItemCount(hFile), baseCount);
    EXPECT_NE(::GetMenuState(hFile, ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED, 0u);

    auto* doc = static_cast<TestDoc*>(frame->GetActiveDocument());
    const std::wstring first = TempPath(L"FrameTest-one.tst");
    const std::wstring second = TempPath(L"FrameTest-two.tst");
    doc->text = L"one";
    ASSERT_TRUE(doc->DoSave(first.c_str()));
    doc->text = L"two";
    ASSERT_TRUE(doc->DoSave(second.c_str()));

    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hFile), 0);
    EXPECT_EQ(::GetMenuItemCount(hFile), baseCount + 1);
    wchar_t text[256] = {};
    ::GetMenuStringW(hFile, ID_FILE_MRU_FILE1, text, 256, MF_BYCOMMAND);
    EXPECT_EQ(std::wstring(text).substr(0, 3), L"&1 ");
    EXPECT_NE(std::wstring(text).find(L"FrameTest-two.tst"), std::wstring::npos);
    ::GetMenuStringW(hFile, ID_FILE_MRU_FILE1 + 1, text, 256, MF_BYCOMMAND);
    EXPECT_NE(std::wstring(text).find(L"FrameTest-one.tst"), std::wstring::npos);
    EXPECT_EQ(::GetMenuState(hFile, ID_FILE_MRU_FILE1 + 1, MF_BYCOMMAND) & MF_GRAYED, 0u);

    // Choosing the second entry opens it and moves it to the front.
    frame->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1 + 1);
    EXPECT_EQ(std::wstring(doc->text), L"one");
    EXPECT_NE(std::wstring(list[0]).find(L"FrameTest-one.tst"), std::wstring::npos);

    // An entry whose file is gone leaves the list when chosen.
    ::DeleteFileW(second.c_str());
    frame->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1 + 1);
    EXPECT_EQ(list[1], CString());
    ::DeleteFileW(first.c_str());
}

}  // namespace
