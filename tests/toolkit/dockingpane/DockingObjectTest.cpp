// The docking objects without windows: trees of splitters, panes and the client in a user
// layout; what the root and the containers answer, pane titles and colours, copies, size
// limits, saved keys (holders, schema gates, refused numbers) and accessibility answers.
#include "toolkit/common/CUTKPropExchangeArchive.h"
#include "toolkit/dockingpane/CUTKDockingPane.h"
#include "toolkit/dockingpane/CUTKDockingPaneClientContainer.h"
#include "toolkit/dockingpane/CUTKDockingPaneLayout.h"
#include "toolkit/dockingpane/CUTKDockingPaneManager.h"
#include "toolkit/dockingpane/CUTKDockingPaneSplitterContainer.h"

#include "platform/framework/CArchive.h"
#include "platform/framework/CMemFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

class DockingObjects : public testing::Test {
protected:
    void SetUp() override
    {
        m_manager = std::make_unique<CUTKDockingPaneManager>();
        m_layout = std::make_unique<CUTKDockingPaneLayout>(m_manager.get());
    }
    void TearDown() override
    {
        m_layout.reset();
        m_manager.reset();
    }

    CUTKDockingPane* NewPane(int id, CSize docking = CSize(0, 0))
    {
        auto* pane = static_cast<CUTKDockingPane*>(
            m_manager->CreatePaneObject(dockingPaneTypePane, m_layout.get()));
        pane->SetID(id);
        pane->m_szDocking = docking;
        return pane;
    }
    CUTKDockingPaneSplitterContainer* NewSplitter(BOOL horizontal)
    {
        auto* splitter = static_cast<CUTKDockingPaneSplitterContainer*>(
            static_cast<CUTKDockingPaneBaseContainer*>(
                m_manager->CreatePaneObject(dockingPaneTypeSplitterContainer, m_layout.get())));
        splitter->SetHorizontal(horizontal);
        return splitter;
    }
    CUTKDockingPaneSplitterContainer* Top() { return m_layout->GetTopContainer(); }
    CUTKDockingPaneBase* Client() { return m_layout->GetClientContainer(); }

    std::unique_ptr<CUTKDockingPaneManager> m_manager;
    std::unique_ptr<CUTKDockingPaneLayout> m_layout;
};

// ---- root and containers ----

TEST_F(DockingObjects, ClosedPaneHasNoSiteAndIsNeverHidden)
{
    CUTKDockingPane* pane = NewPane(4000);
    EXPECT_TRUE(pane->IsClosed());
    EXPECT_EQ(nullptr, pane->GetDockingSite());
    EXPECT_FALSE(pane->IsHidden());
    EXPECT_FALSE(pane->IsEmpty());
}

TEST_F(DockingObjects, ConstructionRegistersInTheLayoutWithDefaults)
{
    const INT_PTR before = m_layout->GetPaneObjects().GetCount();
    CUTKDockingPane* pane = NewPane(4000);
    EXPECT_EQ(before + 1, m_layout->GetPaneObjects().GetCount());
    EXPECT_EQ(pane, m_layout->GetPaneObjects().GetTail());
    EXPECT_EQ(CSize(0, 0), pane->m_szDocking);
    EXPECT_TRUE(pane->GetPaneWindowRect().IsRectNull());
    EXPECT_EQ(0, pane->m_nLength);
    EXPECT_EQ(0, pane->m_nIndex);
    EXPECT_EQ(nullptr, pane->m_pCaptionButtons);
    EXPECT_EQ(m_manager.get(), pane->GetDockingPaneManager());
    EXPECT_EQ(m_manager->GetPaintManager(), pane->GetPaintManager());
}

TEST_F(DockingObjects, ContainPaneAnswersForItselfAndAnythingBelow)
{
    // top [ inner [ a ], client ]   other [ b ]
    CUTKDockingPaneSplitterContainer* inner = NewSplitter(FALSE);
    CUTKDockingPaneSplitterContainer* other = NewSplitter(FALSE);
    CUTKDockingPane* a = NewPane(1);
    CUTKDockingPane* b = NewPane(2);
    inner->InsertPane(a);
    other->InsertPane(b);
    Top()->InsertPane(inner, Client(), FALSE);

    EXPECT_NE(nullptr, Top()->ContainPane(Top()));
    EXPECT_NE(nullptr, Top()->ContainPane(a));
    EXPECT_NE(nullptr, Top()->ContainPane(Client()));
    // The answer is the list position of the child that holds it.
    EXPECT_EQ(Top()->GetHeadPosition(), Top()->ContainPane(a));
    EXPECT_EQ(nullptr, Top()->ContainPane(b));
    EXPECT_EQ(nullptr, inner->ContainPane(Client()));
    EXPECT_EQ(nullptr, a->ContainPane(b));
    EXPECT_NE(nullptr, a->ContainPane(a));
}

