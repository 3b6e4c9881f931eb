// The control collection: its index/collection/parent invariant, the factory, type changes in
// place, keyboard order, look-ups, the snapshot before customisation, and the import of a real
// menu resource with a real site window answering 0x285E and 0x285F.
#include "toolkit/controls/CUTKControls.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/toolkit/controls/ControlTestResource.h"
#include "tests/toolkit/controls/ControlTestSite.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControlAction.h"
#include "toolkit/controls/CUTKControlActions.h"
#include "toolkit/controls/CUTKOriginalControls.h"

namespace {

using orvane::test::ControlTestSite;

struct Release {
    void operator()(CCmdTarget* target) const { target->InternalRelease(); }
};
template <class T>
using Held = std::unique_ptr<T, Release>;

std::wstring W(const CString& text) { return std::wstring(text.GetString()); }

void ExpectInvariant(const CUTKControls& controls, CUTKCommandBar* bar)
{
    for (int i = 0; i < controls.GetCount(); ++i) {
        CUTKControl* control = controls.GetAt(i);
        EXPECT_EQ(i, control->GetIndex());
        EXPECT_EQ(&controls, control->GetControls());
        EXPECT_EQ(bar, control->GetParent());
    }
}

TEST(Controls, InvariantAfterInsertRemoveAndReparent)
{
    Held<CUTKCommandBar> bar(new CUTKCommandBar());
    CUTKControls* controls = bar->GetControls();
    CUTKControl* a = controls->Add(utkControlButton, 1);
    CUTKControl* b = controls->Add(utkControlButton, 2);
    CUTKControl* c = controls->Add(utkControlButton, 3, L"", 0);     // before a
    CUTKControl* d = controls->Add(utkControlButton, 4, L"", 99);    // past the end: appended
    ASSERT_EQ(4, controls->GetCount());
    EXPECT_EQ(c, controls->GetAt(0));
    EXPECT_EQ(a, controls->GetAt(1));
    EXPECT_EQ(d, controls->GetAt(3));
    EXPECT_EQ(nullptr, controls->GetAt(4));
    EXPECT_EQ(nullptr, controls->GetAt(-1));
    ExpectInvariant(*controls, bar.get());

    b->InternalAddRef();
    controls->Remove(b);
    ExpectInvariant(*controls, bar.get());
    EXPECT_EQ(nullptr, b->GetControls());
    EXPECT_EQ(nullptr, b->GetParent());
    controls->Remove(b);  // no longer a member: ignored
    EXPECT_EQ(3, controls->GetCount());
    b->InternalRelease();

    controls->SetParent(nullptr);
    ExpectInvariant(*controls, nullptr);
    controls->SetParent(bar.get());
    ExpectInvariant(*controls, bar.get());
    controls->RemoveAt(7);
    EXPECT_EQ(3, controls->GetCount());
}

TEST(Controls, FactoryRefusesUnknownTypes)
{
    CUTKControls controls;
    EXPECT_EQ(nullptr, controls.Add(0, 1));
    EXPECT_EQ(nullptr, controls.Add(12, 1));
    EXPECT_EQ(nullptr, controls.Add(-3, 1));
    EXPECT_EQ(0, controls.GetCount());
    for (int type = 1; type <= 11; ++type) {
        CUTKControl* control = controls.Add(type, 100 + type);
        ASSERT_NE(nullptr, control) << type;
        EXPECT_EQ(type, control->GetType());
        EXPECT_TRUE(control->IsKindOf(RUNTIME_CLASS(CUTKControl)));
    }
}

TEST(Controls, ToolkitIdsTakeTheirTextsFromResourcesNotActions)
{
    Held<CUTKCommandBars> bars(new CUTKCommandBars());
    bars->EnableActions();
    CUTKControls controls;
    controls.SetCommandBars(bars.get());
    CUTKControl* toolkit = controls.Add(utkControlButton, IDS_TOOLKIT_COMMAND);
    EXPECT_EQ(nullptr, toolkit->GetAction());
    EXPECT_EQ(nullptr, bars->FindAction(IDS_TOOLKIT_COMMAND));
    EXPECT_EQ(L"Toolkit tip", W(toolkit->GetTooltip()));
    CUTKControl* bound = controls.Add(utkControlButton, IDS_FOUR_PARTS);
    ASSERT_NE(nullptr, bound->GetAction());
    EXPECT_EQ(bars->FindAction(IDS_FOUR_PARTS), bound->GetAction());
    EXPECT_EQ(L"&Open...", W(bound->GetCaption()));
    // A second control of the id shares the action.
    CUTKControl* again = controls.Add(utkControlButton, IDS_FOUR_PARTS);
    EXPECT_EQ(bound->GetAction(), again->GetAction());
    controls.RemoveAll();
    bars->GetActions()->RemoveAll();
}

TEST(Controls, SetControlTypeKeepsPopupsAndReplacesOthersInPlace)
{
    Held<CUTKCommandBar> bar(new CUTKCommandBar());
    CUTKControls* controls = bar->GetControls();
    controls->Add(utkControlButton, 1);
    CUTKControl* popup = controls->Add(utkControlPopup, 0);
    controls->Add(utkControlButton, 3);
    EXPECT_EQ(popup, controls->SetControlType(1, utkControlSplitButtonPopup));
    EXPECT_EQ(utkControlSplitButtonPopup, popup->GetType());

    CUTKControl* button = controls->GetAt(0);
    button->SetCaption(L"Was a button");
    button->SetBeginGroup(TRUE);
    CUTKControl* replaced = controls->SetControlType(0, utkControlPopup);
    ASSERT_NE(nullptr, replaced);
    EXPECT_NE(button, replaced);
    EXPECT_EQ(3, controls->GetCount());
    EXPECT_EQ(replaced, controls->GetAt(0));
    EXPECT_EQ(utkControlPopup, replaced->GetType());
    EXPECT_EQ(L"Was a button", W(replaced->GetCaption()));
    EXPECT_TRUE(replaced->GetBeginGroup());
    EXPECT_EQ(1, replaced->GetID());
    ExpectInvariant(*controls, bar.get());

    EXPECT_EQ(nullptr, controls->SetControlType(3, utkControlButton));
    EXPECT_EQ(nullptr, controls->SetControlType(-1, utkControlButton));
    CUTKControls other;
    CUTKControl* stranger = other.Add(utkControlButton, 9);
    EXPECT_EQ(nullptr, controls->SetControlType(stranger, utkControlPopup));
    EXPECT_EQ(3, controls->GetCount());
}

struct NextCase {
    int start;
    int step;
    BOOL keyboard;
    int expected;
};

TEST(Controls, GetNextWrapsOnceAndSkipsWhatItMust)
{
    CUTKControls controls;
    for (int i = 0; i < 5; ++i) {
        controls.Add(utkControlButton, i + 1);
    }
    controls.GetAt(1)->SetHideFlags(utkHideGeneric);
    controls.GetAt(2)->SetFlags(utkFlagSkipFocus);
    controls.GetAt(3)->SetHideFlags(utkHideDynamic);  // ignored by the mask
    const NextCase cases[] = {
        {-1, 1, TRUE, 0},  {0, 1, TRUE, 3},  {3, 1, TRUE, 4},  {4, 1, TRUE, 0},
        {0, 1, FALSE, 2},  {-1, -1, TRUE, 4}, {0, -1, TRUE, 4}, {3, -1, TRUE, 0},
        {2, 0, TRUE, 2},
    };
    for (const NextCase& c : cases) {
        EXPECT_EQ(c.expected, controls.GetNext(c.start, c.step, c.keyboard))
            << c.start << " step " << c.step << " keyboard " << c.keyboard;
    }
    controls.GetAt(4)->SetTemporary(TRUE);
    EXPECT_EQ(0, controls.GetNext(3, 1, TRUE, TRUE));
}

TEST(Controls, GetNextOnAllHiddenControls)
{
    CUTKControls empty;
    EXPECT_EQ(-1, empty.GetNext(-1, 1));
    CUTKControls controls;
    for (int i = 0; i < 4; ++i) {
        controls.Add(utkControlButton, i + 1)->SetHideFlags(utkHideGeneric);
    }
    EXPECT_EQ(-1, controls.GetNext(-1, 1));
    EXPECT_EQ(-1, controls.GetNext(-1, -1));
    EXPECT_EQ(2, controls.GetNext(2, 1));
    EXPECT_EQ(2, controls.GetNext(2, -1));
    // Hidden only until the popup expands: visible when not strict.
    controls.GetAt(1)->SetHideFlags(utkHideExpand);
    EXPECT_EQ(1, controls.GetNext(-1, 1, TRUE, FALSE, FALSE));
    EXPECT_EQ(-1, controls.GetNext(-1, 1, TRUE, FALSE, TRUE));
}

TEST(Controls, LookUpsByTypeIdPointAndVisibility)
{
    CUTKControls controls;
    CUTKControl* a = controls.Add(utkControlButton, 10);
    CUTKControl* b = controls.Add(utkControlLabel, 20);
    CUTKControl* c = controls.Add(utkControlButton, 20);
    a->SetRect(CRect(0, 0, 10, 10));
    b->SetRect(CRect(10, 0, 20, 10));
    c->SetRect(CRect(10, 0, 30, 10));
    b->SetHideFlags(utkHideWrap);
    EXPECT_EQ(b, controls.FindControlById(20));
    EXPECT_EQ(c, controls.FindControl(utkControlButton, 20, FALSE, FALSE));
    EXPECT_EQ(c, controls.FindControl(0, 20, TRUE, FALSE));
    EXPECT_EQ(a, controls.FindControl(0, -1, FALSE, FALSE));
    EXPECT_EQ(nullptr, controls.FindControl(utkControlEdit, -1, FALSE, FALSE));
    EXPECT_EQ(c, controls.HitTest(CPoint(15, 5)));
    EXPECT_EQ(nullptr, controls.HitTest(CPoint(35, 5)));
    EXPECT_EQ(2, controls.GetVisibleCount(TRUE));
    EXPECT_EQ(3, controls.GetVisibleCount(FALSE));
    EXPECT_EQ(c, controls.GetVisibleAt(1, TRUE));
    EXPECT_EQ(b, controls.GetVisibleAt(1, FALSE));
    EXPECT_EQ(nullptr, controls.GetVisibleAt(3, FALSE));
}

TEST(Controls, SnapshotTellsWhetherTheBarWasChanged)
{
    CUTKControls controls;
    EXPECT_TRUE(controls.IsChanged());
    controls.Add(utkControlButton, 1);
    controls.Add(utkControlButton, 2);
    controls.Add(utkControlButton, 3, L"", -1, TRUE);  // temporary: never compared
    CUTKControls* original = controls.CreateOriginalControls();
    ASSERT_NE(nullptr, original);
    EXPECT_TRUE(original->IsOriginalControls());
    EXPECT_TRUE(original->IsKindOf(RUNTIME_CLASS(CUTKOriginalControls)));
    EXPECT_EQ(2, original->GetCount());
    EXPECT_FALSE(controls.IsChanged());
    controls.GetAt(0)->SetCaption(L"Renamed");
    EXPECT_TRUE(controls.IsChanged());
    controls.GetAt(0)->SetCaption(L"");
    EXPECT_FALSE(controls.IsChanged());
    controls.Add(utkControlButton, 4, L"", -1, TRUE);
    EXPECT_FALSE(controls.IsChanged());
    controls.Add(utkControlButton, 5);
    EXPECT_TRUE(controls.IsChanged());
    controls.RemoveAt(4);
    EXPECT_FALSE(controls.IsChanged());
    // Reordered.
    CUTKControl* first = controls.GetAt(0);
    first->InternalAddRef();
    controls.Remove(first);
    controls.InsertAt(first, 1);
    EXPECT_TRUE(controls.IsChanged());

    Held<CUTKControls> duplicate(controls.Duplicate());
    ASSERT_NE(nullptr, duplicate);
    EXPECT_EQ(2, duplicate->GetCount());  // the temporaries stay behind
    EXPECT_TRUE(duplicate->Compare(&controls));
    ASSERT_NE(nullptr, duplicate->GetOriginalControls());
    EXPECT_TRUE(duplicate->GetOriginalControls()->Compare(original));
}

// ---- menu import with a real site ----

class MenuImport : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_menu = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_IMPORT_MENU));
        ASSERT_NE(nullptr, m_menu);
        m_file = ::GetSubMenu(m_menu, 0);
        ASSERT_TRUE(::SetMenuDefaultItem(m_file, 3, TRUE));
        m_bars.reset(new CUTKCommandBars());
        m_bars->SetSite(m_site.Wnd());
        m_bar.reset(new CUTKCommandBar());
        m_bar->SetCommandBars(m_bars.get());
    }
    void TearDown() override
    {
        m_bar.reset();
        m_bars.reset();
        ::DestroyMenu(m_menu);
    }

    ControlTestSite m_site;
    Held<CUTKCommandBars> m_bars;
    Held<CUTKCommandBar> m_bar;
    HMENU m_menu = nullptr;
    HMENU m_file = nullptr;
};

