// The file dialog's hook model and results, the prompt's filter, form views made from a
// dialog template, and drop-target registration and dispatch.
#include "FrameTestApp.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr UINT kAutoClose = WM_APP + 40;

// Answers its own dialog: types a name into the frame's file-name field and presses OK
// (or Cancel).
class AutoFileDialog : public CFileDialog {
public:
    AutoFileDialog(LPCTSTR filter, const std::wstring& name, bool accept)
        : CFileDialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, filter),
          m_name(name),
          m_accept(accept)
    {
    }

    BOOL OnInitDialog() override
    {
        CFileDialog::OnInitDialog();
        wasChild = (GetStyle() & WS_CHILD) != 0;
        HWND hParent = ::GetParent(m_hWnd);
        wchar_t cls[64] = {};
        ::GetClassNameW(hParent, cls, 64);
        parentClass = cls;
        PostMessage(kAutoClose);
        return TRUE;
    }
    BOOL OnFileNameOK() override
    {
        ++fileNameChecks;
        pathWhileOpen = static_cast<LPCTSTR>(GetPathName());
        return FALSE;
    }
    LRESULT OnAutoClose(WPARAM, LPARAM)
    {
        HWND hFrame = ::GetParent(m_hWnd);
        ::SendMessageW(hFrame, CDM_SETCONTROLTEXT, 0x047C, reinterpret_cast<LPARAM>(m_name.c_str()));
        ::SendMessageW(hFrame, CDM_SETCONTROLTEXT, 0x0480, reinterpret_cast<LPARAM>(m_name.c_str()));
        ::PostMessageW(hFrame, WM_COMMAND, m_accept ? IDOK : IDCANCEL, 0);
        return 0;
    }

    bool wasChild = false;
    std::wstring parentClass;
    int fileNameChecks = 0;
    std::wstring pathWhileOpen;

private:
    std::wstring m_name;
    bool m_accept;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(AutoFileDialog, CFileDialog)
    ON_MESSAGE(kAutoClose, OnAutoClose)
END_MESSAGE_MAP()

std::wstring TempFile(const wchar_t* name)
{
    wchar_t dir[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, dir);
    std::wstring path = std::wstring(dir) + name;
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ::CloseHandle(h);
    return path;
}

TEST(FileDialogTest, HookChildDialogReturnsTheChosenPath)
{
    TheApp();
    const std::wstring path = TempFile(L"FrameTest-dialog.tst");
    AutoFileDialog dlg(L"Test Files (*.tst)|*.tst|All Files (*.*)|*.*||", path, true);
    dlg.m_ofn.nFilterIndex = 2;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(dlg.wasChild);
    EXPECT_EQ(dlg.parentClass, L"#32770");
    EXPECT_EQ(dlg.fileNameChecks, 1);
    EXPECT_EQ(std::wstring(dlg.GetPathName()).size(), path.size());
    EXPECT_EQ(CString(dlg.GetPathName()).CompareNoCase(path.c_str()), 0);
    EXPECT_EQ(std::wstring(dlg.GetFileName()), L"FrameTest-dialog.tst");
    EXPECT_EQ(std::wstring(dlg.GetFileExt()), L"tst");
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    ::DeleteFileW(path.c_str());
}

TEST(FileDialogTest, CancelReturnsCancel)
{
    TheApp();
    AutoFileDialog dlg(nullptr, L"whatever.tst", false);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.fileNameChecks, 0);
}

TEST(FileDialogTest, PromptFilterListsTheTemplatesAndAllFiles)
{
    InstallTemplate();
    CDocManager* manager = TheApp().m_pDocManager;
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(std::wstring(manager->BuildFilter(nullptr)),
              L"Test Files (*.tst)|*.tst|All Files (*.*)|*.*||");
    CloseEverything();
    CDocManager empty;
    EXPECT_EQ(std::wstring(empty.BuildFilter(nullptr)), L"All Files (*.*)|*.*||");
    EXPECT_EQ(empty.OpenDocumentFile(L"C:\\nothing.tst"), nullptr);
}

// ---- form view ----------------------------------------------------------------------------