TEST_F(DockingObjects, CollectPanesSkipsEmptyContainers)
{
    CUTKDockingPaneSplitterContainer* outer = NewSplitter(TRUE);
    CUTKDockingPaneSplitterContainer* empty1 = NewSplitter(FALSE);
    CUTKDockingPaneSplitterContainer* empty2 = NewSplitter(FALSE);
    outer->InsertPane(empty1);
    outer->InsertPane(empty2);
    EXPECT_TRUE(outer->IsEmpty());

    CUTKDockingPaneBaseList found;
    outer->CollectPanes(dockingPaneTypeSplitterContainer, &found);
    EXPECT_EQ(0, found.GetCount());

    CUTKDockingPane* pane = NewPane(7);
    empty2->InsertPane(pane);
    outer->CollectPanes(dockingPaneTypeSplitterContainer, &found);
    ASSERT_EQ(2, found.GetCount());
    EXPECT_EQ(outer, found.GetHead());
    EXPECT_EQ(empty2, found.GetTail());

    CUTKDockingPaneBaseList panes;
    outer->CollectPanes(dockingPaneTypePane, &panes);
    ASSERT_EQ(1, panes.GetCount());
    EXPECT_EQ(pane, panes.GetHead());
}

TEST_F(DockingObjects, ClientReportsItsMinimumOnlyWhileShown)
{
    MINMAXINFO info;
    Client()->GetMinMaxInfo(&info);
    EXPECT_EQ(60, info.ptMinTrackSize.x);
    EXPECT_EQ(60, info.ptMinTrackSize.y);
    EXPECT_EQ(32000, info.ptMaxTrackSize.x);
    EXPECT_EQ(32000, info.ptMaxTrackSize.y);
    EXPECT_FALSE(Client()->IsEmpty());

    m_manager->m_bHideClient = TRUE;
    Client()->GetMinMaxInfo(&info);
    EXPECT_EQ(0, info.ptMinTrackSize.x);
    EXPECT_EQ(0, info.ptMinTrackSize.y);
    EXPECT_EQ(32000, info.ptMaxTrackSize.x);
    EXPECT_TRUE(Client()->IsEmpty());
    // The top holds only the client: it is empty too.
    EXPECT_TRUE(Top()->IsEmpty());
}

TEST_F(DockingObjects, EveryObjectStartsWithTheLargestMaximum)
{
    std::vector<CUTKDockingPaneBase*> objects{NewPane(1), NewSplitter(TRUE), Client()};
    for (CUTKDockingPaneBase* object : objects) {
        MINMAXINFO info;
        object->GetMinMaxInfo(&info);
        EXPECT_EQ(32000, info.ptMaxTrackSize.x) << object->GetType();
        EXPECT_EQ(32000, info.ptMaxTrackSize.y) << object->GetType();
    }
}

TEST_F(DockingObjects, SplitterLimitsAddAlongAndNarrowAcross)
{
    CUTKDockingPaneSplitterContainer* splitter = NewSplitter(TRUE);
    CUTKDockingPane* a = NewPane(1);
    CUTKDockingPane* b = NewPane(2);
    a->m_ptMinTrackSize = CPoint(50, 30);
    a->m_ptMaxTrackSize = CPoint(400, 500);
    b->m_ptMinTrackSize = CPoint(70, 40);
    b->m_ptMaxTrackSize = CPoint(300, 450);
    splitter->InsertPane(a);
    splitter->InsertPane(b);
    MINMAXINFO info;
    splitter->GetMinMaxInfo(&info);
    EXPECT_EQ(50 + 70 + 4, info.ptMinTrackSize.x);
    EXPECT_EQ(400 + 300 + 4, info.ptMaxTrackSize.x);
    EXPECT_EQ(40, info.ptMinTrackSize.y);
    EXPECT_EQ(450, info.ptMaxTrackSize.y);
}

