// Command bar base without input: fields and their defaults, sizes with and without a command
// bars object, the service chains (paint and image managers, site), pending work, menus,
// drop marks, help ids, mnemonics, accessibility, and painting read back by WM_PRINTCLIENT.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "tests/toolkit/commandbars/CommandBarTestBar.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKCommandBarsOptions.h"
#include "platform/framework/CArchive.h"
#include "platform/framework/CMemFile.h"
#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/common/CUTKPropExchangeArchive.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControlButton.h"
#include "toolkit/controls/CUTKControlPopup.h"
#include "toolkit/controls/CUTKControls.h"
#include "toolkit/themes/CUTKPaintManager.h"

using bartest::TestBar;

namespace {

// Releases a bar (and destroys its window) at the end of a test.
struct BarRef {
    explicit BarRef(TestBar* b) : bar(b) {}
    ~BarRef()
    {
        if (bar->GetSafeHwnd() != nullptr)
            bar->DestroyWindow();
        bar->InternalRelease();
    }
    TestBar* operator->() const { return bar; }
    TestBar* bar;
};

struct CommandBarsRef {
    CommandBarsRef() : bars(new CUTKCommandBars()) {}
    ~CommandBarsRef() { bars->InternalRelease(); }
    CUTKCommandBars* bars;
};

} // namespace

TEST(CommandBarFields, DefaultsAfterConstruction)
{
    BarRef bar(new TestBar());
    EXPECT_EQ(bar->GetType(), utkBarTypeNormal);
    EXPECT_EQ(bar->GetPosition(), utkBarNone);
    EXPECT_EQ(bar->GetFlags(), 0u);
    EXPECT_EQ(bar->GetBarStyle(), 0x400000u);
    EXPECT_TRUE(bar->GetStyleBit22());
    EXPECT_EQ(bar->GetWidth(), 32767);
    EXPECT_EQ(bar->GetSelectedIndex(), -1);
    EXPECT_EQ(bar->GetPopupedIndex(), -1);
    EXPECT_EQ(bar->GetTrackingMode(), 0);
    EXPECT_EQ(bar->GetPending(), 0u);
    EXPECT_EQ(bar->GetDefaultButtonStyle(), 0);
    EXPECT_EQ(bar->GetShowTextBelowIcons(), 2);
    EXPECT_TRUE(bar->IsCustomizable());
    EXPECT_TRUE(bar->IsHoverPopup());
    EXPECT_TRUE(bar->IsHideCaret());
    EXPECT_EQ(bar->GetReturnCmd(), nullptr);
    EXPECT_EQ(bar->GetCommandWindow(), nullptr);
    EXPECT_EQ(bar->GetCommandBars(), nullptr);
    EXPECT_EQ(bar->GetTextOrientation(), 0);
    EXPECT_FALSE(bar->IsDoubleIconColumn());
    EXPECT_FALSE(bar->IsPopupBar());
    EXPECT_FALSE(bar->IsDialogBar());
    EXPECT_FALSE(bar->IsCustomizeMode());
    ASSERT_NE(bar->GetControls(), nullptr);
    EXPECT_EQ(bar->GetControls()->GetParent(), bar.bar);
    EXPECT_EQ(bar->GetControlCount(), 0);
    EXPECT_EQ(bar->GetControl(0), nullptr);
    EXPECT_EQ(bar->GetDefaultItem(), -1);
}

TEST(CommandBarFields, FlagsAndStyleBits)
{
    BarRef bar(new TestBar());
    bar->SetFlags(0x3F);
    bar->ModifyFlags(0x100, 0x0F);
    EXPECT_EQ(bar->GetFlags(), 0x130u);
    bar->SetStyleBit22(FALSE);
    EXPECT_EQ(bar->GetBarStyle(), 0u);
    bar->SetStyleBit22(TRUE);
    EXPECT_EQ(bar->GetBarStyle(), 0x400000u);
    // A plain bar records a position but reports that it did not dock; nonsense is refused.
    EXPECT_FALSE(bar->SetPosition(utkBarLeft));
    EXPECT_EQ(bar->GetPosition(), utkBarLeft);
    EXPECT_TRUE(bar->IsVerticalPosition());
    bar->SetPosition(99);
    EXPECT_EQ(bar->GetPosition(), utkBarLeft);
    bar->SetPosition(utkBarTop);
    EXPECT_FALSE(bar->IsVerticalPosition());
    bar->SetType(utkBarTypePopup);
    EXPECT_TRUE(bar->IsVerticalPosition()) << "popups are laid out vertically at any position";
}

