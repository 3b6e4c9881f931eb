// The file prompt's filter, form views made from a dialog template, and drop-target
// registration and dispatch.
#include "tests/platform/framework/frame/FrameTestApp.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DocManagerTest, PromptFilterListsTheTemplatesAndAllFiles)
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
    auto* view = dynamic_cast<TestFormView*>(
        AfxFindPermanentDescendant(frame->m_hWnd, AFX_IDW_PANE_FIRST));
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

// ---- scroll view --------------------------------------------------------------------------

class TestScrollView : public CScrollView {
    DECLARE_DYNCREATE(TestScrollView)

public:
    void OnDraw(CDC*) override {}
};

IMPLEMENT_DYNCREATE(TestScrollView, CScrollView)

TEST(ScrollViewTest, BarsAppearOnlyWhenTheContentIsLarger)
{
    CloseEverything();
    auto* doc = new TestDoc;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(TestScrollView);
    context.m_pCurrentDoc = doc;
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"Scroll", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              CRect(30, 30, 330, 280), nullptr, nullptr, 0, &context));
    auto* view = dynamic_cast<TestScrollView*>(
        AfxFindPermanentDescendant(frame->m_hWnd, AFX_IDW_PANE_FIRST));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetDocument(), doc);

    view->SetScrollSizes(MM_TEXT, CSize(1000, 800), CSize(100, 80), CSize(10, 8));
    SCROLLINFO info{sizeof(info), SIF_ALL};
    ::GetScrollInfo(view->m_hWnd, SB_VERT, &info);
    EXPECT_EQ(info.nMax, 799);
    EXPECT_GT(info.nPage, 0u);
    view->SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 8));
    view->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 88));
    view->SendMessage(WM_HSCROLL, SB_BOTTOM);
    CRect client;
    view->GetClientRect(&client);
    EXPECT_EQ(view->GetScrollPosition().x, 1000 - client.Width());  // not past the end
    view->SendMessage(WM_VSCROLL, SB_TOP);
    EXPECT_EQ(view->GetScrollPosition().y, 0);

    // Content smaller than the window: no range, position back at the origin.
    view->SetScrollSizes(MM_TEXT, CSize(20, 20));
    ::GetScrollInfo(view->m_hWnd, SB_HORZ, &info);
    EXPECT_EQ(info.nMax, 0);
    EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 0));
    frame->DestroyWindow();
    PumpPending();
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