TEST_F(DockingObjects, InsertAndRemoveKeepOrderAndParents)
{
    CUTKDockingPaneSplitterContainer* s = NewSplitter(TRUE);
    CUTKDockingPane* a = NewPane(1);
    CUTKDockingPane* b = NewPane(2);
    CUTKDockingPane* c = NewPane(3);
    s->InsertPane(b);
    s->InsertPane(a, b, FALSE);
    s->InsertPane(c, b, TRUE);
    std::vector<CUTKDockingPaneBase*> order;
    for (POSITION pos = s->GetHeadPosition(); pos;) {
        order.push_back(s->GetNext(pos));
    }
    EXPECT_EQ((std::vector<CUTKDockingPaneBase*>{a, b, c}), order);
    EXPECT_EQ(s, a->GetContainer());
    EXPECT_EQ(a, s->GetFirstPane());
    EXPECT_EQ(c, s->GetLastPane());

    s->RemovePane(b);
    EXPECT_EQ(nullptr, b->GetContainer());
    EXPECT_EQ(2, s->GetPaneCount());
    // Removing a child never deletes it: it is still the layout's.
    EXPECT_NE(nullptr, m_layout->GetPaneObjects().Find(b));
}

TEST_F(DockingObjects, EmptiedContainerLeavesItsParent)
{
    CUTKDockingPaneSplitterContainer* inner = NewSplitter(FALSE);
    CUTKDockingPane* a = NewPane(1);
    inner->InsertPane(a);
    Top()->InsertPane(inner);
    ASSERT_EQ(Top(), inner->GetContainer());
    inner->RemovePane(a);
    EXPECT_EQ(nullptr, inner->GetContainer());
    EXPECT_EQ(nullptr, Top()->ContainPane(inner));
    EXPECT_EQ(1, Top()->GetPaneCount());
}

TEST_F(DockingObjects, ReplacePaneTakesTheOldPlace)
{
    CUTKDockingPaneSplitterContainer* s = NewSplitter(TRUE);
    CUTKDockingPane* a = NewPane(1);
    CUTKDockingPane* b = NewPane(2);
    CUTKDockingPane* c = NewPane(3);
    s->InsertPane(a);
    s->InsertPane(b);
    s->ReplacePane(a, c);
    EXPECT_EQ(c, s->GetFirstPane());
    EXPECT_EQ(b, s->GetLastPane());
    EXPECT_EQ(s, c->GetContainer());
}

// ---- layout pass and child rectangles ----

// One layout pass as the frame runs it (a deferred-position batch, not a size query); answers
// the rectangle left for the frame's view.
CRect RunLayout(CUTKDockingPaneBase* object, CRect rect)
{
    AFX_SIZEPARENTPARAMS params = {};
    params.hDWP = ::BeginDeferWindowPos(4);
    params.rect = rect;
    object->OnSizeParent(nullptr, rect, &params);
    ::EndDeferWindowPos(params.hDWP);
    return CRect(params.rect);
}

TEST_F(DockingObjects, LayoutPassBesideTheClient)
{
    CUTKDockingPane* left = NewPane(1, CSize(100, 0));
    CUTKDockingPane* right = NewPane(2, CSize(300, 0));
    Top()->InsertPane(left, Client(), FALSE);
    Top()->InsertPane(right, Client(), TRUE);

    const CRect view = RunLayout(Top(), CRect(0, 0, 800, 600));
    EXPECT_EQ(CRect(0, 0, 100, 600), left->GetPaneWindowRect());
    EXPECT_EQ(CRect(104, 0, 496, 600), Client()->GetPaneWindowRect());
    EXPECT_EQ(CRect(500, 0, 800, 600), right->GetPaneWindowRect());
    // The client's share is its docking size now, and where the frame puts its view.
    EXPECT_EQ(392, Client()->m_szDocking.cx);
    EXPECT_EQ(CRect(104, 0, 496, 600), view);

    CUTKDockingPaneBaseList children;
    children.AddTail(left);
    children.AddTail(Client());
    children.AddTail(right);
    EXPECT_EQ(CRect(104, 10, 496, 90), CUTKDockingPaneSplitterContainer::GetChildRect(
                                            children, TRUE, CRect(0, 10, 800, 90), Client()));
}

TEST_F(DockingObjects, SizeQueryMovesNoPane)
{
    CUTKDockingPane* left = NewPane(1, CSize(100, 0));
    Top()->InsertPane(left, Client(), FALSE);
    AFX_SIZEPARENTPARAMS query = {};
    Top()->OnSizeParent(nullptr, CRect(0, 0, 800, 600), &query);
    EXPECT_TRUE(left->GetPaneWindowRect().IsRectNull());
    EXPECT_EQ(CRect(104, 0, 800, 600), CRect(query.rect));
}