TEST(CommandBarSizes, WithoutCommandBars)
{
    struct Case {
        CSize icon, button;
        CSize wantIcon, wantButton, wantLarge;
    } cases[] = {
        {{0, 0}, {0, 0}, {16, 16}, {22, 22}, {32, 32}},
        {{24, 24}, {0, 0}, {24, 24}, {30, 30}, {48, 48}},
        {{20, 16}, {40, 30}, {20, 16}, {40, 30}, {40, 32}},
        {{0, 0}, {50, 50}, {16, 16}, {50, 50}, {32, 32}},
    };
    for (const Case& c : cases) {
        BarRef bar(new TestBar());
        bar->SetIconSize(c.icon);
        bar->SetButtonSize(c.button);
        EXPECT_EQ(bar->GetIconSize(), c.wantIcon) << c.icon.cx;
        EXPECT_EQ(bar->GetButtonSize(), c.wantButton) << c.icon.cx;
        EXPECT_EQ(bar->GetLargeIconSize(FALSE), c.wantLarge) << c.icon.cx;
    }
}

TEST(CommandBarSizes, FromTheOptions)
{
    CommandBarsRef owner;
    CUTKCommandBarsOptions* options = owner.bars->GetCommandBarsOptions();
    BarRef bar(new TestBar());
    bar->SetCommandBars(owner.bars);
    const CSize autoSize = bar->GetPaintManager()->GetAutoIconSize(FALSE);
    EXPECT_EQ(bar->GetIconSize(), autoSize);
    options->szIcons = CSize(20, 20);
    EXPECT_EQ(bar->GetIconSize(), CSize(20, 20));
    EXPECT_EQ(bar->GetButtonSize(), CSize(26, 26));
    options->bLargeIcons = TRUE;
    options->szLargeIcons = CSize(40, 40);
    EXPECT_EQ(bar->GetIconSize(), CSize(40, 40));
    EXPECT_EQ(bar->GetLargeIconSize(FALSE), CSize(40, 40));
    bar->SetButtonSize(CSize(30, 30));
    EXPECT_EQ(bar->GetIconSize(), CSize(20, 20)) << "a bar with its own button size keeps normal icons";
    EXPECT_EQ(bar->GetLargeIconSize(FALSE), CSize(20, 20));
    bar->SetType(utkBarTypePopup);
    options->szPopupIcons = CSize(18, 18);
    EXPECT_EQ(bar->GetIconSize(), CSize(18, 18));
    // Text below icons: the bar's own setting unless 2, else the option.
    EXPECT_FALSE(bar->IsTextBelowIcons());
    options->bShowTextBelowIcons = TRUE;
    EXPECT_TRUE(bar->IsTextBelowIcons());
    bar->ShowTextBelowIcons(0);
    EXPECT_FALSE(bar->IsTextBelowIcons());
}

TEST(CommandBarServices, PaintAndImageManagerChain)
{
    CUTKPaintManager* global = CUTKPaintManager::GetGlobalPaintManager();
    ASSERT_NE(global, nullptr);
    CommandBarsRef owner;
    BarRef root(new TestBar());
    BarRef child(new TestBar());
    child->m_parentBar = root.bar;
    EXPECT_EQ(child->GetRootParent(), root.bar);
    EXPECT_EQ(root->GetRootParent(), root.bar);
    EXPECT_EQ(child->GetPaintManager(), global);
    EXPECT_EQ(child->GetImageManager(), GetImageManager());

    CUTKPaintManager* rootTheme = CUTKPaintManager::CreateTheme(0);
    root->SetPaintManager(rootTheme);
    rootTheme->InternalRelease();  // the bar holds its own reference
    EXPECT_EQ(child->GetPaintManager(), rootTheme) << "root parent's own";

    root->SetCommandBars(owner.bars);
    EXPECT_EQ(child->GetCommandBars(), owner.bars) << "through the parent bar";
    CUTKPaintManager* ownerTheme = CUTKPaintManager::CreateTheme(0);
    owner.bars->SetPaintManager(ownerTheme);
    EXPECT_EQ(child->GetPaintManager(), ownerTheme) << "the manager's before the root's";

    CUTKPaintManager* ownTheme = CUTKPaintManager::CreateTheme(0);
    child->SetPaintManager(ownTheme);
    EXPECT_EQ(child->GetPaintManager(), ownTheme);
    EXPECT_EQ(ownTheme->m_dwRef, 2);
    child->SetPaintManager(nullptr);
    EXPECT_EQ(ownTheme->m_dwRef, 1) << "the bar's reference goes, the caller's stays";
    EXPECT_EQ(child->GetPaintManager(), ownerTheme);
    ownTheme->InternalRelease();

    // The command bars take over the reference they are given.
    CUTKImageManager* images = new CUTKImageManager();
    owner.bars->SetImageManager(images);
    EXPECT_EQ(child->GetImageManager(), images);
    EXPECT_EQ(images->m_dwRef, 1);
}

