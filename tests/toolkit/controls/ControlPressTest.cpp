// Buttons and popups at a real site on a bar window made with CreateEx, driven by posted
// input: press and release inside and outside, the 100 ms repeat, execute on release in popup
// bars, the split button's values 4 and 5, a handler that removes the pressed control, and
// WM_QUIT during a press.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/toolkit/controls/ControlBarHost.h"
#include "toolkit/controls/CUTKControlButton.h"
#include "toolkit/controls/CUTKControlPopup.h"
#include "toolkit/controls/ControlPressLoop.h"
#include "toolkit/themes/CUTKPaintManager.h"

#include <functional>
#include <memory>

using orvane::test::BarWindow;
using orvane::test::ControlSite;
using orvane::test::DrainMessages;

namespace {

constexpr int kId = 500;

struct ReleaseTarget {
    void operator()(CCmdTarget* target) const { target->InternalRelease(); }
};
template <typename T> using Held = std::unique_ptr<T, ReleaseTarget>;

// A bar standing for the popup a popup control opens: it records the request and shows
// nothing.
class RecordingPopupBar : public CUTKCommandBar {
public:
    BOOL Popup(CUTKControl* control, BOOL selectFirst) override
    {
        ++m_popups;
        m_lastSelectFirst = selectFirst;
        m_lastControl = control;
        return TRUE;
    }
    int m_popups = 0;
    BOOL m_lastSelectFirst = FALSE;
    CUTKControl* m_lastControl = nullptr;
};

CUTKControlButton* AddButton(const BarWindow& bar, int id = kId)
{
    auto* button = new CUTKControlButton();
    bar.Controls()->InsertAt(button);
    button->SetID(id);
    button->SetCaption(L"Press");
    button->SetRect(CRect(10, 5, 60, 27));
    return button;
}

} // namespace

TEST(ControlPress, ToolbarButtonTable)
{
    struct Case {
        const char* name;
        int interval;
        std::function<void(const BarWindow&)> input;
        int executed; // notifications, each followed by WM_COMMAND (the site does not handle)
    };
    const Case cases[] = {
        {"release inside", 0, [](const BarWindow& b) { b.Up(CPoint(20, 10)); }, 1},
        {"release outside",
         0,
         [](const BarWindow& b) {
             b.Move(CPoint(200, 10));
             b.Up(CPoint(200, 10));
         },
         0},
        {"outside and back",
         0,
         [](const BarWindow& b) {
             b.Move(CPoint(200, 10));
             b.Move(CPoint(30, 10));
             b.Up(CPoint(30, 10));
         },
         1},
        {"repeat: once on press, per tick, not on release",
         100,
         [](const BarWindow& b) {
             b.Post(WM_TIMER, ControlPressLoop::kRepeatTimer);
             b.Post(WM_TIMER, ControlPressLoop::kRepeatTimer);
             b.Up(CPoint(20, 10));
         },
         3},
        {"repeat: no tick while outside",
         100,
         [](const BarWindow& b) {
             b.Move(CPoint(200, 10));
             b.Post(WM_TIMER, ControlPressLoop::kRepeatTimer);
             b.Move(CPoint(20, 10));
             b.Post(WM_TIMER, ControlPressLoop::kRepeatTimer);
             b.Up(CPoint(20, 10));
         },
         2},
    };
    for (const Case& c : cases) {
        ControlSite site;
        BarWindow bar(site);
        CUTKControlButton* button = AddButton(bar);
        button->SetExecuteOnPressInterval(c.interval);
        DrainMessages();
        c.input(bar);
        button->OnClick(FALSE, CPoint(20, 10));
        EXPECT_EQ(site.m_notifications, c.executed) << c.name;
        EXPECT_EQ(site.m_commands, std::vector<int>(static_cast<size_t>(c.executed), kId))
            << c.name;
        EXPECT_EQ(button->GetPressed(), utkPressedNone) << c.name;
        EXPECT_EQ(button->GetSelected(), utkSelectedNone) << c.name;
        EXPECT_EQ(::GetCapture(), nullptr) << c.name;
        EXPECT_FALSE(::KillTimer(bar.Hwnd(), ControlPressLoop::kRepeatTimer)) << c.name;
    }
}