TEST_F(DockingObjects, LayoutPassWithoutTheClient)
{
    CUTKDockingPaneSplitterContainer* s = NewSplitter(TRUE);
    CUTKDockingPane* a = NewPane(1, CSize(100, 0));
    CUTKDockingPane* b = NewPane(2, CSize(300, 0));
    s->InsertPane(a);
    s->InsertPane(b);
    RunLayout(s, CRect(0, 0, 800, 50));
    EXPECT_EQ(199, a->GetPaneWindowRect().Width());
    EXPECT_EQ(597, b->GetPaneWindowRect().Width());
    EXPECT_EQ(800, b->GetPaneWindowRect().right);
}

TEST_F(DockingObjects, HiddenClientGetsNothingAndThePanesFillTheFrame)
{
    CUTKDockingPane* left = NewPane(1, CSize(100, 0));
    Top()->InsertPane(left, Client(), FALSE);
    m_manager->m_bHideClient = TRUE;
    const CRect view = RunLayout(Top(), CRect(0, 0, 800, 600));
    EXPECT_TRUE(Client()->GetPaneWindowRect().IsRectEmpty());
    EXPECT_TRUE(view.IsRectEmpty());
    EXPECT_EQ(CRect(0, 0, 800, 600), left->GetPaneWindowRect());
}

TEST_F(DockingObjects, SyncDockingSizesTakesWhatIsOnScreen)
{
    CUTKDockingPaneSplitterContainer* s = NewSplitter(FALSE);
    CUTKDockingPane* a = NewPane(1, CSize(10, 100));
    CUTKDockingPane* b = NewPane(2, CSize(10, 100));
    s->InsertPane(a);
    s->InsertPane(b);
    RunLayout(s, CRect(0, 0, 300, 404));
    s->SyncDockingSizes();
    EXPECT_EQ(200, a->m_szDocking.cy);
    EXPECT_EQ(200, b->m_szDocking.cy);
    EXPECT_EQ(10, a->m_szDocking.cx);
    EXPECT_EQ(404, s->m_szDocking.cy);
}

// ---- copies ----

TEST_F(DockingObjects, CloneCopiesTheTreeAndRecordsEveryPair)
{
    CUTKDockingPane* left = NewPane(1, CSize(100, 80));
    left->SetTitle(L"Bookmarks");
    Top()->InsertPane(left, Client(), FALSE);
    Top()->m_szDocking = CSize(640, 480);

    CUTKDockingPaneLayout target(m_manager.get());
    CUTKDockingPaneCloneMap map;
    CUTKDockingPaneBase* copy = Top()->Clone(&target, &map, 0);
    ASSERT_NE(nullptr, copy);
    ASSERT_EQ(dockingPaneTypeSplitterContainer, copy->GetType());
    EXPECT_EQ(&target, copy->GetLayout());
    auto* splitter = static_cast<CUTKDockingPaneSplitterContainer*>(
        static_cast<CUTKDockingPaneBaseContainer*>(copy));
    EXPECT_TRUE(splitter->IsHorizontal());
    EXPECT_EQ(CSize(640, 480), splitter->m_szDocking);
    ASSERT_EQ(2, splitter->GetPaneCount());

    CUTKDockingPaneBase* copiedPane = nullptr;
    ASSERT_TRUE(map.Lookup(left, copiedPane));
    EXPECT_EQ(splitter->GetFirstPane(), copiedPane);
    EXPECT_EQ(L"Bookmarks", static_cast<CUTKDockingPane*>(copiedPane)->GetTitle());
    EXPECT_EQ(CSize(100, 80), copiedPane->m_szDocking);
    CUTKDockingPaneBase* copiedClient = nullptr;
    ASSERT_TRUE(map.Lookup(Client(), copiedClient));
    EXPECT_EQ(dockingPaneTypeClientContainer, copiedClient->GetType());
    EXPECT_EQ(splitter, copiedClient->GetContainer());
    CUTKDockingPaneBase* copiedTop = nullptr;
    EXPECT_TRUE(map.Lookup(Top(), copiedTop));
    EXPECT_EQ(copy, copiedTop);
}

TEST_F(DockingObjects, CopyWithoutMapLeavesEmptyChildrenOut)
{
    CUTKDockingPaneSplitterContainer* empty = NewSplitter(FALSE);
    Top()->InsertPane(empty);
    ASSERT_EQ(2, Top()->GetPaneCount());
    CUTKDockingPaneLayout target(m_manager.get());
    CUTKDockingPaneBase* copy = Top()->Clone(&target, nullptr, 0);
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(1, static_cast<CUTKDockingPaneBaseContainer*>(
                     static_cast<CUTKDockingPaneSplitterContainer*>(
                         static_cast<CUTKDockingPaneBaseContainer*>(copy)))
                     ->GetPaneCount());
}