TEST(CommandBarServices, SiteAndOwnerSite)
{
    bartest::Site site;
    CWnd* siteWnd = CWnd::FromHandle(site.m_window);
    BarRef root(new TestBar());
    BarRef child(new TestBar());
    child->m_parentBar = root.bar;
    ASSERT_TRUE(bartest::CreateBarWindow(root.bar, site.m_window, CRect(100, 100, 300, 130)));
    EXPECT_EQ(child->GetSite()->GetSafeHwnd(), site.m_window) << "the root window's owner";
    EXPECT_EQ(child->GetOwnerSite()->GetSafeHwnd(), site.m_window);
    EXPECT_EQ(child->GetFrameSite(), nullptr) << "a plain window is no frame";

    CWnd other;
    other.CreateEx(0, AfxRegisterWndClass(0), L"other", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
    root->SetOwnerWindow(&other);
    EXPECT_EQ(child->GetSite(), &other) << "the root's owner window first";
    root->SetCommandWindow(siteWnd);
    EXPECT_EQ(child->GetOwnerSite(), siteWnd) << "the first command window up the chain";
    child->SetCommandWindow(&other);
    EXPECT_EQ(child->GetOwnerSite(), &other);

    CommandBarsRef owner;
    owner.bars->SetSite(siteWnd);
    root->SetCommandBars(owner.bars);
    EXPECT_EQ(child->GetSite(), siteWnd) << "the manager's site above everything";
    other.DestroyWindow();
}

TEST(CommandBarPending, ControlsChangedAndRedrawLock)
{
    bartest::Site site;
    BarRef bar(new TestBar());
    ASSERT_TRUE(bartest::CreateBarWindow(bar.bar, site.m_window, CRect(100, 100, 300, 130)));
    bar->AddButtons({L"&One", L"&Two"});
    ::ValidateRect(bar->GetSafeHwnd(), nullptr);
    bar->OnControlsChanged();
    EXPECT_TRUE(bar->IsRelayoutPending());
    EXPECT_EQ(bar->GetSelectedIndex(), -1);

    bar->LockRedraw();
    bar->LockRedraw();
    bar->Redraw(nullptr, FALSE);
    EXPECT_TRUE(bar->IsRedrawPending());
    EXPECT_FALSE(::GetUpdateRect(bar->GetSafeHwnd(), nullptr, FALSE)) << "nothing invalidated while locked";
    bar->UnlockRedraw();
    EXPECT_FALSE(::GetUpdateRect(bar->GetSafeHwnd(), nullptr, FALSE));
    bar->UnlockRedraw();
    EXPECT_FALSE(bar->IsRedrawPending());
    EXPECT_TRUE(::GetUpdateRect(bar->GetSafeHwnd(), nullptr, FALSE)) << "the last unlock redraws once";
    bar->UnlockRedraw();  // an unbalanced unlock changes nothing
    EXPECT_EQ(bar->GetRedrawLock(), 0);

    // Pending work is carried out by the idle update of a visible window.
    bar->UpdatePending();
    EXPECT_FALSE(bar->IsRelayoutPending());
}

TEST(CommandBarMenu, LoadMenuGroupsBreaksAndStates)
{
    BarRef bar(new TestBar());
    EXPECT_FALSE(bar->LoadMenu(nullptr));
    EXPECT_FALSE(bar->LoadMenu(reinterpret_cast<HMENU>(0x1234)));
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING, 101, L"&Open");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING | MF_CHECKED, 102, L"&Loop");
    ::AppendMenuW(menu, MF_STRING | MF_GRAYED, 103, L"&Record");
    ::AppendMenuW(menu, MF_STRING | MF_MENUBARBREAK, 104, L"&Next column");
    ::AppendMenuW(menu, MF_STRING | MF_MENUBREAK, 105, L"&Plain break");
    ASSERT_TRUE(bar->LoadMenu(menu));
    ::DestroyMenu(menu);
    ASSERT_EQ(bar->GetControlCount(), 5);
    struct Want {
        int id;
        BOOL group, checked, enabled;
        DWORD breakFlag;
    } want[] = {
        {101, FALSE, FALSE, TRUE, 0}, {102, TRUE, TRUE, TRUE, 0}, {103, FALSE, FALSE, FALSE, 0},
        {104, TRUE, FALSE, TRUE, 0x80}, {105, FALSE, FALSE, TRUE, 0x80},
    };
    for (int i = 0; i < 5; ++i) {
        CUTKControl* c = bar->GetControl(i);
        EXPECT_EQ(c->GetID(), want[i].id);
        EXPECT_EQ(c->GetBeginGroup(), want[i].group) << want[i].id;
        EXPECT_EQ(c->GetChecked(), want[i].checked) << want[i].id;
        EXPECT_EQ(c->GetEnabled(), want[i].enabled) << want[i].id;
        EXPECT_EQ(c->GetFlags() & 0x80, want[i].breakFlag) << want[i].id;
    }
}

