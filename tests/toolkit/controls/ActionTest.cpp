// Actions: id order and binary search, texts from string resources, binding that empties the
// control's texts, caption changes reaching every bound control, customisation mode.
#include "toolkit/controls/CUTKControlActions.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/toolkit/controls/ControlTestResource.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControlAction.h"

namespace {

struct Release {
    void operator()(CCmdTarget* target) const { target->InternalRelease(); }
};
template <class T>
using Held = std::unique_ptr<T, Release>;

std::wstring W(const CString& text) { return std::wstring(text.GetString()); }

// Counts the notifications an action sends its controls.
class CountingControl : public CUTKControl {
public:
    void OnActionChanging(int property) override { changing += property == 3 ? 1 : 100; }
    void OnCaptionChanged() override { ++captionChanged; }
    int changing = 0;
    int captionChanged = 0;
};

TEST(Actions, KeptInIdOrderAndFoundByBinarySearch)
{
    CUTKControlActions actions(nullptr);
    CUTKControlAction* a30 = actions.Add(30);
    CUTKControlAction* a10 = actions.Add(10);
    CUTKControlAction* a20 = actions.Add(20);
    ASSERT_EQ(3, actions.GetCount());
    EXPECT_EQ(10, actions.GetAt(0)->GetID());
    EXPECT_EQ(20, actions.GetAt(1)->GetID());
    EXPECT_EQ(30, actions.GetAt(2)->GetID());
    EXPECT_EQ(a10, actions.FindAction(10));
    EXPECT_EQ(a20, actions.FindAction(20));
    EXPECT_EQ(a30, actions.FindAction(30));
    EXPECT_EQ(nullptr, actions.FindAction(15));
    EXPECT_EQ(nullptr, actions.FindAction(31));
    EXPECT_EQ(a20, actions.Add(20));
    EXPECT_EQ(3, actions.GetCount());
}

TEST(Actions, IdsOutsideTheRangeAreNeverLookedUp)
{
    CUTKControlActions actions(nullptr);
    ASSERT_NE(nullptr, actions.Add(0xFFFFFFE));
    ASSERT_NE(nullptr, actions.Add(1));
    EXPECT_EQ(nullptr, actions.FindAction(0));
    EXPECT_EQ(nullptr, actions.FindAction(-1));
    EXPECT_EQ(nullptr, actions.FindAction(0xFFFFFFF));
    EXPECT_EQ(nullptr, actions.Add(0));
    EXPECT_EQ(nullptr, actions.Add(0xFFFFFFF));
    EXPECT_EQ(2, actions.GetCount());
}

TEST(Actions, IndexOutsideTheArrayThrowsInvalidArgument)
{
    CUTKControlActions actions(nullptr);
    actions.Add(5);
    bool thrown = false;
    try {
        (void)actions.GetAt(1);
    } catch (CInvalidArgException* e) {
        e->Delete();
        thrown = true;
    }
    EXPECT_TRUE(thrown);
}

TEST(Actions, TextsComeFromTheStringResource)
{
    CUTKControlActions actions(nullptr);
    CUTKControlAction* four = actions.Add(IDS_FOUR_PARTS);
    EXPECT_EQ(L"Open a file", W(four->GetDescription()));
    EXPECT_EQ(L"Open", W(four->GetTooltip()));
    EXPECT_EQ(L"&Open...", W(four->GetOwnCaption()));
    EXPECT_EQ(L"O", W(four->GetKeyboardTip()));
    // Without a third part the caption stays empty; GetCaption answers the tooltip.
    CUTKControlAction* two = actions.Add(IDS_TWO_PARTS);
    EXPECT_EQ(L"", W(two->GetOwnCaption()));
    EXPECT_EQ(L"Save", W(two->GetCaption()));
    CUTKControlAction* missing = actions.Add(5555);
    EXPECT_EQ(L"", W(missing->GetCaption()));
    EXPECT_EQ(L"", W(missing->GetDescription()));
}

TEST(Actions, BindingEmptiesTheControlsTextsAndTheActionShowsThrough)
{
    CUTKControlActions actions(nullptr);
    CUTKControlAction* action = actions.Add(IDS_FOUR_PARTS);
    Held<CUTKControl> control(new CUTKControl());
    control->SetCaption(L"Own");
    control->SetTooltip(L"Own tip");
    control->SetCategory(L"Own category");
    control->SetAction(action);
    EXPECT_EQ(IDS_FOUR_PARTS, control->GetID());
    EXPECT_EQ(L"&Open...", W(control->GetCaption()));
    EXPECT_EQ(L"Open", W(control->GetTooltip()));
    EXPECT_EQ(L"", W(control->GetCategory()));
    EXPECT_EQ(-1, control->m_enabled);
    action->SetEnabled(FALSE);
    action->SetChecked(TRUE);
    EXPECT_FALSE(control->GetEnabled());
    EXPECT_TRUE(control->GetChecked());
    control->SetCaption(L"Mine");
    EXPECT_EQ(L"Mine", W(control->GetCaption()));
    control->SetAction(nullptr);
    EXPECT_EQ(1, control->m_enabled);
    EXPECT_EQ(0, control->m_checked);
    EXPECT_EQ(0, action->GetControlCount());
}

TEST(Actions, ACaptionChangeReachesEveryBoundControlOnce)
{
    CUTKControlActions actions(nullptr);
    CUTKControlAction* action = actions.Add(700);
    Held<CountingControl> first(new CountingControl());
    Held<CountingControl> second(new CountingControl());
    first->SetAction(action);
    second->SetAction(action);
    first->captionChanged = second->captionChanged = 0;
    action->SetCaption(L"&Play\tSpace");
    EXPECT_EQ(L"&Play", W(first->GetCaption()));
    EXPECT_EQ(L"&Play", W(second->GetCaption()));
    EXPECT_EQ(1, first->changing);
    EXPECT_EQ(1, second->captionChanged);
    // The same text with another tab part is no change at all.
    action->SetCaption(L"&Play\tCtrl+P");
    EXPECT_EQ(1, first->changing);
    EXPECT_EQ(1, second->captionChanged);
    actions.RemoveAll();
    EXPECT_EQ(nullptr, first->GetAction());
    EXPECT_EQ(nullptr, second->GetAction());
    EXPECT_EQ(1, second->m_enabled);
}

TEST(Actions, EveryActionIsEnabledDuringCustomisation)
{
    Held<CUTKCommandBars> bars(new CUTKCommandBars());
    bars->EnableActions();
    CUTKControlAction* action = bars->CreateAction(42);
    ASSERT_NE(nullptr, action);
    EXPECT_EQ(action, bars->FindAction(42));
    action->SetEnabled(FALSE);
    EXPECT_FALSE(action->GetEnabled());
    bars->SetCustomizeMode(TRUE);
    EXPECT_TRUE(action->GetEnabled());
    bars->SetCustomizeMode(FALSE);
    EXPECT_FALSE(action->GetEnabled());
}

}  // namespace
