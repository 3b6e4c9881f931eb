// Special controls at a real site under Xvfb: the window list over a real MDI client with
// twelve children (nine numbered items), its second expansion next to a real menu item when
// the child ids start at 1, the selector's 0x1006 notification, and the hyperlink running a
// program through the shell, which leaves a marker file.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/framework/frame/CMDIFrameWnd.h"
#include "tests/toolkit/controls/ControlBarHost.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/controls/CUTKControlHyperlink.h"
#include "toolkit/controls/CUTKControlSelector.h"
#include "toolkit/controls/CUTKControlWindowList.h"
#include "toolkit/controls/CUTKControls.h"

namespace {

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// A framework MDI frame with a real MDI client and children titled "Doc 1 & co" ...
class MdiSite {
public:
    MdiSite(UINT firstChildId, int children)
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ::DefMDIChildProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"OrvaneWindowListChild";
        ::RegisterClassW(&wc);

        m_frame = new CMDIFrameWnd();
        EXPECT_TRUE(m_frame->Create(nullptr, L"MDI frame", WS_OVERLAPPEDWINDOW,
                                    CRect(0, 0, 600, 400)));
        m_frame->ShowWindow(SW_SHOW);
        CLIENTCREATESTRUCT ccs = {nullptr, firstChildId};
        m_frame->m_hWndMDIClient =
            ::CreateWindowExW(0, L"MDICLIENT", nullptr,
                              WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 600, 400,
                              m_frame->GetSafeHwnd(), nullptr, wc.hInstance, &ccs);
        EXPECT_NE(nullptr, m_frame->m_hWndMDIClient);
        for (int i = 1; i <= children; ++i) {
            std::wstring title = L"Doc " + std::to_wstring(i) + L" & co";
            MDICREATESTRUCTW mcs = {};
            mcs.szClass = L"OrvaneWindowListChild";
            mcs.szTitle = title.c_str();
            mcs.hOwner = wc.hInstance;
            mcs.x = mcs.y = mcs.cx = mcs.cy = CW_USEDEFAULT;
            HWND child = reinterpret_cast<HWND>(::SendMessageW(
                m_frame->m_hWndMDIClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
            EXPECT_NE(nullptr, child);
            m_last = child;
        }
        Pump();
    }
    ~MdiSite()
    {
        m_frame->DestroyWindow();
        Pump();
    }
    CMDIFrameWnd* frame() const { return m_frame; }
    HWND lastChild() const { return m_last; }

private:
    CMDIFrameWnd* m_frame = nullptr;  // deletes itself when destroyed
    HWND m_last = nullptr;
};

// A bar without a window whose owner site is the frame, holding a menu-like row of controls.
class SiteBar {
public:
    explicit SiteBar(CWnd* site)
    {
        m_bar = new CUTKCommandBar();
        m_bar->SetOwnerWindow(site);
    }
    ~SiteBar() { m_bar->InternalRelease(); }
    CUTKCommandBar* bar() const { return m_bar; }
    CUTKControls* controls() const { return m_bar->GetControls(); }

private:
    CUTKCommandBar* m_bar;
};

std::wstring TestDirectory()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path);
    return dir.substr(0, dir.find_last_of(L'\\') + 1);
}

}  // namespace

TEST(WindowList, TwelveChildrenGiveNineNumberedItems)
{
    CUTKControlWindowList::SetFirstWindowId(0xFF00);
    MdiSite site(0xFF00, 12);
    SiteBar bar(site.frame());
    CUTKControls* controls = bar.controls();
    auto* placeholder = new CUTKControlWindowList();
    controls->InsertAt(placeholder, 0);
    placeholder->SetFlags(utkFlagWrapRow);

    placeholder->OnCalcDynamicSize(0);
    ASSERT_EQ(10, controls->GetCount());
    EXPECT_NE(0u, placeholder->GetHideFlags() & utkHideGeneric);
    HWND active = reinterpret_cast<HWND>(
        ::SendMessageW(site.frame()->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0));
    ASSERT_EQ(site.lastChild(), active);
    for (int n = 1; n <= 9; ++n) {
        SCOPED_TRACE(n);
        CUTKControl* item = controls->GetAt(n);
        EXPECT_TRUE(item->IsTemporary());
        EXPECT_EQ(0xFF00 + n - 1, item->GetID());
        CString expected;
        expected.Format(L"&%d Doc %d && co", n, n);
        EXPECT_EQ(expected, item->GetCaption());
        EXPECT_EQ(n == 1, item->GetBeginGroup() != FALSE);
        EXPECT_EQ(0xEF1F, item->GetHelpId());
        EXPECT_EQ(n == 1 ? static_cast<DWORD>(utkFlagNoUpdate | utkFlagWrapRow)
                         : static_cast<DWORD>(utkFlagNoUpdate),
                  item->GetFlags());
        // The twelfth (active) child is not among the first nine.
        EXPECT_FALSE(item->GetChecked());
        EXPECT_EQ(CString(L"Activates this window"), item->GetDescription());
        EXPECT_EQ(CString(L"Activate Window"), item->GetTooltip());
    }
}