TEST(CommandBarMnemonics, FindAccelTable)
{
    struct Case {
        std::vector<const wchar_t*> captions;
        int selected;
        UINT key;
        int want;
        BOOL ambiguous;
    } cases[] = {
        {{L"&File", L"&Edit", L"&View"}, -1, 'E', 1, FALSE},
        {{L"&File", L"F&ormat", L"&Folder"}, -1, 'F', 0, TRUE},   // two mnemonics: the first, select only
        {{L"&File", L"F&ormat", L"&Folder"}, 0, 'F', 2, TRUE},    // starts after the hot control
        {{L"Save", L"&Send", L"Stop"}, -1, 'S', 1, FALSE},        // a mnemonic beats first letters
        {{L"Save", L"Stop", L"Exit"}, -1, 'S', 0, TRUE},          // two first letters: select only
        {{L"Save", L"Stop", L"Exit"}, -1, 'E', 2, FALSE},
        {{L"A&&B", L"Help"}, -1, 'B', -1, FALSE},                  // "&&" is no mnemonic
        {{L"\u00C4ndern", L"Help"}, -1, 'A', -1, FALSE},           // a character above 0x7F is itself
        {{L"&File", L"&Edit"}, -1, 'Z', -1, FALSE},
        // Keys at 0x80 and above are themselves: VK_OEM_1 types ';' on the US layout.
        {{L"&File", L"Semi&;colon"}, -1, VK_OEM_1, 1, FALSE},
        {{L"&File", L"&1 recent"}, -1, '1', 1, FALSE},
    };
    for (const Case& c : cases) {
        BarRef bar(new TestBar());
        bar->AddButtons(c.captions);
        bartest::Site site;
        ASSERT_TRUE(bartest::CreateBarWindow(bar.bar, site.m_window, CRect(100, 100, 300, 130)));
        if (c.selected >= 0)
            bar->SetSelected(c.selected, utkSelectKeyboard);
        BOOL ambiguous = -1;
        EXPECT_EQ(bar->FindAccel(c.key, ambiguous), c.want) << c.captions[0] << " key " << c.key;
        EXPECT_EQ(ambiguous, c.ambiguous) << c.captions[0] << " key " << c.key;
    }
    // Disabled controls take no part.
    BarRef bar(new TestBar());
    bar->AddButtons({L"&File", L"&Format"});
    bar->GetControl(0)->SetEnabled(FALSE);
    BOOL ambiguous = TRUE;
    EXPECT_EQ(bar->FindAccel('F', ambiguous), 1);
    EXPECT_FALSE(ambiguous);
}