TEST_F(DockingObjects, PaneCopyKeepsItsOwnTabColour)
{
    CUTKDockingPane* source = NewPane(4001);
    source->SetTitle(L"Level\nVolume");
    source->SetTitleToolTip(L"tip");
    source->SetItemColor(RGB(1, 2, 3));
    source->m_nHelpId = 77;
    source->SetOptions(0x0F);
    source->m_dwData = 5;
    source->SetIconID(12);
    source->SetEnabled(PaneEnabled);
    source->m_ptMinTrackSize = CPoint(10, 20);
    source->m_ptMaxTrackSize = CPoint(300, 400);
    source->m_szDocking = CSize(200, 120);
    source->m_hwndChild = ::GetDesktopWindow();

    CUTKDockingPane* copy = NewPane(0);
    copy->Copy(source);
    EXPECT_EQ(4001, copy->GetID());
    EXPECT_EQ(L"Level", copy->GetTitle());
    EXPECT_EQ(L"Volume", copy->GetTabCaption());
    EXPECT_EQ(L"tip", copy->GetTitleToolTip());
    EXPECT_EQ(0x0Fu, copy->m_dwOptions);
    EXPECT_EQ(5u, copy->m_dwData);
    EXPECT_EQ(12, copy->GetIconID());
    EXPECT_EQ(static_cast<DWORD>(PaneEnabled), copy->GetEnabled());
    EXPECT_EQ(CPoint(10, 20), copy->m_ptMinTrackSize);
    EXPECT_EQ(CPoint(300, 400), copy->m_ptMaxTrackSize);
    EXPECT_EQ(CSize(200, 120), copy->m_szDocking);
    EXPECT_EQ(nullptr, copy->GetHandle());
    EXPECT_EQ(static_cast<COLORREF>(-1), copy->m_clrItemTab);
    EXPECT_EQ(0u, copy->m_nHelpId);
    source->m_hwndChild = nullptr;
}

// ---- pane ----

TEST_F(DockingObjects, SetTitleSplitsAtTheNewline)
{
    CUTKDockingPane* pane = NewPane(1);
    pane->SetTitle(L"Bookmarks\nMarks");
    EXPECT_EQ(L"Bookmarks", pane->GetTitle());
    EXPECT_EQ(L"Marks", pane->GetTabCaption());
    pane->SetTitle(L"Chapters");
    EXPECT_EQ(L"Chapters", pane->GetTitle());
    EXPECT_EQ(L"Marks", pane->GetTabCaption());
    pane->SetTitle(L"A\nB\nC");
    EXPECT_EQ(L"A", pane->GetTitle());
    EXPECT_EQ(L"B", pane->GetTabCaption());
    pane->SetTitle(L"");
    EXPECT_EQ(L"", pane->GetTitle());
}

TEST_F(DockingObjects, TabCaptionFallsBackToTheTitle)
{
    CUTKDockingPane* pane = NewPane(1);
    pane->SetTitle(L"Volume");
    EXPECT_EQ(L"Volume", pane->GetTabCaption());
}

struct ColorCase {
    int id;
    COLORREF color;
    COLORREF expected;
};

class DockingPaneColors : public DockingObjects,
                          public testing::WithParamInterface<ColorCase> {};

TEST_P(DockingPaneColors, ItemColor)
{
    CUTKDockingPane* pane = NewPane(1);
    pane->m_nID = GetParam().id;
    pane->SetItemColor(GetParam().color);
    EXPECT_EQ(GetParam().expected, pane->GetItemColor());
}

INSTANTIATE_TEST_SUITE_P(
    Table, DockingPaneColors,
    testing::Values(ColorCase{4000, static_cast<COLORREF>(-1), 0x1000000},
                    ColorCase{4001, static_cast<COLORREF>(-1), 0x1000001},
                    ColorCase{4002, static_cast<COLORREF>(-1), 0x1000002},
                    ColorCase{15, static_cast<COLORREF>(-1), 0x1000007},
                    // A negative id falls below the automatic colours: a plain colour.
                    ColorCase{-3, static_cast<COLORREF>(-1), 0xFFFFFD},
                    ColorCase{4001, RGB(10, 20, 30), RGB(10, 20, 30)}));