TEST(ControlPress, BarRecordsTheButtonLastPressedOnRelease)
{
    struct Case {
        const char* name;
        std::function<void(const BarWindow&)> input;
        int lastPressed;  // index the bar holds afterwards
    };
    const Case cases[] = {
        {"release inside", [](const BarWindow& b) { b.Up(CPoint(80, 10)); }, 1},
        {"release outside",
         [](const BarWindow& b) {
             b.Move(CPoint(300, 10));
             b.Up(CPoint(300, 10));
         },
         -1},
        {"outside and back",
         [](const BarWindow& b) {
             b.Move(CPoint(300, 10));
             b.Move(CPoint(90, 10));
             b.Up(CPoint(90, 10));
         },
         1},
    };
    for (const Case& c : cases) {
        ControlSite site;
        BarWindow bar(site);
        AddButton(bar, kId);
        CUTKControlButton* second = AddButton(bar, kId + 1);
        second->SetRect(CRect(70, 5, 120, 27));
        ASSERT_EQ(second->GetIndex(), 1) << c.name;
        EXPECT_EQ(bar.m_bar->GetLastPressedIndex(), -1) << c.name;
        DrainMessages();
        c.input(bar);
        second->OnClick(FALSE, CPoint(80, 10));
        EXPECT_EQ(bar.m_bar->GetLastPressedIndex(), c.lastPressed) << c.name;
    }
}

TEST(ControlPress, HandledNotificationSendsNoCommand)
{
    ControlSite site;
    site.m_handleNotify = true;
    BarWindow bar(site);
    CUTKControlButton* button = AddButton(bar);
    DrainMessages();
    bar.Up(CPoint(20, 10));
    button->OnClick(FALSE, CPoint(20, 10));
    EXPECT_EQ(site.m_notifications, 1);
    EXPECT_TRUE(site.m_commands.empty());
}

TEST(ControlPress, RealRepeatTimerRunsUntilRelease)
{
    ControlSite site;
    BarWindow bar(site);
    CUTKControlButton* button = AddButton(bar);
    button->SetExecuteOnPressInterval(100);
    DrainMessages();
    site.m_onCommand = [&bar, &site](int) {
        if (site.m_commands.size() == 3) {
            bar.Up(CPoint(20, 10));
        }
    };
    button->OnClick(FALSE, CPoint(20, 10));
    EXPECT_EQ(site.m_commands.size(), 3u);
}