TEST(CommandBarKeys, ArrowTable)
{
    struct Case {
        UINT key;
        int horizontalLtr, horizontalRtl, verticalLtr, verticalRtl;
    } cases[] = {
        {VK_LEFT, 8, 9, 2, 3}, {VK_RIGHT, 9, 8, 3, 2}, {VK_UP, 2, 2, 1, 1},
        {VK_DOWN, 3, 3, 0, 0}, {VK_HOME, 6, 6, 6, 6},  {VK_END, 7, 7, 7, 7},
        {'A', -1, -1, -1, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CUTKCommandBar::ArrowKeyCode(c.key, TRUE, FALSE), c.horizontalLtr) << c.key;
        EXPECT_EQ(CUTKCommandBar::ArrowKeyCode(c.key, TRUE, TRUE), c.horizontalRtl) << c.key;
        EXPECT_EQ(CUTKCommandBar::ArrowKeyCode(c.key, FALSE, FALSE), c.verticalLtr) << c.key;
        EXPECT_EQ(CUTKCommandBar::ArrowKeyCode(c.key, FALSE, TRUE), c.verticalRtl) << c.key;
    }
    // Which bars count as horizontal for the keys.
    struct Kind {
        int position, type;
        BOOL horizontal;
    } kinds[] = {
        {utkBarTop, 1, TRUE},   {utkBarBottom, 0, TRUE}, {utkBarFloating, 1, TRUE},
        {utkBarLeft, 1, FALSE}, {utkBarRight, 1, FALSE}, {utkBarPopup, 2, FALSE},
        {utkBarPopup, 1, TRUE}, {utkBarNone, 1, FALSE},
    };
    for (const Kind& k : kinds) {
        BarRef bar(new TestBar());
        bar->SetPosition(k.position);
        bar->SetType(k.type);
        EXPECT_EQ(bar->IsHorizontalKeys(), k.horizontal) << k.position << "/" << k.type;
    }
}

TEST(CommandBarDrop, IndexAndMarks)
{
    bartest::Site site;
    BarRef bar(new TestBar());
    ASSERT_TRUE(bartest::CreateBarWindow(bar.bar, site.m_window, CRect(100, 100, 300, 130)));
    CRect mark;
    int index = 5;
    BOOL after = FALSE;
    bar->FindDropIndex(nullptr, CPoint(50, 10), mark, index, after);
    EXPECT_EQ(index, -1);
    EXPECT_TRUE(after);
    EXPECT_EQ(mark, CRect(2, 2, 8, 28)) << "a 6-pixel strip at the left of the client area";

    bar->SetPosition(utkBarTop);
    bar->AddButtons({L"A", L"B", L"C"});  // 2..42, 42..82, 82..122
    bar->GetControl(2)->SetBeginGroup(TRUE);
    struct Case {
        int x;
        int index;
        BOOL after;
        CRect mark;
    } cases[] = {
        {10, 0, FALSE, CRect(2, 2, 8, 24)},
        {30, 0, TRUE, CRect(42, 2, 48, 24)},     // inside the next control
        {70, 1, TRUE, CRect(76, 2, 82, 24)},     // the next starts a group: inside this one
        {130, 2, TRUE, CRect(116, 2, 122, 24)},  // the last one
    };
    for (const Case& c : cases) {
        bar->FindDropIndex(nullptr, CPoint(c.x, 10), mark, index, after);
        EXPECT_EQ(index, c.index) << c.x;
        EXPECT_EQ(after, c.after) << c.x;
        EXPECT_EQ(mark, c.mark) << c.x;
    }
    bar->FindDropIndex(bar->GetControl(1), CPoint(60, 10), mark, index, after);
    EXPECT_EQ(index, 1);
    EXPECT_TRUE(mark.IsRectEmpty()) << "over the dragged control itself";
}

TEST(CommandBarHelp, HelpHitTestIds)
{
    bartest::Site site;
    BarRef bar(new TestBar());
    ASSERT_TRUE(bartest::CreateBarWindow(bar.bar, site.m_window, CRect(100, 100, 300, 130)));
    bar->AddButtons({L"A", L"B"}, 300);
    bar->GetControl(1)->SetHelpId(77);
    EXPECT_EQ(::SendMessageW(bar->GetSafeHwnd(), 0x0366, 0, MAKELPARAM(10, 10)), 0x10000 + 300);
    EXPECT_EQ(::SendMessageW(bar->GetSafeHwnd(), 0x0366, 0, MAKELPARAM(50, 10)), 0x10000 + 77);
    EXPECT_EQ(::SendMessageW(bar->GetSafeHwnd(), 0x0366, 0, MAKELPARAM(180, 10)), 0) << "window id 0";
}