class TestFormView : public CFormView {
    DECLARE_DYNCREATE(TestFormView)

public:
    TestFormView() : CFormView(IDD_TEST_FORM) {}
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_FORM_EDIT, value); }

    CString value = L"from the form";
};

IMPLEMENT_DYNCREATE(TestFormView, CFormView)

TEST(FormViewTest, FormComesFromTheTemplateAndExchangesData)
{
    CloseEverything();
    auto* doc = new TestDoc;
    const int live = TestDoc::liveCount;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(TestFormView);
    context.m_pCurrentDoc = doc;
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, &context));
    auto* view = dynamic_cast<TestFormView*>(AfxFindPermanentDescendant(frame->m_hWnd, AFX_IDW_PANE_FIRST));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetDocument(), doc);
    EXPECT_NE(view->GetStyle() & WS_CHILD, 0u);
    EXPECT_NE(view->GetDlgItem(IDC_FORM_EDIT), nullptr);
    const CSize total = view->GetTotalSize();
    EXPECT_GT(total.cx, 100);
    EXPECT_GT(total.cy, 30);
    frame->InitialUpdateFrame(doc, TRUE);
    EXPECT_EQ(frame->GetActiveView(), view);
    CString text;
    view->GetDlgItemText(IDC_FORM_EDIT, text);
    EXPECT_EQ(std::wstring(text), L"from the form");
    // The frame goes, its view with it, and the document with its last view.
    frame->DestroyWindow();
    PumpPending();
    EXPECT_EQ(TestDoc::liveCount, live - 1);
}

// ---- drop target --------------------------------------------------------------------------

class RecordingDropTarget : public COleDropTarget {
public:
    DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD keys, CPoint point) override
    {
        lastPoint = point;
        lastKeys = keys;
        ++overs;
        return answer;
    }
    void OnDragLeave(CWnd*) override { ++leaves; }
    BOOL OnDrop(CWnd*, COleDataObject*, DROPEFFECT effect, CPoint point) override
    {
        dropEffect = effect;
        lastPoint = point;
        ++drops;
        return TRUE;
    }

    DROPEFFECT answer = DROPEFFECT_COPY;
    CPoint lastPoint{-1, -1};
    DWORD lastKeys = 0;
    int overs = 0;
    int leaves = 0;
    int drops = 0;
    DROPEFFECT dropEffect = DROPEFFECT_NONE;
};

TEST(DropTargetTest, RegistersOnceAndDispatchesInClientCoordinates)
{
    TheApp();
    ASSERT_TRUE(AfxOleInit());
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), L"drop", WS_POPUP | WS_VISIBLE, 100, 100,
                             200, 150, nullptr, nullptr));
    RecordingDropTarget target;
    RecordingDropTarget second;
    ASSERT_TRUE(target.Register(&wnd));
    EXPECT_FALSE(target.Register(&wnd));   // already registered
    EXPECT_FALSE(second.Register(&wnd));   // the window has a target
    EXPECT_FALSE(second.Register(nullptr));

    IDropTarget* drop = target.GetDropTarget();
    POINT origin{0, 0};
    ::ClientToScreen(wnd.m_hWnd, &origin);
    const POINTL at{origin.x + 15, origin.y + 25};
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(drop->DragEnter(nullptr, MK_LBUTTON, at, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(target.lastPoint, CPoint(15, 25));
    EXPECT_EQ(target.lastKeys, static_cast<DWORD>(MK_LBUTTON));
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(drop->Drop(nullptr, 0, at, &effect), S_OK);
    EXPECT_EQ(target.drops, 1);
    EXPECT_EQ(target.dropEffect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));

    // An effect the source does not allow is no drop: the target hears a leave instead.
    target.answer = DROPEFFECT_LINK;
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(drop->DragOver(0, at, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(drop->Drop(nullptr, 0, at, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(target.drops, 1);
    EXPECT_EQ(target.leaves, 1);
    EXPECT_EQ(drop->DragOver(0, at, nullptr), E_INVALIDARG);

    target.Revoke();
    EXPECT_TRUE(second.Register(&wnd));
    second.Revoke();
    wnd.DestroyWindow();
}

}  // namespace