TEST(WindowList, SecondExpansionNeitherDuplicatesNorDeletesTheRealItemAfterIt)
{
    // Children numbered from 1: the first window id falls to 1, so every id is "not below" it.
    CUTKControlWindowList::SetFirstWindowId(0xFF00);
    MdiSite site(1, 3);
    SiteBar bar(site.frame());
    CUTKControls* controls = bar.controls();
    auto* placeholder = new CUTKControlWindowList();
    controls->InsertAt(placeholder, 0);
    CUTKControl* closeAll = controls->Add(utkControlButton, 0xE130, L"", -1, FALSE);
    closeAll->SetCaption(L"Close &All");

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        placeholder->OnCalcDynamicSize(0);
        EXPECT_EQ(1u, CUTKControlWindowList::GetFirstWindowId());
        ASSERT_EQ(5, controls->GetCount());
        for (int n = 1; n <= 3; ++n) {
            EXPECT_EQ(n, controls->GetAt(n)->GetID());
            EXPECT_TRUE(controls->GetAt(n)->IsTemporary());
        }
        EXPECT_TRUE(controls->GetAt(3)->GetChecked());  // the last child is active
        EXPECT_EQ(closeAll, controls->GetAt(4));
    }
    CUTKControlWindowList::SetFirstWindowId(0xFF00);
}

TEST(WindowList, WithoutAnMdiClientThePlaceholderShows)
{
    CUTKControls controls;
    auto* placeholder = new CUTKControlWindowList();
    controls.InsertAt(placeholder, 0);
    placeholder->SetHideFlags(utkHideGeneric);
    placeholder->OnCalcDynamicSize(0);
    EXPECT_EQ(1, controls.GetCount());
    EXPECT_EQ(0u, placeholder->GetHideFlags());
}

namespace {

// A frame that records the 0x2862 notifications its controls send.
class NotifyFrame : public CMDIFrameWnd {
public:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == kUtkControlNotifyMessage) {
            const auto* record = reinterpret_cast<const NMHDR*>(lParam);
            m_codes.push_back(static_cast<int>(record->code));
        }
        return CMDIFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
    }
    std::vector<int> m_codes;
};

}  // namespace