TEST(CommandBarAccessible, RolesStatesAndRanges)
{
    bartest::Site site;
    BarRef bar(new TestBar());
    ASSERT_TRUE(bartest::CreateBarWindow(bar.bar, site.m_window, CRect(100, 100, 300, 130)));
    bar->AddButtons({L"&Open", L"&Play"});
    bar->GetControl(1)->SetShortcutText(L"Ctrl+P");
    bar->SetTitle(L"Standard");
    IAccessible* acc = bar->GetAccessible();

    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role{};
    const struct {
        int type;
        long role;
    } roles[] = {{0, ROLE_SYSTEM_MENUBAR}, {1, ROLE_SYSTEM_TOOLBAR}, {2, ROLE_SYSTEM_MENUPOPUP}};
    for (const auto& r : roles) {
        bar->SetType(r.type);
        ASSERT_EQ(acc->get_accRole(self, &role), S_OK);
        EXPECT_EQ(role.lVal, r.role);
    }
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = 2;
    ASSERT_EQ(acc->get_accRole(child, &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_MENUITEM);
    BSTR name = nullptr;
    ASSERT_EQ(acc->get_accName(child, &name), S_OK);
    EXPECT_STREQ(name, L"Play\tCtrl+P");
    ::SysFreeString(name);
    ASSERT_EQ(acc->get_accName(self, &name), S_OK);
    EXPECT_STREQ(name, L"Standard");
    ::SysFreeString(name);

    bar->SetSelected(1, utkSelectKeyboard);
    VARIANT state{};
    ASSERT_EQ(acc->get_accState(child, &state), S_OK);
    EXPECT_EQ(state.lVal, 0x300000 | 0x86);
    child.lVal = 1;
    ASSERT_EQ(acc->get_accState(child, &state), S_OK);
    EXPECT_EQ(state.lVal, 0x300000);
    bar->m_visibleBar = FALSE;
    ASSERT_EQ(acc->get_accState(self, &state), S_OK);
    EXPECT_EQ(state.lVal, STATE_SYSTEM_INVISIBLE);

    // Ids outside 0..count, negative ones too, touch no control.
    for (long bad : {3L, 100L, -1L, -4L, LONG_MIN}) {
        child.lVal = bad;
        EXPECT_EQ(acc->get_accRole(child, &role), E_INVALIDARG) << bad;
        EXPECT_EQ(acc->get_accName(child, &name), E_INVALIDARG) << bad;
        EXPECT_EQ(acc->get_accState(child, &state), E_INVALIDARG) << bad;
        IDispatch* disp = reinterpret_cast<IDispatch*>(1);
        EXPECT_EQ(acc->get_accChild(child, &disp), E_INVALIDARG) << bad;
        EXPECT_EQ(disp, nullptr);
        long l, t, w, h;
        EXPECT_EQ(acc->accLocation(&l, &t, &w, &h, child), E_INVALIDARG) << bad;
    }
    long count = 0;
    ASSERT_EQ(acc->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 2);

    // Hit tests: outside S_FALSE, over a control its child id, over empty space the bar.
    VARIANT hit{};
    EXPECT_EQ(acc->accHitTest(10, 10, &hit), S_FALSE);
    ASSERT_EQ(acc->accHitTest(100 + 50, 100 + 10, &hit), S_OK);
    EXPECT_EQ(hit.lVal, 2);
    ASSERT_EQ(acc->accHitTest(100 + 150, 100 + 10, &hit), S_OK);
    EXPECT_EQ(hit.lVal, CHILDID_SELF);
    long l, t, w, h;
    child.lVal = 2;
    ASSERT_EQ(acc->accLocation(&l, &t, &w, &h, child), S_OK);
    POINT origin{0, 0};
    ::ClientToScreen(bar->GetSafeHwnd(), &origin);
    EXPECT_EQ(l, origin.x + 42);
    EXPECT_EQ(t, origin.y + 2);
    EXPECT_EQ(w, 40);
    EXPECT_EQ(h, 22);
}

TEST(CommandBarAccessible, GetObjectRanges)
{
    bartest::Site site;
    BarRef bar(new TestBar());
    ASSERT_TRUE(bartest::CreateBarWindow(bar.bar, site.m_window, CRect(100, 100, 300, 130)));
    bar->AddButtons({L"&Open"}, 5000);
    HWND hwnd = bar->GetSafeHwnd();
    // The bar itself for the client and the menu object, a control by its command id.
    EXPECT_GT(::SendMessageW(hwnd, WM_GETOBJECT, 0, OBJID_CLIENT), 0);
    EXPECT_GT(::SendMessageW(hwnd, WM_GETOBJECT, 0, OBJID_MENU), 0);
    EXPECT_GT(::SendMessageW(hwnd, WM_GETOBJECT, 0, 5000), 0);
    // Anything else goes to the default procedure, which answers 0.
    for (LPARAM bad : {LPARAM(1), LPARAM(4999), LPARAM(0xFFFFFF), LPARAM(-2), LPARAM(-100), LPARAM(0x7FFFFFFF)})
        EXPECT_EQ(::SendMessageW(hwnd, WM_GETOBJECT, 0, bad), 0) << bad;
}

TEST(CommandBarPaint, PrintClientDrawsFillAndControls)
{
    bartest::Site site;
    BarRef bar(new TestBar());
    bar->SetStyleBit22(FALSE);
    ASSERT_TRUE(bartest::CreateBarWindow(bar.bar, site.m_window, CRect(100, 100, 300, 130)));
    bar->m_fill = RGB(10, 200, 30);
    LRESULT answer = 0;
    bartest::Pixels before = bartest::PrintClient(bar->GetSafeHwnd(), &answer);
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(before.At(150, 15), RGB(10, 200, 30));
    EXPECT_EQ(before.At(20, 12), RGB(10, 200, 30)) << "no controls yet";

    bar->AddButtons({L"&Open", L"&Play"});
    bar->GetControl(1)->SetBeginGroup(TRUE);
    bartest::Pixels normal = bartest::PrintClient(bar->GetSafeHwnd());
    bar->SetSelected(0, utkSelectMouse);
    bartest::Pixels hot = bartest::PrintClient(bar->GetSafeHwnd());
    int differing = 0;
    for (int y = 2; y < 24; ++y)
        for (int x = 2; x < 42; ++x)
            differing += hot.At(x, y) != normal.At(x, y);
    EXPECT_GT(differing, 20) << "the hot button differs from the normal one";
    for (int y = 0; y < hot.height; ++y)
        for (int x = 130; x < hot.width; ++x)
            ASSERT_EQ(hot.At(x, y), RGB(10, 200, 30)) << "outside the controls only the fill";
}

TEST(CommandBarPaint, NoDcDrawsNothing)
{
    BarRef bar(new TestBar());
    bar->DrawCommandBar(nullptr, CRect(0, 0, 10, 10));
    EXPECT_EQ(bar->m_fills, 0);
}

namespace {

using Bytes = std::vector<BYTE>;

Bytes StoreBar(CUTKCommandBar* bar, int schema)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CUTKPropExchangeArchive px(ar);
        px.m_nSchema = schema;
        try {
            bar->DoPropExchange(&px);
        } catch (CException* e) {
            ADD_FAILURE() << "store threw " << e->GetRuntimeClass()->m_lpszClassName
                          << (dynamic_cast<CArchiveException*>(e) ? static_cast<CArchiveException*>(e)->m_cause : -1);
            e->Delete();
        }
        ar.Close();
    }
    const UINT length = static_cast<UINT>(file.GetLength());
    BYTE* data = file.Detach();
    Bytes bytes(data, data + length);
    std::free(data);
    return bytes;
}