LRESULT CALLBACK TabColorWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DOCKINGPANE_GETTABCOLOR) {
        return static_cast<LRESULT>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(DockingObjects, AttachedWindowMayAnswerTheTabColour)
{
    WNDCLASSW cls = {};
    cls.lpfnWndProc = TabColorWndProc;
    cls.hInstance = ::GetModuleHandleW(nullptr);
    cls.lpszClassName = L"DockingObjectTestColor";
    ::RegisterClassW(&cls);
    const HWND window = ::CreateWindowW(L"DockingObjectTestColor", L"", 0, 0, 0, 10, 10,
                                        HWND_MESSAGE, nullptr, cls.hInstance, nullptr);
    ASSERT_NE(nullptr, window);
    CUTKDockingPane* pane = NewPane(4001);
    pane->m_hwndChild = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, RGB(9, 8, 7));
    EXPECT_EQ(RGB(9, 8, 7), pane->GetItemColor());
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    EXPECT_EQ(0x1000001u, pane->GetItemColor());
    pane->m_hwndChild = nullptr;
    ::DestroyWindow(window);
}

TEST_F(DockingObjects, OptionsIncludeTheManagerDefaults)
{
    CUTKDockingPane* pane = NewPane(1);
    pane->SetOptions(PaneOptNoFloat | PaneOptNoDock);
    m_manager->m_dwDefaultPaneOptions = PaneOptNoClose;
    EXPECT_EQ(0x25u, pane->GetOptions());
}

TEST_F(DockingObjects, SetPaneRectMakesTheDockingSize)
{
    CUTKDockingPane* pane = NewPane(4001);
    pane->SetPaneRect(CRect(0, 0, 200, 120));
    EXPECT_EQ(CSize(200, 120), pane->m_szDocking);
    EXPECT_EQ(CRect(0, 0, 200, 120), pane->GetPaneWindowRect());
    MINMAXINFO info;
    pane->m_ptMinTrackSize = CPoint(30, 40);
    pane->GetMinMaxInfo(&info);
    EXPECT_EQ(30, info.ptMinTrackSize.x);
    EXPECT_EQ(40, info.ptMinTrackSize.y);
    EXPECT_EQ(32000, info.ptMaxTrackSize.x);
}

TEST_F(DockingObjects, AttachNullDoesNothing)
{
    CUTKDockingPane* pane = NewPane(1);
    pane->Attach(static_cast<HWND>(nullptr));
    EXPECT_FALSE(pane->HasWindow());
}

// ---- accessibility ----

VARIANT Child(long id)
{
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

TEST_F(DockingObjects, ClosedPaneIsSelectableAndInvisible)
{
    CUTKDockingPane* pane = NewPane(1);
    pane->SetTitle(L"Bookmarks\nMarks");
    VARIANT state;
    ASSERT_EQ(S_OK, pane->get_accState(Child(CHILDID_SELF), &state));
    EXPECT_EQ(STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_INVISIBLE, state.lVal);
    VARIANT role;
    ASSERT_EQ(S_OK, pane->get_accRole(Child(CHILDID_SELF), &role));
    EXPECT_EQ(ROLE_SYSTEM_PAGETAB, role.lVal);
    BSTR name = nullptr;
    ASSERT_EQ(S_OK, pane->get_accName(Child(CHILDID_SELF), &name));
    EXPECT_STREQ(L"Marks", name);
    ::SysFreeString(name);
    BSTR description = nullptr;
    ASSERT_EQ(S_OK, pane->get_accDescription(Child(CHILDID_SELF), &description));
    EXPECT_STREQ(L"Bookmarks", description);
    ::SysFreeString(description);
    BSTR action = nullptr;
    ASSERT_EQ(S_OK, pane->get_accDefaultAction(Child(CHILDID_SELF), &action));
    EXPECT_STREQ(L"Switch", action);
    ::SysFreeString(action);
    long count = -1;
    ASSERT_EQ(S_OK, pane->get_accChildCount(&count));
    EXPECT_EQ(0, count);
    IDispatch* parent = nullptr;
    EXPECT_EQ(E_FAIL, pane->get_accParent(&parent));
}

TEST_F(DockingObjects, ChildIdsOutOfRangeAreInvalidArguments)
{
    CUTKDockingPane* pane = NewPane(1);
    for (long id : {1L, 2L, -1L, 99L}) {
        BSTR text = nullptr;
        VARIANT value;
        IDispatch* child = nullptr;
        long x = 0, y = 0, w = 0, h = 0;
        EXPECT_EQ(E_INVALIDARG, pane->get_accName(Child(id), &text)) << id;
        EXPECT_EQ(E_INVALIDARG, pane->get_accDescription(Child(id), &text)) << id;
        EXPECT_EQ(E_INVALIDARG, pane->get_accRole(Child(id), &value)) << id;
        EXPECT_EQ(E_INVALIDARG, pane->get_accState(Child(id), &value)) << id;
        EXPECT_EQ(E_INVALIDARG, pane->get_accChild(Child(id), &child)) << id;
        EXPECT_EQ(E_INVALIDARG, pane->accDoDefaultAction(Child(id))) << id;
        EXPECT_EQ(E_INVALIDARG, pane->accLocation(&x, &y, &w, &h, Child(id))) << id;
    }
    VARIANT wrongType;
    ::VariantInit(&wrongType);
    wrongType.vt = VT_BSTR;
    BSTR text = nullptr;
    EXPECT_EQ(E_INVALIDARG, pane->get_accName(wrongType, &text));
}

// ---- saved keys ----

// Stores with save, then loads into a fresh exchange with load; the schema is the same both
// ways.
void RoundTrip(int schema, const std::function<void(CUTKPropExchange*)>& save,
               const std::function<void(CUTKPropExchange*)>& load)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CUTKPropExchangeArchive px(ar);
        px.m_nSchema = schema;
        save(&px);
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CUTKPropExchangeArchive px(ar);
    px.m_nSchema = schema;
    load(&px);
}