TEST(ControlPress, QuitDuringPressEndsItAndIsPostedAgain)
{
    ControlSite site;
    BarWindow bar(site);
    CUTKControlButton* button = AddButton(bar);
    DrainMessages();
    ::PostQuitMessage(3);
    button->OnClick(FALSE, CPoint(20, 10));
    EXPECT_EQ(site.m_notifications, 0);
    EXPECT_EQ(::GetCapture(), nullptr);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST(ControlPress, HandlerRemovingThePressedButton)
{
    ControlSite site;
    BarWindow bar(site);
    CUTKControlButton* button = AddButton(bar);
    AddButton(bar, kId + 1);
    DrainMessages();
    site.m_onCommand = [&bar, button](int) { bar.Controls()->Remove(button); };
    bar.Up(CPoint(20, 10));
    button->OnClick(FALSE, CPoint(20, 10));
    EXPECT_EQ(site.m_commands, std::vector<int>{kId});
    ASSERT_EQ(bar.Controls()->GetCount(), 1);
    EXPECT_EQ(bar.Controls()->GetAt(0)->GetID(), kId + 1);
}

TEST(ControlPress, PopupBarItemsExecuteOnRelease)
{
    ControlSite site;
    BarWindow bar(site, utkBarTypePopup, utkBarPopup);
    CUTKControlButton* button = AddButton(bar);
    DrainMessages();
    button->OnClick(FALSE, CPoint(20, 10));
    EXPECT_TRUE(site.m_commands.empty()); // no press loop in a popup
    EXPECT_EQ(::GetCapture(), nullptr);
    button->OnLButtonUp(CPoint(20, 10));
    EXPECT_EQ(site.m_commands, std::vector<int>{kId});
    button->SetEnabled(FALSE);
    button->OnLButtonUp(CPoint(20, 10));
    EXPECT_EQ(site.m_commands.size(), 1u);
}

TEST(ControlPress, SplitButtonPartsTable)
{
    // Button part: left of the drop-down; arrow part: its right edge.
    struct Case {
        const char* name;
        BOOL enabled;
        bool keyboard;
        bool onArrow;
        int executed;
        int popups;
    };
    const Case cases[] = {
        {"4: keyboard executes", CUTKControlPopup::kSplitButtonOnly, true, false, 1, 0},
        {"4: button part executes", CUTKControlPopup::kSplitButtonOnly, false, false, 1, 0},
        {"4: arrow part does not open", CUTKControlPopup::kSplitButtonOnly, false, true, 0, 0},
        {"5: keyboard opens", CUTKControlPopup::kSplitArrowOnly, true, false, 0, 1},
        {"5: arrow part opens", CUTKControlPopup::kSplitArrowOnly, false, true, 0, 1},
        {"5: button part does nothing", CUTKControlPopup::kSplitArrowOnly, false, false, 0, 0},
        {"1: arrow part opens", TRUE, false, true, 0, 1},
        {"1: button part executes", TRUE, false, false, 1, 0},
    };
    for (const Case& c : cases) {
        ControlSite site;
        BarWindow bar(site);
        auto* popupBar = new RecordingPopupBar();
        auto* split = CUTKControlPopup::CreateControlPopup(utkControlSplitButtonPopup);
        bar.Controls()->InsertAt(split);
        split->SetID(kId);
        split->SetCaption(L"Split");
        split->SetRect(CRect(10, 5, 80, 27));
        split->SetCommandBar(popupBar);
        popupBar->InternalRelease(); // the control holds the only reference now
        split->m_enabled = c.enabled;
        DrainMessages();
        const CRect command = split->GetPaintManager()->GetSplitButtonCommandRect(split);
        ASSERT_LT(command.right, 80) << c.name;
        const CPoint point = c.onArrow ? CPoint(78, 15) : CPoint(12, 15);
        if (!c.keyboard) {
            bar.Up(point);
        }
        split->OnClick(c.keyboard ? TRUE : FALSE, point);
        EXPECT_EQ(static_cast<int>(site.m_commands.size()), c.executed) << c.name;
        EXPECT_EQ(popupBar->m_popups, c.popups) << c.name;
        if (c.popups > 0) {
            EXPECT_EQ(popupBar->m_lastControl, split) << c.name;
            EXPECT_TRUE(split->IsPopupOpen()) << c.name;
            bar.m_bar->SetPopuped(-1);
            EXPECT_FALSE(split->IsPopupOpen()) << c.name;
        }
        EXPECT_EQ(::GetCapture(), nullptr) << c.name;
    }
}

TEST(ControlPress, SplitButtonHotPartsAndPopupRelease)
{
    ControlSite site;
    BarWindow bar(site, utkBarTypePopup, utkBarPopup);
    auto* popupBar = new RecordingPopupBar();
    auto* split = CUTKControlPopup::CreateControlPopup(utkControlSplitButtonPopup);
    bar.Controls()->InsertAt(split);
    split->SetID(kId);
    split->SetRect(CRect(0, 0, 150, 22));
    split->SetCommandBar(popupBar);
    popupBar->InternalRelease();
    split->m_selected = utkSelectedMouse;
    split->OnMouseMove(CPoint(10, 10));
    EXPECT_EQ(split->GetSelected(), utkSelectedSplitButton);
    split->OnMouseMove(CPoint(145, 10));
    EXPECT_EQ(split->GetSelected(), utkSelectedSplitArrow);
    // In a popup bar the button part executes on release; the arrow part does not.
    split->OnLButtonUp(CPoint(145, 10));
    EXPECT_TRUE(site.m_commands.empty());
    split->OnLButtonUp(CPoint(10, 10));
    EXPECT_EQ(site.m_commands, std::vector<int>{kId});
    split->m_enabled = CUTKControlPopup::kSplitArrowOnly;
    split->OnLButtonUp(CPoint(10, 10));
    EXPECT_EQ(site.m_commands.size(), 1u);
}

TEST(ControlPress, PopupWithoutBarActsAsButtonAndRefusesToOpen)
{
    ControlSite site;
    BarWindow bar(site, utkBarTypePopup, utkBarPopup);
    auto* popup = CUTKControlPopup::CreateControlPopup(utkControlPopup);
    bar.Controls()->InsertAt(popup);
    popup->SetID(kId);
    popup->SetRect(CRect(0, 0, 100, 22));
    EXPECT_FALSE(popup->SetPopuped(TRUE));
    EXPECT_FALSE(popup->IsPopupOpen());
    popup->OnLButtonUp(CPoint(5, 5));
    EXPECT_EQ(site.m_commands, std::vector<int>{kId});
    popup->OnKeyboardActivate();
    EXPECT_EQ(site.m_commands.size(), 2u);
}

namespace {

struct MenuTitle {
    CUTKControlPopup* control;
    RecordingPopupBar* popup;
};

MenuTitle AddMenuTitle(const BarWindow& bar, const ControlSite& site, int id, CRect rc)
{
    auto* popupBar = new RecordingPopupBar();
    popupBar->SetOwnerWindow(CWnd::FromHandle(site.m_window));
    auto* title = CUTKControlPopup::CreateControlPopup(utkControlPopup);
    bar.Controls()->InsertAt(title);
    title->SetID(id);
    title->SetCaption(L"&File");
    title->SetRect(rc);
    title->SetCommandBar(popupBar);
    popupBar->InternalRelease();
    return MenuTitle{title, popupBar};
}

} // namespace

TEST(ControlPopup, MenuTitleClickOpensAndSecondClickCloses)
{
    ControlSite site;
    BarWindow bar(site, utkBarTypeMenuBar, utkBarTop);
    const MenuTitle file = AddMenuTitle(bar, site, 600, CRect(0, 0, 40, 22));
    DrainMessages();
    file.control->OnClick(FALSE, CPoint(10, 10));
    EXPECT_EQ(file.popup->m_popups, 1);
    EXPECT_FALSE(file.popup->m_lastSelectFirst);
    EXPECT_TRUE(file.control->IsPopupOpen());
    EXPECT_EQ(bar.m_bar->GetPopupedIndex(), file.control->GetIndex());
    file.control->OnClick(FALSE, CPoint(10, 10));
    EXPECT_FALSE(file.control->IsPopupOpen());
    EXPECT_EQ(file.popup->m_popups, 1);
    EXPECT_EQ(bar.m_bar->GetPopupedIndex(), -1);
    // From the keyboard the popup opens with its first item selected.
    file.control->OnKeyboardActivate();
    EXPECT_EQ(file.popup->m_popups, 2);
    EXPECT_TRUE(file.popup->m_lastSelectFirst);
    bar.m_bar->SetTrackingMode(0);
    EXPECT_FALSE(file.control->IsPopupOpen());
    EXPECT_TRUE(site.m_commands.empty());
}

TEST(ControlPopup, HotTrackingMovesTheOpenMenuToTheNextTitle)
{
    ControlSite site;
    BarWindow bar(site, utkBarTypeMenuBar, utkBarTop);
    const MenuTitle file = AddMenuTitle(bar, site, 600, CRect(0, 0, 40, 22));
    const MenuTitle edit = AddMenuTitle(bar, site, 601, CRect(40, 0, 80, 22));
    DrainMessages();
    file.control->OnClick(FALSE, CPoint(10, 10));
    ASSERT_TRUE(file.control->IsPopupOpen());
    bar.m_bar->SetSelected(edit.control->GetIndex(), utkSelectMouse);
    EXPECT_FALSE(file.control->IsPopupOpen());
    EXPECT_TRUE(edit.control->IsPopupOpen());
    EXPECT_EQ(edit.popup->m_popups, 1);
    bar.m_bar->SetTrackingMode(0);
}

TEST(ControlPopup, DoubleClickRunsTheSubmenuDefaultItem)
{
    ControlSite site;
    BarWindow bar(site, utkBarTypeMenuBar, utkBarTop);
    const MenuTitle file = AddMenuTitle(bar, site, 600, CRect(0, 0, 40, 22));
    for (int id : {701, 702}) {
        auto* item = new CUTKControlButton();
        file.popup->GetControls()->InsertAt(item);
        item->SetID(id);
        item->SetDefaultItem(id == 702);
    }
    DrainMessages();
    EXPECT_TRUE(file.control->OnLButtonDblClk(CPoint(10, 10)));
    EXPECT_EQ(file.popup->m_popups, 1);
    EXPECT_EQ(site.m_commands, std::vector<int>{702});
    bar.m_bar->SetTrackingMode(0);
}

TEST(ControlPress, KeyboardDisabledAndPressedLook)
{
    ControlSite site;
    BarWindow bar(site);
    CUTKControlButton* button = AddButton(bar);
    DrainMessages();
    std::vector<int> pressedDuringCommand;
    site.m_onCommand = [&](int) { pressedDuringCommand.push_back(button->GetPressed()); };

    // A keyboard click executes at once, without a press loop.
    button->OnClick(TRUE, CPoint(0, 0));
    EXPECT_EQ(site.m_commands.size(), 1u);
    EXPECT_EQ(::GetCapture(), nullptr);

    // A mouse press shows the button pressed (2) while its command runs, then releases it.
    bar.Up(CPoint(20, 10));
    button->OnClick(FALSE, CPoint(20, 10));
    ASSERT_EQ(pressedDuringCommand.size(), 2u);
    EXPECT_EQ(pressedDuringCommand[1], utkPressedExecuting);
    EXPECT_EQ(button->GetPressed(), utkPressedNone);

    // Repeat mode keeps the held look (1) while the commands run.
    button->SetExecuteOnPressInterval(100);
    bar.Up(CPoint(20, 10));
    button->OnClick(FALSE, CPoint(20, 10));
    ASSERT_EQ(pressedDuringCommand.size(), 3u);
    EXPECT_EQ(pressedDuringCommand[2], utkPressedMouse);

    // Disabled: nothing, by mouse or keyboard.
    button->SetEnabled(FALSE);
    bar.Up(CPoint(20, 10));
    button->OnClick(FALSE, CPoint(20, 10));
    button->OnClick(TRUE, CPoint(0, 0));
    EXPECT_EQ(site.m_commands.size(), 3u);
    DrainMessages();
}

TEST(ControlPress, RepeatingButtonRemovedByItsCommandEndsTheLoop)
{
    ControlSite site;
    BarWindow bar(site);
    CUTKControlButton* button = AddButton(bar);
    button->SetExecuteOnPressInterval(100);
    DrainMessages();
    site.m_onCommand = [&bar, button](int) { bar.Controls()->Remove(button); };
    // Ticks that would repeat the command if the loop went on; no release comes.
    bar.Post(WM_TIMER, ControlPressLoop::kRepeatTimer);
    bar.Post(WM_TIMER, ControlPressLoop::kRepeatTimer);
    button->OnClick(FALSE, CPoint(20, 10));
    EXPECT_EQ(site.m_commands, std::vector<int>{kId});
    EXPECT_EQ(bar.Controls()->GetCount(), 0);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_FALSE(::KillTimer(bar.Hwnd(), ControlPressLoop::kRepeatTimer));
    DrainMessages();
}

TEST(ControlPopup, DraggingOverAPopupOpensItUnlessItHoldsTheDraggedOne)
{
    ControlSite site;
    BarWindow bar(site, utkBarTypeMenuBar, utkBarTop);
    const MenuTitle file = AddMenuTitle(bar, site, 600, CRect(0, 0, 40, 22));
    DrainMessages();
    DWORD effect = 0;

    // Another popup dragged over the title: the title opens so that it can take the drop.
    Held<CUTKControlPopup> other(CUTKControlPopup::CreateControlPopup(utkControlPopup));
    file.control->OnCustomizeDragOver(other.get(), CPoint(10, 10), effect);
    EXPECT_EQ(file.popup->m_popups, 1);
    EXPECT_TRUE(file.control->IsPopupOpen());
    bar.m_bar->SetTrackingMode(0);

    // A popup whose own bar holds this title: dropping it here would put it inside itself.
    Held<CUTKControlPopup> owner(CUTKControlPopup::CreateControlPopup(utkControlPopup));
    owner->SetCommandBar(bar.m_bar);
    file.control->OnCustomizeDragOver(owner.get(), CPoint(10, 10), effect);
    EXPECT_EQ(file.popup->m_popups, 1);
    EXPECT_FALSE(file.control->IsPopupOpen());
    EXPECT_EQ(bar.m_bar->GetSelectedIndex(), -1);
    owner->SetCommandBar(nullptr);
}