// TRUE when the load went through.
bool LoadBar(const Bytes& bytes, CUTKCommandBar* bar, int schema, UTK_COMMANDBARS_PROPEXCHANGE_PARAM* param = nullptr)
{
    try {
        CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
        CArchive ar(&file, CArchive::load);
        CUTKPropExchangeArchive px(ar);
        px.m_nSchema = schema;
        px.m_dwData = reinterpret_cast<DWORD_PTR>(param);
        bar->DoPropExchange(&px);
    } catch (CArchiveException* e) {
        e->Delete();
        return false;
    }
    return true;
}

} // namespace

TEST(CommandBarExchange, RoundTripByteForByte)
{
    BarRef bar(new TestBar());
    bar->SetType(utkBarTypeMenuBar);
    bar->SetPosition(utkBarRight);
    bar->SetBarID(128);
    bar->SetFlags(0x5F);
    bar->SetStyleBit22(FALSE);
    bar->SetTitle(L"Main menu");
    bar->SetCustomizable(FALSE);
    bar->SetWidth(300);
    bar->SetIconSize(CSize(24, 24));
    bar->SetButtonSize(CSize(30, 30));
    bar->ShowTextBelowIcons(1);
    bar->SetDefaultButtonStyle(3);
    // Controls travel by their class: a button and a split button linked to popup bar 301.
    auto* button = new CUTKControlButton();
    button->m_id = 57600;
    button->SetCaption(L"&Open");
    bar->GetControls()->Append(button);
    auto* split = new CUTKControlPopup();
    split->SetType(utkControlSplitButtonPopup);
    split->m_id = 32869;
    split->m_loadedBarId = 301;
    bar->GetControls()->Append(split);
    const Bytes first = StoreBar(bar.bar, 36);

    BarRef loaded(new TestBar());
    CommandBarsRef owner;
    UTK_COMMANDBARS_PROPEXCHANGE_PARAM param;
    param.pCommandBars = owner.bars;
    ASSERT_TRUE(LoadBar(first, loaded.bar, 36, &param));
    EXPECT_EQ(loaded->GetType(), utkBarTypeMenuBar);
    EXPECT_EQ(loaded->GetPosition(), utkBarRight);
    EXPECT_EQ(loaded->GetBarID(), 128u);
    EXPECT_EQ(loaded->GetFlags(), 0x5Fu);
    EXPECT_EQ(loaded->GetBarStyle(), 0u);
    EXPECT_EQ(loaded->GetTitle(), CString(L"Main menu"));
    EXPECT_FALSE(loaded->IsCustomizable());
    EXPECT_EQ(loaded->GetWidth(), 300);
    EXPECT_EQ(loaded->GetIconSizeField(), CSize(24, 24));
    EXPECT_EQ(loaded->GetButtonSizeField(), CSize(30, 30));
    EXPECT_EQ(loaded->GetShowTextBelowIcons(), 1);
    EXPECT_EQ(loaded->GetDefaultButtonStyle(), 3);
    EXPECT_EQ(loaded->GetCommandBars(), owner.bars) << "the manager of the parameter record";
    ASSERT_EQ(loaded->GetControlCount(), 2);
    EXPECT_TRUE(loaded->GetControl(0)->IsKindOf(RUNTIME_CLASS(CUTKControlButton)));
    EXPECT_EQ(loaded->GetControl(0)->GetCaption(), CString(L"&Open"));
    auto* loadedSplit = DYNAMIC_DOWNCAST(CUTKControlPopup, loaded->GetControl(1));
    ASSERT_NE(loadedSplit, nullptr);
    EXPECT_EQ(loadedSplit->GetType(), utkControlSplitButtonPopup);
    EXPECT_EQ(loadedSplit->GetID(), 32869);
    EXPECT_EQ(loadedSplit->GetLoadedBarId(), 301u);
    EXPECT_EQ(StoreBar(loaded.bar, 36), first);
}

