// Message maps end to end on real windows: handlers with cracked arguments, base-class
// chaining, registered messages, commands from controls and menus, update-UI passes,
// reflection to controls, notification ranges, the handler probe and exceptions thrown by
// handlers.
#include "tests/platform/framework/window/TestApp.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

constexpr UINT kButtonHandled = 1001;
constexpr UINT kButtonUnhandled = 1002;
constexpr UINT kButtonUpdateOnly = 1003;
constexpr UINT kEditId = 1004;
constexpr UINT kStaticId = 1005;
constexpr UINT kMenuCommand = 2001;
constexpr UINT kDisabledCommand = 2002;

const UINT kRegisteredMessage = ::RegisterWindowMessageW(L"OrvaneFrameworkTestMessage");

// Base window: a handler the derived class inherits through the map chain.
class BaseWnd : public CWnd {
public:
    int baseAppCalls = 0;

protected:
    LRESULT OnBaseApp(WPARAM wParam, LPARAM)
    {
        ++baseAppCalls;
        return static_cast<LRESULT>(wParam) * 2;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
    ON_MESSAGE(WM_APP + 1, OnBaseApp)
END_MESSAGE_MAP()

class RoutingWnd : public BaseWnd {
public:
    int sizeCx = -1;
    int sizeCy = -1;
    CPoint lastClick{-1, -1};
    int registeredCalls = 0;
    int handledClicks = 0;
    int menuCommands = 0;
    int disabledCommands = 0;
    int editChangesSeenByParent = 0;
    std::vector<UINT> rangeCommands;
    std::vector<UINT> rangeNotifies;
    int clickNotifies = 0;
    int idleUpdates = 0;
    BOOL throwCException = TRUE;

    BOOL CreateTop()
    {
        return CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW)),
                        L"routing", WS_OVERLAPPEDWINDOW, 20, 20, 300, 200, nullptr, nullptr);
    }

    void OnUpdateButtonUpdateOnly(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

protected:
    void OnSize(UINT, int cx, int cy)
    {
        sizeCx = cx;
        sizeCy = cy;
    }
    void OnLButtonDown(UINT, CPoint point) { lastClick = point; }
    LRESULT OnRegistered(WPARAM, LPARAM lParam)
    {
        ++registeredCalls;
        return lParam + 1;
    }
    void OnButtonHandled() { ++handledClicks; }
    void OnMenuCommand() { ++menuCommands; }
    void OnDisabledCommand() { ++disabledCommands; }
    void OnUpdateDisabledCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void OnEditChange() { ++editChangesSeenByParent; }
    void OnCommandRange(UINT nID) { rangeCommands.push_back(nID); }
    void OnNotifyRange(UINT nID, NMHDR*, LRESULT* pResult)
    {
        rangeNotifies.push_back(nID);
        *pResult = 77;
    }
    void OnClickNotify(NMHDR*, LRESULT* pResult)
    {
        ++clickNotifies;
        *pResult = 5;
    }
    LRESULT OnIdleUpdate(WPARAM, LPARAM)
    {
        ++idleUpdates;
        return 0;
    }
    LRESULT OnThrow(WPARAM, LPARAM)
    {
        if (throwCException) {
            throw new CUserException;
        }
        throw std::runtime_error("not a framework exception");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RoutingWnd, BaseWnd)
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_REGISTERED_MESSAGE(kRegisteredMessage, OnRegistered)
    ON_BN_CLICKED(kButtonHandled, OnButtonHandled)
    ON_UPDATE_COMMAND_UI(kButtonUpdateOnly, OnUpdateButtonUpdateOnly)
    ON_COMMAND(kMenuCommand, OnMenuCommand)
    ON_COMMAND(kDisabledCommand, OnDisabledCommand)
    ON_UPDATE_COMMAND_UI(kDisabledCommand, OnUpdateDisabledCommand)
    ON_EN_CHANGE(kEditId, OnEditChange)
    ON_COMMAND_RANGE(3000, 3009, OnCommandRange)
    ON_NOTIFY_RANGE(NM_CLICK, 4000, 4009, OnNotifyRange)
    ON_NOTIFY(NM_CLICK, 4100, OnClickNotify)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
    ON_MESSAGE(WM_APP + 9, OnThrow)
END_MESSAGE_MAP()

// An edit control that takes its own change notifications (reflection).
class ReflectingEdit : public CWnd {
public:
    int changes = 0;
    bool passOn = false;
    int reflectedNotifies = 0;
    HBRUSH brush = ::CreateSolidBrush(RGB(1, 2, 3));
    ~ReflectingEdit() override { ::DeleteObject(brush); }

protected:
    BOOL OnChange()
    {
        ++changes;
        return passOn ? FALSE : TRUE;  // FALSE: the parent gets it too
    }
    void OnReflectedClick(NMHDR*, LRESULT* pResult)
    {
        ++reflectedNotifies;
        *pResult = 9;
    }
    HBRUSH CtlColor(CDC*, UINT nCtlColor) { return nCtlColor == CTLCOLOR_EDIT ? brush : nullptr; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingEdit, CWnd)
    ON_CONTROL_REFLECT_EX(EN_CHANGE, OnChange)
    ON_NOTIFY_REFLECT(NM_CLICK, OnReflectedClick)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

// A class template over its base window class, as site classes mixed into frames are.
template <class TBase>
class SiteWnd : public TBase {
public:
    int appCalls = 0;

protected:
    LRESULT OnSiteApp(WPARAM wParam, LPARAM)
    {
        ++appCalls;
        return static_cast<LRESULT>(wParam) + 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_TEMPLATE_MESSAGE_MAP(SiteWnd, TBase, TBase)
    ON_MESSAGE(WM_APP + 30, OnSiteApp)
END_MESSAGE_MAP()

class MessageRoutingTest : public testing::Test {
protected:
    void SetUp() override
    {
        TheTestApp();
        ASSERT_TRUE(wnd.CreateTop()) << "no display?";
    }
    void TearDown() override
    {
        if (wnd.m_hWnd != nullptr) {
            wnd.DestroyWindow();
        }
    }

    HWND AddChild(LPCTSTR cls, DWORD style, UINT id, LPCTSTR text = L"")
    {
        return ::CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 80, 20,
                                 wnd.m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                 ::GetModuleHandleW(nullptr), nullptr);
    }

    LRESULT SendNotify(HWND hFrom, UINT id, int code)
    {
        NMHDR hdr{hFrom, id, static_cast<UINT>(code)};
        return wnd.SendMessage(WM_NOTIFY, id, reinterpret_cast<LPARAM>(&hdr));
    }

    RoutingWnd wnd;
};

TEST_F(MessageRoutingTest, HandlersGetCrackedArguments)
{
    wnd.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(123, 45));
    EXPECT_EQ(wnd.sizeCx, 123);
    EXPECT_EQ(wnd.sizeCy, 45);
    // Negative coordinates survive the cracking (client coordinates left of the window).
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5, 17));
    EXPECT_EQ(wnd.lastClick, CPoint(-5, 17));
}