TEST(Selector, SelectionChangesNotifyTheSite)
{
    auto* frame = new NotifyFrame();
    ASSERT_TRUE(frame->Create(nullptr, L"site", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    {
        SiteBar bar(frame);
        auto* selector = new CUTKControlSelector();
        bar.controls()->InsertAt(selector, 0);
        selector->SetRect(CRect(0, 0, 140, 112));
        selector->OnCalcDynamicSize(0);        // forced: one notification
        selector->OnMouseMove(CPoint(40, 70));  // 2 x 3
        selector->OnMouseMove(CPoint(41, 71));  // unchanged: none
        selector->OnMouseMove(CPoint(90, 20));  // 4 x 1
        const std::vector<int> expected(3, kUtkNotifySelectorChanged);
        EXPECT_EQ(expected, frame->m_codes);
        EXPECT_EQ(CSize(4, 1), selector->GetSelection());
    }
    frame->DestroyWindow();
    Pump();
}

TEST(Hyperlink, ExecutingOpensItsTooltipTextNotItsCaption)
{
    const std::wstring program = TestDirectory() + L"toolkit_hyperlink_marker.exe";
    const std::wstring marker = TestDirectory() + L"toolkit_hyperlink_marker.marker";
    ::DeleteFileW(marker.c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(program.c_str()));

    auto* link = new CUTKControlHyperlink();
    link->SetCaption(L"does-not-exist.exe");
    link->SetTooltip(program.c_str());
    link->OnClick(FALSE, CPoint(1, 1));
    // The shell starts the program on its own; wait for its marker (bounded, not timed).
    bool found = false;
    for (int i = 0; i < 300 && !found; ++i) {
        found = ::GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (!found)
            ::Sleep(100);
    }
    EXPECT_TRUE(found);
    ::DeleteFileW(marker.c_str());
    link->InternalRelease();
}

TEST(CheckBox, SpaceBarExecutesAsByKeyboard)
{
    auto* frame = new NotifyFrame();
    ASSERT_TRUE(frame->Create(nullptr, L"site", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    {
        SiteBar bar(frame);
        for (int type : {utkControlCheckBox, utkControlRadioButton}) {
            SCOPED_TRACE(type);
            frame->m_codes.clear();
            CUTKControl* control = bar.controls()->Add(type, 500 + type, L"", -1, FALSE);
            ASSERT_NE(nullptr, control);
            EXPECT_EQ(type, control->GetType());
            const char* expected =
                type == utkControlCheckBox ? "CUTKControlCheckBox" : "CUTKControlRadioButton";
            EXPECT_STREQ(expected, control->GetRuntimeClass()->m_lpszClassName);
            EXPECT_FALSE(control->OnHookKeyDown(VK_RETURN, 0));
            EXPECT_TRUE(frame->m_codes.empty());
            EXPECT_TRUE(control->OnHookKeyDown(VK_SPACE, 0));
            EXPECT_EQ(std::vector<int>{kUtkNotifyExecute}, frame->m_codes);
        }
    }
    frame->DestroyWindow();
    Pump();
}

namespace {

// Sets the thread's idea of the left button (GetKeyState) and answers the previous state.
void SetLeftButtonDown(bool down)
{
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_LBUTTON] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

}  // namespace

TEST(Selector, DraggingPastTheEdgeGrowsTheGridUpToItsMaximum)
{
    orvane::test::ControlSite site;
    orvane::test::BarWindow window(site);
    CUTKCommandBar* bar = window.m_bar;
    struct Case {
        const char* name;
        CSize max;
        bool buttonDown;
        CPoint pointer;  // in the bar's client area
        CSize grid;      // after the selection ends
        bool cleared;    // selection emptied
    };
    const Case cases[] = {
        {"grows right", {12, 12}, true, {200, 60}, {8, 4}, false},
        {"grows down, capped", {12, 6}, true, {60, 400}, {5, 6}, false},
        {"at its maximum", {5, 4}, true, {200, 60}, {5, 4}, true},
        {"button up", {12, 12}, false, {200, 60}, {5, 4}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* selector = new CUTKControlSelector();
        selector->SetItemsMax(c.max);
        bar->GetControls()->InsertAt(selector, 0);
        selector->OnCalcDynamicSize(0);
        selector->SetRect(CRect(0, 0, 140, 112));
        selector->OnMouseMove(CPoint(30, 30));  // 2 x 2 selected
        ASSERT_EQ(CSize(2, 2), selector->GetSelection());

        POINT screen = c.pointer;
        ::ClientToScreen(bar->GetSafeHwnd(), &screen);
        ::SetCursorPos(screen.x, screen.y);
        SetLeftButtonDown(c.buttonDown);
        selector->SetSelected(utkSelectedNone);
        SetLeftButtonDown(false);

        EXPECT_EQ(c.grid, selector->GetGridSize());
        if (c.cleared) {
            EXPECT_EQ(CSize(0, 0), selector->GetSelection());
        } else if (c.grid != CSize(5, 4)) {
            // The grid followed the pointer into the new cells.
            EXPECT_EQ(CUTKControlSelector::CalcSelection(c.pointer, selector->GetRect().TopLeft(),
                                                         CSize(28, 28), c.grid),
                      selector->GetSelection());
        } else {
            EXPECT_EQ(CSize(2, 2), selector->GetSelection());
        }
        bar->GetControls()->RemoveAll();
    }
    ::SetCursorPos(780, 580);
}
