// The control base without a window: texts from string resources and captions, caption
// visibility, style and icon-id resolution, Compare/Copy, selection, accessibility answers,
// and the saved state (round trips byte for byte, schema thresholds, streams cut short).
#include "toolkit/controls/CUTKControl.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/toolkit/controls/ControlTestResource.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/common/CUTKPropExchangeArchive.h"
#include "toolkit/common/CUTKPropExchangeXMLNode.h"
#include "toolkit/controls/CUTKControlAction.h"
#include "toolkit/controls/CUTKControls.h"

namespace {

struct Release {
    void operator()(CCmdTarget* target) const { target->InternalRelease(); }
};
template <class T>
using Held = std::unique_ptr<T, Release>;

Held<CUTKControl> NewControl(int type = utkControlButton)
{
    Held<CUTKControl> control(new CUTKControl());
    control->SetType(type);
    return control;
}

std::wstring W(const CString& text) { return std::wstring(text.GetString()); }

// ---- SetID over real string resources ----

struct SetIdCase {
    int id;
    const wchar_t* presetCaption;
    const wchar_t* description;
    const wchar_t* tooltip;
    const wchar_t* caption;
    const wchar_t* keyboardTip;
};

TEST(ControlTexts, SetIdSplitsTheStringResource)
{
    const SetIdCase cases[] = {
        {IDS_ONE_PART, L"", L"Only one part", L"Only one part", L"Only one part", L""},
        {IDS_TWO_PARTS, L"", L"Save the file", L"Save", L"Save", L""},
        {IDS_EMPTY_CAPTION_PART, L"", L"Print it", L"Print", L"Print", L"P"},
        {IDS_FOUR_PARTS, L"", L"Open a file", L"Open", L"&Open...", L"O"},
        {IDS_FOUR_PARTS, L"Mine", L"Open a file", L"Open", L"Mine", L"O"},
        {5555, L"Kept", L"", L"", L"Kept", L""},
    };
    for (const SetIdCase& c : cases) {
        auto control = NewControl();
        control->SetCaption(c.presetCaption);
        control->SetID(c.id);
        EXPECT_EQ(c.id, control->GetID()) << c.id;
        EXPECT_EQ(std::wstring(c.description), W(control->GetDescription())) << c.id;
        EXPECT_EQ(std::wstring(c.tooltip), W(control->GetTooltip())) << c.id;
        EXPECT_EQ(std::wstring(c.caption), W(control->GetCaption())) << c.id;
        EXPECT_EQ(std::wstring(c.keyboardTip), W(control->GetKeyboardTip())) << c.id;
    }
}

TEST(ControlTexts, SetIdWithTheSameIdChangesNothing)
{
    auto control = NewControl();
    control->SetID(IDS_FOUR_PARTS);
    control->SetTooltip(L"Changed");
    control->SetID(IDS_FOUR_PARTS);
    EXPECT_EQ(L"Changed", W(control->GetTooltip()));
}

struct CaptionCase {
    const wchar_t* text;
    const wchar_t* shortcut;  // explicit shortcut text, or null
    const wchar_t* tooltip;
    const wchar_t* caption;
    const wchar_t* autoShortcut;
    const wchar_t* accessibleName;
};

TEST(ControlTexts, SetCaptionSplitsAtTheTab)
{
    const CaptionCase cases[] = {
        {L"&Open\tCtrl+O", nullptr, L"", L"&Open", L"Ctrl+O", L"Open\tCtrl+O"},
        {L"&Open\tCtrl+O", L"F3", L"", L"&Open", L"Ctrl+O", L"Open\tF3"},
        {L"Pl&ain", nullptr, L"", L"Pl&ain", L"", L"Plain"},
        {L"", nullptr, L"The tip", L"", L"", L"The tip"},
        {L"A && B", nullptr, L"", L"A && B", L"", L"A  B"},
    };
    for (const CaptionCase& c : cases) {
        auto control = NewControl();
        if (c.shortcut) {
            control->SetShortcutText(c.shortcut);
        }
        control->SetTooltip(c.tooltip);
        control->SetCaption(c.text);
        EXPECT_EQ(std::wstring(c.caption), W(control->GetCaption())) << c.text;
        EXPECT_EQ(std::wstring(c.autoShortcut), W(control->GetShortcutTextAuto())) << c.text;
        EXPECT_EQ(std::wstring(c.accessibleName), W(control->GetAccessibleName())) << c.text;
    }
}

TEST(ControlTexts, CaptionChangeRequestsARelayoutOfTheBar)
{
    Held<CUTKCommandBar> bar(new CUTKCommandBar());
    CUTKControl* control = bar->GetControls()->Add(utkControlButton, 0);
    ASSERT_NE(nullptr, control);
    bar->ClearPending(CUTKCommandBar::kPendingRelayout);
    control->SetCaption(L"New");
    EXPECT_TRUE(bar->IsRelayoutPending());
    bar->ClearPending(CUTKCommandBar::kPendingRelayout);
    control->SetCaption(L"New");
    EXPECT_FALSE(bar->IsRelayoutPending());
    control->SetCaption(L"New\tF2");  // only the shortcut changed
    EXPECT_TRUE(bar->IsRelayoutPending());
}

// ---- caption visibility by style x type x icon ----

struct VisibilityCase {
    int barType;  // -1: no bar
    int style;
    int type;
    bool icon;
    const wchar_t* caption;
    BOOL visible;
};

TEST(ControlCaption, VisibilityByBarStyleTypeAndIcon)
{
    const VisibilityCase cases[] = {
        {utkBarTypePopup, 2, utkControlButton, true, L"", TRUE},
        {utkBarTypeNormal, 1, utkControlButton, true, L"", FALSE},
        {utkBarTypeNormal, 1, utkControlButton, true, L"Cap", TRUE},
        {utkBarTypeNormal, 3, utkControlEdit, true, L"Cap", TRUE},
        {utkBarTypeNormal, 4, utkControlButton, false, L"Cap", TRUE},
        {utkBarTypeNormal, 2, utkControlButton, false, L"Cap", FALSE},
        {utkBarTypeNormal, 0, utkControlButton, true, L"Cap", FALSE},
        {utkBarTypeNormal, 0, utkControlButton, false, L"Cap", TRUE},
        {utkBarTypeNormal, 0, utkControlButtonPopup, true, L"Cap", FALSE},
        {utkBarTypeNormal, 0, utkControlSplitButtonPopup, false, L"Cap", TRUE},
        {utkBarTypeNormal, 0, utkControlPopup, true, L"Cap", TRUE},
        {utkBarTypeMenuBar, 0, utkControlLabel, true, L"Cap", TRUE},
        {utkBarTypeNormal, 0, utkControlCheckBox, true, L"Cap", TRUE},
        {utkBarTypeNormal, 0, utkControlRadioButton, true, L"Cap", TRUE},
        {utkBarTypeNormal, 0, utkControlEdit, false, L"Cap", FALSE},
        {utkBarTypeNormal, 0, utkControlComboBox, false, L"Cap", FALSE},
        {-1, 0, utkControlButton, false, L"Cap", TRUE},
    };
    constexpr UINT kIconId = 4242;
    constexpr UINT kNoIconId = 4243;
    Held<CUTKImageManager> images(new CUTKImageManager());
    HICON icon = ::CreateIcon(nullptr, 16, 16, 1, 1, std::vector<BYTE>(32, 0xFF).data(),
                              std::vector<BYTE>(32, 0x00).data());
    ASSERT_NE(nullptr, icon);
    ASSERT_TRUE(images->SetIconImage(IconImageHandle(icon), kIconId, 16, 16, 0));
    for (const VisibilityCase& c : cases) {
        Held<CUTKCommandBar> bar(new CUTKCommandBar());
        images->InternalAddRef();
        bar->SetImageManager(images.get());
        bar->SetType(c.barType < 0 ? utkBarTypeNormal : c.barType);
        CUTKControl* control = bar->GetControls()->Add(utkControlButton, 0);
        control->SetType(c.type);
        control->SetStyle(c.style);
        control->SetCaption(c.caption);
        control->SetIconId(static_cast<int>(c.icon ? kIconId : kNoIconId));
        if (c.barType < 0) {
            control->SetParent(nullptr);
        }
        EXPECT_EQ(c.visible, control->IsCaptionVisible())
            << "bar " << c.barType << " style " << c.style << " type " << c.type << " icon "
            << c.icon;
        control->SetParent(bar.get());
    }
}

// ---- effective style, icon id, state ----

TEST(ControlStyle, CustomThenOwnThenReducedThenTheBarsDefault)
{
    Held<CUTKCommandBar> bar(new CUTKCommandBar());
    bar->SetDefaultButtonStyle(3);
    CUTKControl* control = bar->GetControls()->Add(utkControlButton, 0);
    EXPECT_EQ(3, control->GetStyle());
    control->SetReducedStyle(4);
    EXPECT_EQ(4, control->GetStyle());
    control->SetStyle(2);
    EXPECT_EQ(2, control->GetStyle());
    control->SetCustomStyle(0);
    EXPECT_EQ(0, control->GetStyle());
    control->SetCustomStyle(-1);
    EXPECT_EQ(2, control->GetStyle());
    auto lonely = NewControl();
    EXPECT_EQ(0, lonely->GetStyle());
}

TEST(ControlIconId, CustomThenOwnThenTheActionsThenTheId)
{
    auto control = NewControl();
    control->SetID(77);
    EXPECT_EQ(77, control->GetIconId());
    CUTKControlAction action(nullptr);
    control->SetAction(&action);  // the action's id (0) is the control's from now on
    EXPECT_EQ(0, control->GetIconId());
    action.SetIconId(500);
    EXPECT_EQ(500, control->GetIconId());
    control->SetIconId(600);
    EXPECT_EQ(600, control->GetIconId());
    control->SetCustomIconId(700);
    EXPECT_EQ(700, control->GetIconId());
    control->SetAction(nullptr);
}

TEST(ControlState, VisibilityFollowsHideFlagsAndTheAction)
{
    auto control = NewControl();
    EXPECT_TRUE(control->IsVisible());
    control->SetHideFlags(utkHideWrap);
    EXPECT_FALSE(control->IsVisible());
    EXPECT_TRUE(control->IsVisible(utkHideWrap));
    control->SetHideFlags(0);
    CUTKControlAction action(nullptr);
    control->SetAction(&action);
    action.SetVisible(FALSE);
    EXPECT_FALSE(control->IsVisible(0xFFFFFFFF));
    control->SetAction(nullptr);
    control->SetHiddenUntilExpand(TRUE);
    control->SetHideFlags(utkHideExpand | utkHideGeneric);
    control->SetHiddenUntilExpand(FALSE);
    EXPECT_EQ(static_cast<DWORD>(utkHideGeneric), control->GetHideFlags());
}

TEST(ControlState, SelectingADisabledControlChangesTheStateOnly)
{
    Held<CUTKCommandBar> bar(new CUTKCommandBar());
    CUTKControl* control = bar->GetControls()->Add(utkControlButton, 0);
    control->SetEnabled(FALSE);
    EXPECT_TRUE(control->SetSelected(utkSelectedMouse));
    EXPECT_EQ(utkSelectedMouse, control->GetSelected());
    EXPECT_FALSE(control->SetSelected(utkSelectedMouse));
    EXPECT_TRUE(control->SetSelected(utkSelectedNone));
}

// ---- Compare and Copy ----

void FillEveryField(CUTKControl* c)
{
    c->SetID(4321);
    c->SetTag(9);
    c->SetFlags(utkFlagRightAlign | utkFlagNoMovable);
    c->SetCaption(L"&Caption\tCtrl+K");
    c->SetShortcutText(L"Ctrl+J");
    c->SetTooltip(L"Tip");
    c->SetDescription(L"Description");
    c->SetParameter(L"Param");
    c->SetKeyboardTip(L"KT");
    c->SetCustomIconId(12);
    c->SetIconId(13);
    c->SetHelpId(14);
    c->SetCustomCaption(L"Custom");
    c->SetCategory(L"Category");
    c->SetHideFlags(utkHideCustomize);
    c->SetDefaultItem(TRUE);
    c->SetEnabled(FALSE);
    c->SetChecked(TRUE);
    c->SetCustomStyle(2);
    c->SetStyle(3);
    c->SetWidth(120);
    c->SetHeight(30);
    c->SetIconSize(CSize(24, 24));
    c->SetBeginGroup(TRUE);
    c->SetCloseSubMenuOnClick(FALSE);
    c->SetExecuteOnPressInterval(100);
    c->GetDocTemplatesAssigned().SetAt(5, TRUE);
    c->GetDocTemplatesExcluded().SetAt(6, TRUE);
}

TEST(ControlCopy, CopyAndCloneGiveAnEqualControl)
{
    auto source = NewControl(utkControlLabel);
    FillEveryField(source.get());
    auto copy = NewControl();
    copy->Copy(source.get());
    EXPECT_TRUE(copy->Compare(source.get()));
    EXPECT_EQ(W(source->GetShortcutTextAuto()), W(copy->GetShortcutTextAuto()));
    EXPECT_EQ(source->GetHelpId(), copy->GetHelpId());
    EXPECT_EQ(source->GetEnabled(), copy->GetEnabled());
    EXPECT_EQ(source->GetChecked(), copy->GetChecked());
    EXPECT_EQ(1, copy->GetDocTemplatesAssigned().GetCount());
    EXPECT_EQ(1, copy->GetDocTemplatesExcluded().GetCount());
    Held<CUTKControl> clone(source->Clone());
    ASSERT_NE(nullptr, clone);
    EXPECT_TRUE(clone->Compare(source.get()));
}

TEST(ControlCopy, CompareSeesEachComparedField)
{
    const std::vector<std::pair<const char*, std::function<void(CUTKControl*)>>> changes = {
        {"style", [](CUTKControl* c) { c->SetCustomStyle(1); }},
        {"type", [](CUTKControl* c) { c->SetType(utkControlPopup); }},
        {"id", [](CUTKControl* c) { c->m_id = 1; }},
        {"flags", [](CUTKControl* c) { c->SetFlags(0); }},
        {"begin group", [](CUTKControl* c) { c->SetBeginGroup(FALSE); }},
        {"icon id", [](CUTKControl* c) { c->SetCustomIconId(99); }},
        {"caption", [](CUTKControl* c) { c->SetCaption(L"Other"); }},
        {"tooltip", [](CUTKControl* c) { c->SetTooltip(L"Other"); }},
        {"description", [](CUTKControl* c) { c->SetDescription(L"Other"); }},
        {"custom caption", [](CUTKControl* c) { c->SetCustomCaption(L"Other"); }},
        {"parameter", [](CUTKControl* c) { c->SetParameter(L"Other"); }},
        {"customise hide flag", [](CUTKControl* c) { c->SetHideFlags(0); }},
        {"width", [](CUTKControl* c) { c->SetWidth(1); }},
    };
    auto source = NewControl();
    FillEveryField(source.get());
    for (const auto& change : changes) {
        auto other = NewControl();
        other->Copy(source.get());
        change.second(other.get());
        EXPECT_FALSE(other->Compare(source.get())) << change.first;
    }
    // Fields outside the comparison: tag, help id, hide flags other than 0x10.
    auto other = NewControl();
    other->Copy(source.get());
    other->SetTag(1);
    other->SetHelpId(2);
    other->SetHideFlags(utkHideCustomize | utkHideWrap);
    EXPECT_TRUE(other->Compare(source.get()));
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

TEST(ControlAccessible, RolesByBarKind)
{
    const std::pair<int, long> cases[] = {
        {utkBarTypeNormal, ROLE_SYSTEM_PUSHBUTTON},
        {utkBarTypeMenuBar, ROLE_SYSTEM_MENUITEM},
        {utkBarTypePopup, ROLE_SYSTEM_MENUITEM},
    };
    for (const auto& c : cases) {
        Held<CUTKCommandBar> bar(new CUTKCommandBar());
        bar->SetType(c.first);
        CUTKControl* control = bar->GetControls()->Add(utkControlButton, 0);
        VARIANT role;
        ASSERT_EQ(S_OK, control->get_accRole(Child(CHILDID_SELF), &role));
        EXPECT_EQ(c.second, role.lVal) << c.first;
    }
}

TEST(ControlAccessible, StatesFromSelectionEnabledCheckedPressedAndHideFlags)
{
    struct Case {
        int selected;
        BOOL enabled;
        BOOL checked;
        int pressed;
        DWORD hide;
        long state;
    };
    const Case cases[] = {
        {0, TRUE, FALSE, 0, 0, 0x100000},
        {1, TRUE, FALSE, 0, 0, 0x100086},
        {0, FALSE, FALSE, 0, 0, 0x100001},
        {0, TRUE, TRUE, 0, 0, 0x100010},
        {0, TRUE, FALSE, 1, 0, 0x100008},
        {0, TRUE, FALSE, 0, utkHideGeneric, 0x108000},
        {2, FALSE, TRUE, 2, utkHideWrap, 0x10809F},
    };
    for (const Case& c : cases) {
        auto control = NewControl();
        control->m_selected = c.selected;
        control->SetEnabled(c.enabled);
        control->SetChecked(c.checked);
        control->SetPressed(c.pressed);
        control->SetHideFlags(c.hide);
        VARIANT state;
        ASSERT_EQ(S_OK, control->get_accState(Child(CHILDID_SELF), &state));
        EXPECT_EQ(c.state, state.lVal) << std::hex << c.state;
    }
}

TEST(ControlAccessible, OtherChildIdsAreInvalidArguments)
{
    auto control = NewControl();
    control->SetCaption(L"&Print");
    VARIANT text;
    ::VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = nullptr;
    const VARIANT children[] = {Child(1), Child(-1), Child(-5), Child(1000), text};
    for (const VARIANT& child : children) {
        BSTR name = nullptr;
        VARIANT out;
        EXPECT_EQ(E_INVALIDARG, control->get_accName(child, &name));
        EXPECT_EQ(E_INVALIDARG, control->get_accRole(child, &out));
        EXPECT_EQ(E_INVALIDARG, control->get_accState(child, &out));
        EXPECT_EQ(E_INVALIDARG, control->get_accDescription(child, &name));
        EXPECT_EQ(E_INVALIDARG, control->get_accKeyboardShortcut(child, &name));
        EXPECT_EQ(E_INVALIDARG, control->accDoDefaultAction(child));
        EXPECT_EQ(nullptr, name);
    }
    IDispatch* parent = reinterpret_cast<IDispatch*>(1);
    EXPECT_EQ(E_FAIL, control->get_accParent(&parent));
    EXPECT_EQ(nullptr, parent);
}

TEST(ControlAccessible, KeyboardShortcutIsTheMnemonicOrTheFirstCharacter)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"&Print", L"P"}, {L"Pr&int", L"i"}, {L"A && B", L"A"},
        {L"A && &B", L"B"}, {L"Plain", L"P"}, {L"", L""}, {L"End&", L"E"},
    };
    for (const auto& c : cases) {
        auto control = NewControl();
        control->SetCaption(c.first);
        BSTR key = nullptr;
        ASSERT_EQ(S_OK, control->get_accKeyboardShortcut(Child(CHILDID_SELF), &key));
        EXPECT_EQ(std::wstring(c.second), std::wstring(key ? key : L"")) << c.first;
        ::SysFreeString(key);
    }
    auto control = NewControl();
    BSTR action = nullptr;
    ASSERT_EQ(S_OK, control->get_accDefaultAction(Child(CHILDID_SELF), &action));
    EXPECT_EQ(std::wstring(L"Click"), std::wstring(action));
    ::SysFreeString(action);
}

}  // namespace
