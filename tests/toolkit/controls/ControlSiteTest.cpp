// Executing a control at a real site window: the execute notification (0x2862, code 100) and
// the WM_COMMAND that follows when it is not handled, id 0, return-command mode, and a handler
// that removes the running control (freed only after the run).
#include "toolkit/controls/CUTKControl.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/toolkit/controls/ControlTestSite.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/controls/CUTKControls.h"

namespace {

using orvane::test::ControlTestSite;

struct Release {
    void operator()(CCmdTarget* target) const { target->InternalRelease(); }
};
template <class T>
using Held = std::unique_ptr<T, Release>;

// Tells when it is destroyed.
class WatchedControl : public CUTKControl {
public:
    explicit WatchedControl(bool* destroyed) : m_destroyed(destroyed) {}
    ~WatchedControl() override { *m_destroyed = true; }

private:
    bool* m_destroyed;
};

class ControlSite : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_bar.reset(new CUTKCommandBar());
        m_bar->SetCommandWindow(m_site.Wnd());
    }
    CUTKControl* AddButton(int id)
    {
        CUTKControl* control = m_bar->GetControls()->Add(utkControlButton, id);
        control->SetCaption(L"Button");
        return control;
    }

    ControlTestSite m_site;
    Held<CUTKCommandBar> m_bar;
};

TEST_F(ControlSite, HandledExecuteSendsNoCommand)
{
    CUTKControl* control = AddButton(4001);
    m_site.executeAnswer = 1;
    control->OnExecute();
    ASSERT_EQ(1u, m_site.received.size());
    EXPECT_EQ(kUtkControlNotifyMessage, m_site.received[0].message);
    EXPECT_EQ(4001u, m_site.received[0].wParam);
    EXPECT_EQ(kUtkNotifyExecute, m_site.received[0].code);
    EXPECT_EQ(4001, m_site.received[0].controlId);
    EXPECT_EQ(control, m_site.received[0].control);
    EXPECT_TRUE(m_site.commands.empty());
    EXPECT_EQ(utkPressedNone, control->GetPressed());
}

TEST_F(ControlSite, UnhandledExecuteFallsBackToWmCommand)
{
    CUTKControl* control = AddButton(4002);
    control->OnExecute();
    ASSERT_EQ(1u, m_site.received.size());
    ASSERT_EQ(1u, m_site.commands.size());
    EXPECT_EQ(4002u, m_site.commands[0]);
}

TEST_F(ControlSite, IdZeroSendsNothing)
{
    CUTKControl* control = AddButton(0);
    control->OnExecute();
    EXPECT_TRUE(m_site.received.empty());
    EXPECT_TRUE(m_site.commands.empty());
}

TEST_F(ControlSite, ReturnCommandModeStoresTheIdAndSendsNothing)
{
    CUTKControl* control = AddButton(4003);
    UINT chosen = 0;
    m_bar->SetReturnCmd(&chosen);
    control->OnExecute();
    m_bar->SetReturnCmd(nullptr);
    EXPECT_EQ(4003u, chosen);
    EXPECT_TRUE(m_site.received.empty());
    EXPECT_TRUE(m_site.commands.empty());
}

TEST_F(ControlSite, AHandlerMayRemoveTheRunningControl)
{
    bool destroyed = false;
    auto* control = new WatchedControl(&destroyed);
    m_bar->GetControls()->AddControl(control, 4004);
    bool aliveInHandler = false;
    m_site.onExecute = [&](CUTKControl* running) {
        m_bar->GetControls()->Remove(running);
        aliveInHandler = !destroyed;
    };
    control->OnExecute();
    EXPECT_TRUE(aliveInHandler);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(0, m_bar->GetControls()->GetCount());
    // Unhandled: the command still reaches the site after the control left its bar.
    ASSERT_EQ(1u, m_site.commands.size());
    EXPECT_EQ(4004u, m_site.commands[0]);
}

TEST_F(ControlSite, NotificationWithoutSiteAnswersZero)
{
    auto control = std::unique_ptr<CUTKControl, Release>(new CUTKControl());
    control->SetID(4005);
    EXPECT_EQ(0, control->NotifySite(kUtkNotifyExecute));
    m_site.executeAnswer = 7;
    CUTKControl* atSite = AddButton(4006);
    EXPECT_EQ(7, atSite->NotifySite(kUtkNotifySelectorChanged));
    EXPECT_EQ(kUtkNotifySelectorChanged, m_site.received.back().code);
}

}  // namespace

namespace {

// Accessibility answers that need the bar's window: location and hit test in screen points.
class ControlWindowAccessible : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_bar.reset(new CUTKCommandBar());
        ASSERT_TRUE(m_bar->CreateEx(0, AfxRegisterWndClass(0), L"acc", WS_POPUP, 50, 60, 300, 40,
                                    nullptr, nullptr));
        ::ShowWindow(m_bar->GetSafeHwnd(), SW_SHOWNOACTIVATE);
        m_control = m_bar->GetControls()->Add(utkControlButton, 10);
        m_control->SetRect(CRect(10, 5, 110, 27));
    }
    void TearDown() override
    {
        if (m_bar->GetSafeHwnd()) {
            m_bar->DestroyWindow();
        }
        m_bar.reset();
    }
    static VARIANT Self()
    {
        VARIANT v;
        ::VariantInit(&v);
        v.vt = VT_I4;
        v.lVal = CHILDID_SELF;
        return v;
    }

    Held<CUTKCommandBar> m_bar;
    CUTKControl* m_control = nullptr;
};