TEST_F(DockingObjects, PaneKeysComeBack)
{
    CUTKDockingPane* source = NewPane(4002, CSize(200, 120));
    source->SetTitle(L"Volume\nLevel");
    source->SetTitleToolTip(L"Volume and level");
    source->SetOptions(0x24);
    source->m_ptMinTrackSize = CPoint(20, 30);
    source->m_ptMaxTrackSize = CPoint(900, 800);
    source->SetItemColor(RGB(4, 5, 6));
    source->m_nHelpId = 11;
    source->m_dwData = 12;

    CUTKDockingPane* loaded = NewPane(0);
    BOOL stored = FALSE;
    BOOL taken = FALSE;
    RoundTrip(
        36, [&](CUTKPropExchange* px) { stored = source->DoPropExchange(px); },
        [&](CUTKPropExchange* px) { taken = loaded->DoPropExchange(px); });
    EXPECT_TRUE(stored);
    EXPECT_TRUE(taken);
    EXPECT_EQ(4002, loaded->GetID());
    EXPECT_EQ(CSize(200, 120), loaded->m_szDocking);
    EXPECT_EQ(L"Volume", loaded->GetTitle());
    EXPECT_EQ(L"Level", loaded->GetTabCaption());
    EXPECT_EQ(L"Volume and level", loaded->GetTitleToolTip());
    EXPECT_EQ(0x24u, loaded->m_dwOptions);
    EXPECT_EQ(CPoint(20, 30), loaded->m_ptMinTrackSize);
    EXPECT_EQ(CPoint(900, 800), loaded->m_ptMaxTrackSize);
    EXPECT_EQ(RGB(4, 5, 6), loaded->m_clrItemTab);
    EXPECT_EQ(11u, loaded->m_nHelpId);
    EXPECT_EQ(12u, loaded->m_dwData);
}

TEST_F(DockingObjects, OldSchemaLeavesTabColourHelpAndTagOut)
{
    CUTKDockingPane* source = NewPane(4002);
    source->SetItemColor(RGB(4, 5, 6));
    source->m_nHelpId = 11;
    source->m_dwData = 12;
    source->m_ptMaxTrackSize = CPoint(900, 800);
    CUTKDockingPane* loaded = NewPane(0);
    RoundTrip(
        9, [&](CUTKPropExchange* px) { source->DoPropExchange(px); },
        [&](CUTKPropExchange* px) { loaded->DoPropExchange(px); });
    EXPECT_EQ(static_cast<COLORREF>(-1), loaded->m_clrItemTab);
    EXPECT_EQ(0u, loaded->m_nHelpId);
    EXPECT_EQ(0u, loaded->m_dwData);
    EXPECT_EQ(CPoint(900, 800), loaded->m_ptMaxTrackSize);
}