TEST_F(MenuImport, ItemsBecomeControlsAndTheSiteHearsOfEach)
{
    CUTKControls* controls = m_bar->GetControls();
    CUTKControl* open = controls->AddMenuItem(m_file, 0);
    ASSERT_NE(nullptr, open);
    EXPECT_EQ(ID_MENU_OPEN, open->GetID());
    EXPECT_EQ(utkControlButton, open->GetType());
    EXPECT_EQ(L"&Open", W(open->GetCaption()));
    EXPECT_EQ(L"Ctrl+O", W(open->GetShortcutText()));

    EXPECT_EQ(nullptr, controls->AddMenuItem(m_file, 1));  // 0xFF00
    EXPECT_EQ(1, controls->GetCount());

    CUTKControl* recent = controls->AddMenuItem(m_file, 2);
    ASSERT_NE(nullptr, recent);
    EXPECT_EQ(1234, recent->GetID());
    EXPECT_EQ(utkControlPopup, recent->GetType());
    EXPECT_EQ(L"&Recent", W(recent->GetCaption()));

    CUTKControl* defaultItem = controls->AddMenuItem(m_file, 3);
    ASSERT_NE(nullptr, defaultItem);
    EXPECT_TRUE(defaultItem->GetDefaultItem());
    EXPECT_FALSE(open->GetDefaultItem());

    // A tab with nothing after it, and a number too long to be an id, leave the text whole.
    CUTKControl* tabFirst = controls->AddMenuItem(m_file, 5);
    ASSERT_NE(nullptr, tabFirst);
    EXPECT_EQ(0, tabFirst->GetID());
    CUTKControl* tooLong = controls->AddMenuItem(m_file, 6);
    ASSERT_NE(nullptr, tooLong);
    EXPECT_EQ(0, tooLong->GetID());
    EXPECT_EQ(L"Too long", W(tooLong->GetCaption()).substr(0, 8));

    // Every import was offered (0x285E) and announced (0x285F) with the new control: the five
    // items above (0xFF00 is skipped before anything is sent) and the one item each of the
    // three submenus that the popup bars import.
    int offered = 0;
    int announced = 0;
    for (const auto& n : m_site.received) {
        if (n.message == kUtkCreateControlMessage) {
            ++offered;
        } else if (n.message == kUtkControlCreatedMessage) {
            ++announced;
            EXPECT_NE(nullptr, n.control);
        }
    }
    EXPECT_EQ(8, offered);
    EXPECT_EQ(8, announced);
    ExpectInvariant(*controls, m_bar.get());
}