TEST(CommandBarExchange, SchemaGatesAndNoParameterRecord)
{
    BarRef bar(new TestBar());
    bar->SetIconSize(CSize(24, 24));
    bar->SetButtonSize(CSize(30, 30));
    bar->SetDefaultButtonStyle(3);
    struct Case {
        int schema;
        CSize icon, button;
        int style;
    } cases[] = {
        {2, {0, 0}, {0, 0}, 0}, {3, {24, 24}, {0, 0}, 0}, {17, {24, 24}, {0, 0}, 0},
        {18, {24, 24}, {30, 30}, 0}, {19, {24, 24}, {30, 30}, 3},
    };
    for (const Case& c : cases) {
        BarRef loaded(new TestBar());
        ASSERT_TRUE(LoadBar(StoreBar(bar.bar, c.schema), loaded.bar, c.schema)) << c.schema;
        EXPECT_EQ(loaded->GetIconSizeField(), c.icon) << c.schema;
        EXPECT_EQ(loaded->GetButtonSizeField(), c.button) << c.schema;
        EXPECT_EQ(loaded->GetDefaultButtonStyle(), c.style) << c.schema;
        EXPECT_EQ(loaded->GetCommandBars(), nullptr) << "no record, no manager";
    }
}

TEST(CommandBarExchange, CutStreamsAreRefusedAndOutOfRangeValuesFallBack)
{
    BarRef bar(new TestBar());
    bar->SetType(utkBarTypePopup);
    bar->SetTitle(L"Tools");
    const Bytes whole = StoreBar(bar.bar, 36);
    for (size_t cut = 0; cut < whole.size(); cut += 3) {
        BarRef loaded(new TestBar());
        const Bytes part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_FALSE(LoadBar(part, loaded.bar, 36)) << "cut at " << cut;
    }
    // "Type" 9 and "Position" 42 are not values a bar can have.
    BarRef odd(new TestBar());
    odd->SetType(9);
    odd->SetPosition(utkBarFloating);
    Bytes bytes = StoreBar(odd.bar, 36);
    BarRef loaded(new TestBar());
    ASSERT_TRUE(LoadBar(bytes, loaded.bar, 36));
    EXPECT_EQ(loaded->GetType(), utkBarTypeNormal);
    EXPECT_EQ(loaded->GetPosition(), utkBarFloating);
}