TEST_F(DockingObjects, PaneWithoutListEntryStillWritesItsHolders)
{
    // No pane-list entry: the holders go out as 0, so a stream of every value in order stays
    // in step and the track sizes after them come back.
    CUTKDockingPane* source = NewPane(4000);
    source->m_ptMinTrackSize = CPoint(33, 44);
    ASSERT_EQ(nullptr, m_layout->FindPaneInfo(source));
    CUTKDockingPane* loaded = NewPane(0);
    RoundTrip(
        36, [&](CUTKPropExchange* px) { source->DoPropExchange(px); },
        [&](CUTKPropExchange* px) { loaded->DoPropExchange(px); });
    EXPECT_EQ(CPoint(33, 44), loaded->m_ptMinTrackSize);
    EXPECT_EQ(CPoint(32000, 32000), loaded->m_ptMaxTrackSize);
    UTK_DOCKINGPANE_INFO* info = m_layout->FindPaneInfo(loaded);
    ASSERT_NE(nullptr, info);
    EXPECT_EQ(nullptr, info->pDockingHolder);
    EXPECT_EQ(nullptr, info->pFloatingHolder);
    EXPECT_EQ(nullptr, info->pLastHolder);
}

TEST_F(DockingObjects, PaneWithoutPositiveIdIsRefused)
{
    for (int id : {0, -5}) {
        CUTKDockingPane* source = NewPane(1);
        source->m_nID = id;
        CUTKDockingPane* loaded = NewPane(1);
        BOOL stored = TRUE;
        BOOL taken = TRUE;
        RoundTrip(
            36, [&](CUTKPropExchange* px) { stored = source->DoPropExchange(px); },
            [&](CUTKPropExchange* px) { taken = loaded->DoPropExchange(px); });
        EXPECT_FALSE(stored) << id;
        EXPECT_FALSE(taken) << id;
    }
}

TEST_F(DockingObjects, SplitterKeysNameTheChildren)
{
    CUTKDockingPaneSplitterContainer* inner = NewSplitter(FALSE);
    Top()->InsertPane(inner, Client(), FALSE);
    inner->m_nIndex = 2;
    Client()->m_nIndex = 3;
    Top()->m_szDocking = CSize(5, 6);

    CUTKDockingPaneSplitterContainer* loaded = NewSplitter(FALSE);
    CUTKDockingPaneSplitterContainer* child2 = NewSplitter(FALSE);
    CUTKDockingPaneSplitterContainer* child3 = NewSplitter(TRUE);
    CUTKDockingPaneIndexMap map;
    map.SetAt(2, child2);
    map.SetAt(3, child3);
    BOOL taken = FALSE;
    RoundTrip(
        36, [&](CUTKPropExchange* px) { Top()->DoPropExchange(px); },
        [&](CUTKPropExchange* px) {
            px->m_pOwner = &map;
            taken = loaded->DoPropExchange(px);
        });
    EXPECT_TRUE(taken);
    EXPECT_TRUE(loaded->IsHorizontal());
    EXPECT_EQ(CSize(5, 6), loaded->m_szDocking);
    ASSERT_EQ(2, loaded->GetPaneCount());
    EXPECT_EQ(child2, loaded->GetFirstPane());
    EXPECT_EQ(child3, loaded->GetLastPane());
    EXPECT_EQ(loaded, child2->GetContainer());
}

// A stored splitter whose child numbers name nothing, itself, a pane, or an object that
// already has a parent is refused.
TEST_F(DockingObjects, SplitterRefusesChildrenItCannotHold)
{
    CUTKDockingPaneSplitterContainer* loaded = NewSplitter(FALSE);
    CUTKDockingPane* pane = NewPane(1);
    CUTKDockingPaneSplitterContainer* owned = NewSplitter(FALSE);
    Top()->InsertPane(owned);
    struct Case {
        const char* name;
        CUTKDockingPaneBase* child;
    };
    for (const Case& c : {Case{"unknown", nullptr}, Case{"itself", loaded},
                          Case{"pane", pane}, Case{"secondParent", owned}}) {
        CUTKDockingPaneIndexMap map;
        if (c.child) {
            map.SetAt(5, c.child);
        }
        BOOL taken = TRUE;
        RoundTrip(
            36,
            [&](CUTKPropExchange* px) {
                int cx = 0;
                int cy = 0;
                BOOL horizontal = FALSE;
                int count = 1;
                int index = 5;
                ExchangeIntPropDefault(px, L"DockingCX", cx, 0);
                ExchangeIntPropDefault(px, L"DockingCY", cy, 0);
                ExchangeBoolProp(px, L"Horiz", horizontal, FALSE);
                ExchangeIntProp(px, L"Panes", count);
                ExchangeIntProp(px, L"Pane-1", index);
            },
            [&](CUTKPropExchange* px) {
                px->m_pOwner = &map;
                taken = loaded->DoPropExchange(px);
            });
        EXPECT_FALSE(taken) << c.name;
        EXPECT_EQ(0, loaded->GetPaneCount()) << c.name;
    }
}

}  // namespace