TEST_F(ControlWindowAccessible, LocationIsTheRectangleOnTheScreen)
{
    RECT window{};
    ::GetWindowRect(m_bar->GetSafeHwnd(), &window);
    POINT origin{0, 0};
    ::ClientToScreen(m_bar->GetSafeHwnd(), &origin);
    long x = 0, y = 0, cx = 0, cy = 0;
    ASSERT_EQ(S_OK, m_control->accLocation(&x, &y, &cx, &cy, Self()));
    EXPECT_EQ(origin.x + 10, x);
    EXPECT_EQ(origin.y + 5, y);
    EXPECT_EQ(100, cx);
    EXPECT_EQ(22, cy);
    m_control->SetHideFlags(utkHideGeneric);
    ASSERT_EQ(S_OK, m_control->accLocation(&x, &y, &cx, &cy, Self()));
    EXPECT_EQ(0, x + y + cx + cy);
}

TEST_F(ControlWindowAccessible, HitTestAnswersByControlAndBar)
{
    POINT origin{0, 0};
    ::ClientToScreen(m_bar->GetSafeHwnd(), &origin);
    VARIANT child;
    EXPECT_EQ(S_OK, m_control->accHitTest(origin.x + 20, origin.y + 10, &child));
    EXPECT_EQ(VT_I4, child.vt);
    EXPECT_EQ(CHILDID_SELF, child.lVal);
    EXPECT_EQ(S_FALSE, m_control->accHitTest(origin.x + 200, origin.y + 10, &child));
    EXPECT_EQ(VT_I4, child.vt);
    EXPECT_EQ(S_FALSE, m_control->accHitTest(origin.x - 30, origin.y + 10, &child));
    EXPECT_EQ(VT_EMPTY, child.vt);
}

TEST_F(ControlWindowAccessible, APopupOnAToolbarIsAButtonMenuWithAPopup)
{
    m_bar->SetType(utkBarTypeNormal);
    CUTKControl* popup = m_bar->GetControls()->Add(utkControlPopup, 0);
    VARIANT role;
    ASSERT_EQ(S_OK, popup->get_accRole(Self(), &role));
    EXPECT_EQ(ROLE_SYSTEM_BUTTONMENU, role.lVal);
    VARIANT state;
    ASSERT_EQ(S_OK, popup->get_accState(Self(), &state));
    EXPECT_EQ(STATE_SYSTEM_HASPOPUP, state.lVal & STATE_SYSTEM_HASPOPUP);
    long count = 0;
    ASSERT_EQ(S_OK, popup->get_accChildCount(&count));
    EXPECT_EQ(1, count);
    VARIANT button;
    ASSERT_EQ(S_OK, m_control->get_accRole(Self(), &button));
    EXPECT_EQ(ROLE_SYSTEM_PUSHBUTTON, button.lVal);
    // The bar hidden: every control reports itself invisible.
    ::ShowWindow(m_bar->GetSafeHwnd(), SW_HIDE);
    ASSERT_EQ(S_OK, m_control->get_accState(Self(), &state));
    EXPECT_EQ(STATE_SYSTEM_INVISIBLE, state.lVal & STATE_SYSTEM_INVISIBLE);
}

}  // namespace

namespace {

// A site in the framework's terms: it leaves 0x2862 to its window procedure (answered 0) and
// takes the notification through its message map instead, and the command through ON_COMMAND.
class RoutedSite : public CWnd {
public:
    int notified = 0;
    int commanded = 0;
    void OnExecuteNotify(NMHDR* header, LRESULT* result)
    {
        ++notified;
        EXPECT_EQ(4010u, header->idFrom);
        *result = 1;
    }
    void OnCommandOther() { ++commanded; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RoutedSite, CWnd)
    ON_NOTIFY(kUtkNotifyExecute, 4010, OnExecuteNotify)
    ON_COMMAND(4011, OnCommandOther)
END_MESSAGE_MAP()

TEST(ControlRoutedSite, UnansweredNotificationIsRoutedAsWmNotifyThenAsCommand)
{
    RoutedSite site;
    ASSERT_TRUE(site.CreateEx(0, AfxRegisterWndClass(0), L"routed", WS_POPUP, 0, 0, 10, 10,
                              nullptr, nullptr));
    Held<CUTKCommandBar> bar(new CUTKCommandBar());
    bar->SetCommandWindow(&site);
    CUTKControl* notified = bar->GetControls()->Add(utkControlButton, 4010);
    CUTKControl* commanded = bar->GetControls()->Add(utkControlButton, 4011);
    notified->OnExecute();
    EXPECT_EQ(1, site.notified);
    EXPECT_EQ(0, site.commanded);
    commanded->OnExecute();
    EXPECT_EQ(1, site.notified);
    EXPECT_EQ(1, site.commanded);
    bar.reset();
    site.DestroyWindow();
}

}  // namespace