TEST_F(MessageRoutingTest, BaseClassMapAndRegisteredMessage)
{
    EXPECT_EQ(wnd.SendMessage(WM_APP + 1, 21, 0), 42);
    EXPECT_EQ(wnd.baseAppCalls, 1);
    EXPECT_EQ(wnd.SendMessage(kRegisteredMessage, 0, 10), 11);
    EXPECT_EQ(wnd.registeredCalls, 1);
    // A message nobody maps goes to the default procedure.
    EXPECT_EQ(wnd.SendMessage(WM_APP + 2, 0, 0), 0);
}

TEST_F(MessageRoutingTest, ControlCommandReachesParent)
{
    HWND button = AddChild(L"BUTTON", BS_PUSHBUTTON, kButtonHandled, L"go");
    ASSERT_NE(button, nullptr);
    ::SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_EQ(wnd.handledClicks, 1);
}

TEST_F(MessageRoutingTest, MenuCommandsHonourUpdateHandlers)
{
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(kMenuCommand, 0), 0);
    EXPECT_EQ(wnd.menuCommands, 1);
    // Disabled by its update handler: the command is swallowed, not executed.
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(kDisabledCommand, 0), 0);
    EXPECT_EQ(wnd.disabledCommands, 0);
}

TEST_F(MessageRoutingTest, UpdatePassDisablesControlsWithoutHandler)
{
    HWND handled = AddChild(L"BUTTON", BS_PUSHBUTTON, kButtonHandled);
    HWND unhandled = AddChild(L"BUTTON", BS_PUSHBUTTON, kButtonUnhandled);
    HWND updateOnly = AddChild(L"BUTTON", BS_PUSHBUTTON, kButtonUpdateOnly);
    HWND autoCheck = AddChild(L"BUTTON", BS_AUTOCHECKBOX, 1010);
    wnd.UpdateDialogControls(&wnd, TRUE);
    EXPECT_TRUE(::IsWindowEnabled(handled));
    EXPECT_FALSE(::IsWindowEnabled(unhandled));
    EXPECT_TRUE(::IsWindowEnabled(updateOnly)) << "an update handler that enables counts";
    EXPECT_TRUE(::IsWindowEnabled(autoCheck)) << "automatic buttons need no handler";
    // Without disable-if-no-handler nothing is disabled.
    ::EnableWindow(unhandled, TRUE);
    wnd.UpdateDialogControls(&wnd, FALSE);
    EXPECT_TRUE(::IsWindowEnabled(unhandled));
}