TEST_F(MenuImport, TheSiteRewritesOrReplacesTheItem)
{
    m_site.onCreateControl = [](CreateControlNotify* record) -> LRESULT {
        if (record->nID == ID_MENU_SITE_REPLACED) {
            record->strCaption = L"From the site";
            record->controlType = utkControlLabel;
            record->buttonStyle = 2;
            return 1;
        }
        return 0;
    };
    CUTKControls* controls = m_bar->GetControls();
    CUTKControl* rewritten = controls->AddMenuItem(m_file, 4);
    ASSERT_NE(nullptr, rewritten);
    EXPECT_EQ(utkControlLabel, rewritten->GetType());
    EXPECT_EQ(L"From the site", W(rewritten->GetCaption()));
    EXPECT_EQ(2, rewritten->GetStyle());

    // A control of the site's own is used as it is.
    CUTKControl* own = new CUTKControl();
    own->SetType(utkControlCheckBox);
    m_site.onCreateControl = [own](CreateControlNotify* record) -> LRESULT {
        record->pControl = own;
        return 1;
    };
    EXPECT_EQ(own, controls->AddMenuItem(m_file, 0));
    EXPECT_EQ(utkControlCheckBox, own->GetType());
    EXPECT_EQ(L"&Open", W(own->GetCaption()));

    // Something that is not a control is not used: the item is imported as usual.
    CUTKControls notAControl;
    m_site.onCreateControl = [&notAControl](CreateControlNotify* record) -> LRESULT {
        record->pControl = reinterpret_cast<CUTKControl*>(static_cast<CObject*>(&notAControl));
        return 1;
    };
    CUTKControl* imported = controls->AddMenuItem(m_file, 0);
    ASSERT_NE(nullptr, imported);
    EXPECT_NE(reinterpret_cast<void*>(&notAControl), reinterpret_cast<void*>(imported));
    EXPECT_EQ(ID_MENU_OPEN, imported->GetID());
}

TEST_F(MenuImport, PopupOfTheFactoryTakesItsCaptionFromTheMenuResource)
{
    CUTKControls* controls = m_bar->GetControls();
    CUTKControl* popup = controls->Add(utkControlPopup, IDR_POPUP_MENU);
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(L"&Tools", W(popup->GetCaption()));
    EXPECT_EQ(utkControlPopup, popup->GetType());
}

}  // namespace