TEST_F(MessageRoutingTest, ReflectionReachesTheControl)
{
    HWND hEdit = AddChild(L"EDIT", ES_AUTOHSCROLL, kEditId);
    ReflectingEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(hEdit));
    ::SetWindowTextW(hEdit, L"abc");
    EXPECT_EQ(edit.changes, 1);
    EXPECT_EQ(wnd.editChangesSeenByParent, 0) << "reflected and handled: the parent is skipped";
    edit.passOn = true;
    ::SetWindowTextW(hEdit, L"abcd");
    EXPECT_EQ(edit.changes, 2);
    EXPECT_EQ(wnd.editChangesSeenByParent, 1);

    EXPECT_EQ(SendNotify(hEdit, kEditId, NM_CLICK), 9);
    EXPECT_EQ(edit.reflectedNotifies, 1);

    HDC dc = ::GetDC(hEdit);
    const LRESULT brush = wnd.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                          reinterpret_cast<LPARAM>(hEdit));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), edit.brush);
    ::ReleaseDC(hEdit, dc);
    edit.UnsubclassWindow();
}

TEST_F(MessageRoutingTest, CommandAndNotificationRanges)
{
    struct Case {
        UINT id;
        bool inRange;
    };
    const Case cases[] = {{3000, true}, {3005, true}, {3009, true}, {3010, false}, {2999, false}};
    for (const Case& c : cases) {
        wnd.rangeCommands.clear();
        wnd.SendMessage(WM_COMMAND, MAKEWPARAM(c.id, 0), 0);
        EXPECT_EQ(wnd.rangeCommands.size(), c.inRange ? 1u : 0u) << c.id;
    }
    HWND child = AddChild(L"STATIC", 0, 4005);
    HWND outside = AddChild(L"STATIC", 0, 4010);
    EXPECT_EQ(SendNotify(child, 4005, NM_CLICK), 77);
    ASSERT_EQ(wnd.rangeNotifies.size(), 1u);
    EXPECT_EQ(wnd.rangeNotifies[0], 4005u);
    EXPECT_EQ(SendNotify(outside, 4010, NM_CLICK), 0);
    EXPECT_EQ(wnd.rangeNotifies.size(), 1u);
    // Another code from a control in the range is not taken by the NM_CLICK entry.
    EXPECT_EQ(SendNotify(child, 4005, NM_DBLCLK), 0);
    EXPECT_EQ(wnd.rangeNotifies.size(), 1u);
    HWND single = AddChild(L"STATIC", 0, 4100);
    EXPECT_EQ(SendNotify(single, 4100, NM_CLICK), 5);
    EXPECT_EQ(wnd.clickNotifies, 1);
}

TEST_F(MessageRoutingTest, HandlerProbeDoesNotExecute)
{
    AFX_CMDHANDLERINFO info{};
    EXPECT_TRUE(wnd.OnCmdMsg(kMenuCommand, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(info.pTarget, &wnd);
    EXPECT_NE(info.pEntry, nullptr);
    EXPECT_EQ(wnd.menuCommands, 0);
    AFX_CMDHANDLERINFO none{};
    EXPECT_FALSE(wnd.OnCmdMsg(9999, CN_COMMAND, nullptr, &none));
}

TEST_F(MessageRoutingTest, MenuItemsUpdatedOnInitMenuPopup)
{
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, kMenuCommand, L"handled");
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_STRING, kDisabledCommand, L"disabled by handler");
    popup.AppendMenu(MF_STRING, 2999, L"no handler");
    CCmdUI::UpdateMenu(&wnd, &popup, TRUE);
    EXPECT_EQ(popup.GetMenuState(kMenuCommand, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_NE(popup.GetMenuState(kDisabledCommand, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_NE(popup.GetMenuState(2999, MF_BYCOMMAND) & MF_GRAYED, 0u);
}

TEST_F(MessageRoutingTest, ExceptionInHandlerReachesTheApplication)
{
    TestApp& app = TheTestApp();
    app.exceptionMessages.clear();
    wnd.throwCException = TRUE;
    EXPECT_EQ(wnd.SendMessage(WM_APP + 9, 0, 0), 0x5A5A);
    ASSERT_EQ(app.exceptionMessages.size(), 1u);
    EXPECT_EQ(app.exceptionMessages[0], WM_APP + 9);
    // Other C++ exceptions are stopped at the window procedure too.
    wnd.throwCException = FALSE;
    EXPECT_EQ(wnd.SendMessage(WM_APP + 9, 0, 0), 0x5A5A);
    EXPECT_EQ(app.exceptionMessages.size(), 2u);
    // The window still works afterwards.
    EXPECT_EQ(wnd.SendMessage(WM_APP + 1, 1, 0), 2);
}

TEST_F(MessageRoutingTest, TemplateMapChainsToItsBase)
{
    SiteWnd<BaseWnd> site;
    ASSERT_TRUE(site.CreateEx(0, AfxRegisterWndClass(0), L"site", WS_POPUP, 0, 0, 10, 10, nullptr,
                              nullptr));
    EXPECT_EQ(site.SendMessage(WM_APP + 30, 4, 0), 5);
    EXPECT_EQ(site.appCalls, 1);
    EXPECT_EQ(site.SendMessage(WM_APP + 1, 3, 0), 6) << "the base's entries are still found";
    site.DestroyWindow();
}

}  // namespace
