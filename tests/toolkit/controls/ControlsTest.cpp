// The control collection: its index/collection/parent invariant, the factory, type changes in
// place, keyboard order, look-ups, the snapshot before customisation, and the import of a real
// menu resource with a real site window answering 0x285E and 0x285F.
#include "toolkit/controls/CUTKControls.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "tests/toolkit/controls/ControlTestResource.h"
#include "tests/toolkit/controls/ControlTestSite.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKPopupBar.h"
#include "toolkit/common/CUTKPropExchangeArchive.h"
#include "toolkit/controls/CUTKControlButton.h"
#include "toolkit/controls/CUTKControlCheckBox.h"
#include "toolkit/controls/CUTKControlCustom.h"
#include "toolkit/controls/CUTKControlLabel.h"
#include "toolkit/controls/CUTKControlOleItems.h"
#include "toolkit/controls/CUTKControlPopup.h"
#include "toolkit/controls/CUTKControlRadioButton.h"
#include "toolkit/controls/CUTKControlRecentFileList.h"
#include "toolkit/controls/CUTKControlToolbars.h"
#include "toolkit/controls/CUTKControlWindowList.h"
#include "toolkit/controls/CUTKControlWorkspaceActions.h"
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

struct ClassCase {
    int type;
    int id;
    BOOL temporary;
    CRuntimeClass* cls;
};

TEST(Controls, FactoryMakesTheClassOfEachTypeAndSpecialId)
{
    const ClassCase cases[] = {
        {utkControlButton, 5, FALSE, RUNTIME_CLASS(CUTKControlButton)},
        {utkControlPopup, 0, FALSE, RUNTIME_CLASS(CUTKControlPopup)},
        {utkControlButtonPopup, 0, FALSE, RUNTIME_CLASS(CUTKControlPopup)},
        {utkControlSplitButtonPopup, 0, FALSE, RUNTIME_CLASS(CUTKControlPopup)},
        {utkControlCustom, 6, FALSE, RUNTIME_CLASS(CUTKControlCustom)},
        {utkControlLabel, 7, FALSE, RUNTIME_CLASS(CUTKControlLabel)},
        {utkControlCheckBox, 8, FALSE, RUNTIME_CLASS(CUTKControlCheckBox)},
        {utkControlRadioButton, 9, FALSE, RUNTIME_CLASS(CUTKControlRadioButton)},
        {utkControlButton, 35000, FALSE, RUNTIME_CLASS(CUTKControlWindowList)},
        {utkControlButton, 35002, FALSE, RUNTIME_CLASS(CUTKControlWorkspaceActions)},
        {utkControlButton, 0xE800, FALSE, RUNTIME_CLASS(CUTKControlToolbars)},
        {utkControlButton, 35003, FALSE, RUNTIME_CLASS(CUTKControlRecentFileList)},
        {utkControlButton, 35003, TRUE, RUNTIME_CLASS(CUTKControlButton)},
    };
    Held<CUTKCommandBar> bar(new CUTKCommandBar());
    for (const ClassCase& c : cases) {
        CUTKControl* control = bar->GetControls()->Add(c.type, c.id, L"", -1, c.temporary);
        ASSERT_NE(nullptr, control) << c.type << " " << c.id;
        EXPECT_STREQ(c.cls->m_lpszClassName, control->GetRuntimeClass()->m_lpszClassName)
            << c.type << " " << c.id;
        EXPECT_EQ(c.type, control->GetType());
        if (c.type >= utkControlPopup && c.type <= utkControlSplitButtonPopup) {
            CUTKCommandBar* popupBar = control->GetCommandBar();
            ASSERT_NE(nullptr, popupBar);
            EXPECT_TRUE(popupBar->IsKindOf(RUNTIME_CLASS(CUTKPopupBar)));
        }
    }
}

TEST(Controls, CopyRaisesTheWidthToTheMinimum)
{
    class Narrowest : public CUTKControl {
    public:
        int GetCustomizeMinWidth() const override { return 30; }
    };
    Held<CUTKControl> source(new CUTKControl());
    source->SetWidth(10);
    Held<Narrowest> copy(new Narrowest());
    copy->Copy(source.get());
    EXPECT_EQ(30, copy->GetWidth());
    source->SetWidth(50);
    copy->Copy(source.get());
    EXPECT_EQ(50, copy->GetWidth());
}

TEST(Controls, ADragThatDropsNowhereDeletesAndHandsTheGroupMarkOn)
{
    struct Case {
        int dragged;
        DWORD effect;
        int remaining;
        bool secondGroup;  // begin-group mark of the control now at index 1
        bool firstGroup;   // ... at index 0
    };
    const Case cases[] = {
        {1, DROPEFFECT_NONE, 2, true, false},  // the mark moves to the control after it
        {1, DROPEFFECT_MOVE, 2, true, false},
        {1, DROPEFFECT_COPY, 3, true, false},  // a copy leaves the source in place
        {0, DROPEFFECT_NONE, 2, false, false}, // the new first control loses its mark
    };
    for (const Case& c : cases) {
        Held<CUTKCommandBar> bar(new CUTKCommandBar());
        CUTKControls* controls = bar->GetControls();
        controls->Add(utkControlButton, 1);
        controls->Add(utkControlButton, 2)->SetBeginGroup(TRUE);
        controls->Add(utkControlButton, 3);
        if (c.dragged == 0) {
            controls->GetAt(0)->SetBeginGroup(FALSE);
            controls->GetAt(1)->SetBeginGroup(TRUE);
        }
        controls->GetAt(c.dragged)->ApplyCustomizeDragResult(c.effect);
        ASSERT_EQ(c.remaining, controls->GetCount()) << c.effect;
        EXPECT_EQ(c.firstGroup, controls->GetAt(0)->GetBeginGroup() != FALSE) << c.effect;
        EXPECT_EQ(c.secondGroup, controls->GetAt(1)->GetBeginGroup() != FALSE) << c.effect;
        ExpectInvariant(*controls, bar.get());
    }
}

TEST(Controls, TheControlAnswersIAccessibleAndItsRedrawQuery)
{
    Held<CUTKControl> control(new CUTKControl());
    control->SetCaption(L"&Name");
    IAccessible* accessible = nullptr;
    ASSERT_EQ(static_cast<DWORD>(S_OK),
              control->ExternalQueryInterface(&IID_IAccessible, reinterpret_cast<void**>(&accessible)));
    ASSERT_NE(nullptr, accessible);
    VARIANT self;
    ::VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    EXPECT_EQ(S_OK, accessible->get_accName(self, &name));
    EXPECT_EQ(std::wstring(L"Name"), std::wstring(name));
    ::SysFreeString(name);
    accessible->Release();
    EXPECT_TRUE(control->OnCmdMsg(1, -2, nullptr, nullptr));
    EXPECT_FALSE(control->OnCmdMsg(2, -2, nullptr, nullptr));
}

using Bytes = std::vector<BYTE>;

Bytes StoreControls(CUTKControls* controls, UTK_COMMANDBARS_PROPEXCHANGE_PARAM* param)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CUTKPropExchangeArchive px(ar);
        px.m_dwData = reinterpret_cast<DWORD_PTR>(param);
        px.ExchangeSchema();
        controls->DoPropExchange(&px);
        ar.Close();
    }
    const UINT length = static_cast<UINT>(file.GetLength());
    BYTE* data = file.Detach();
    Bytes bytes(data, data + length);
    std::free(data);
    return bytes;
}

void LoadControls(const Bytes& bytes, CUTKControls* controls,
                  UTK_COMMANDBARS_PROPEXCHANGE_PARAM* param)
{
    CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CUTKPropExchangeArchive px(ar);
    px.m_dwData = reinterpret_cast<DWORD_PTR>(param);
    px.ExchangeSchema();
    controls->DoPropExchange(&px);
}

TEST(Controls, SavedControlsRoundTripWithTheirClassesAndSnapshot)
{
    UTK_COMMANDBARS_PROPEXCHANGE_PARAM param;
    CUTKControls stored;
    // The binary state stores each control by its class (serializable classes only).
    stored.AddControl(new CUTKControl(), 11)->SetCaption(L"One");
    stored.AddControl(new CUTKControl(), 12)->SetCaption(L"Two");
    stored.AddControl(new CUTKControl(), 13)->SetBeginGroup(TRUE);
    stored.AddControl(new CUTKControl(), 14, L"", -1, TRUE);  // temporary: not saved
    stored.CreateOriginalControls();
    stored.GetAt(0)->SetCaption(L"Changed");
    const Bytes first = StoreControls(&stored, &param);
    CUTKControls loaded;
    LoadControls(first, &loaded, &param);
    ASSERT_EQ(3, loaded.GetCount());
    EXPECT_TRUE(loaded.GetAt(2)->GetBeginGroup());
    EXPECT_TRUE(loaded.Compare(&stored));
    ASSERT_NE(nullptr, loaded.GetOriginalControls());
    EXPECT_TRUE(loaded.IsChanged());
    EXPECT_EQ(L"One", W(loaded.GetOriginalControls()->GetAt(0)->GetCaption()));
    ExpectInvariant(loaded, nullptr);
    EXPECT_EQ(first, StoreControls(&loaded, &param));

    // A stream cut anywhere is refused with the framework's exception; nothing leaks past it.
    for (size_t cut = 0; cut < first.size(); cut += 7) {
        const Bytes shortened(first.begin(), first.begin() + static_cast<std::ptrdiff_t>(cut));
        CUTKControls damaged;
        bool refused = false;
        try {
            LoadControls(shortened, &damaged, &param);
        } catch (CException* e) {
            e->Delete();
            refused = true;
        }
        EXPECT_TRUE(refused) << "cut at " << cut;
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

TEST_F(MenuImport, ASubmenuBecomesAPopupWithItsBar)
{
    CUTKControl* recent = m_bar->GetControls()->AddMenuItem(m_file, 2);
    ASSERT_NE(nullptr, recent);
    CUTKCommandBar* popupBar = recent->GetCommandBar();
    ASSERT_NE(nullptr, popupBar);
    EXPECT_TRUE(popupBar->IsKindOf(RUNTIME_CLASS(CUTKPopupBar)));
    EXPECT_EQ(L"Recent", W(popupBar->GetTitle()));
    ASSERT_EQ(1, popupBar->GetControls()->GetCount());
    CUTKControl* inner = popupBar->GetControls()->GetAt(0);
    EXPECT_EQ(ID_MENU_RECENT_ONE, inner->GetID());
    // A recursive search looks into the popup's bar before the next control.
    EXPECT_EQ(inner, m_bar->GetControls()->FindControl(0, ID_MENU_RECENT_ONE, FALSE, TRUE));
    EXPECT_EQ(nullptr, m_bar->GetControls()->FindControl(0, ID_MENU_RECENT_ONE, FALSE, FALSE));
}

TEST_F(MenuImport, ABarFromTheSiteIsUsedOnlyWhenItIsACommandBar)
{
    CUTKPopupBar* siteBar = CUTKPopupBar::CreatePopupBar(m_bars.get());
    CUTKControls notABar;
    CObject* answer = siteBar;
    m_site.onCreateBar = [&answer](CreateBarNotify* record) -> LRESULT {
        EXPECT_TRUE(record->bPopupBar);
        EXPECT_EQ(std::wstring(L"Recent"), std::wstring(record->strCaption));
        record->pCommandBar = reinterpret_cast<CUTKCommandBar*>(answer);
        return 1;
    };
    CUTKControl* recent = m_bar->GetControls()->AddMenuItem(m_file, 2);
    EXPECT_EQ(siteBar, recent->GetCommandBar());

    answer = &notABar;
    CUTKControl* other = m_bar->GetControls()->AddMenuItem(m_file, 2);
    ASSERT_NE(nullptr, other->GetCommandBar());
    EXPECT_NE(reinterpret_cast<void*>(&notABar), reinterpret_cast<void*>(other->GetCommandBar()));
    EXPECT_TRUE(other->GetCommandBar()->IsKindOf(RUNTIME_CLASS(CUTKPopupBar)));
}

TEST_F(MenuImport, PlaceholderIdsGiveTheirClasses)
{
    struct Case {
        UINT id;
        const wchar_t* text;
        CRuntimeClass* cls;
    };
    const Case cases[] = {
        {0xE210, L"<<OLE VERBS GO HERE>>", RUNTIME_CLASS(CUTKControlOleItems)},
        {0xE210, L"Object", RUNTIME_CLASS(CUTKControlButton)},
        {0xE110, L"Recent File", RUNTIME_CLASS(CUTKControlRecentFileList)},
        {35000, L"Windows", RUNTIME_CLASS(CUTKControlWindowList)},
        {35002, L"Workspace", RUNTIME_CLASS(CUTKControlWorkspaceActions)},
        {0xE800, L"Toolbars", RUNTIME_CLASS(CUTKControlToolbars)},
        {35003, L"Not a placeholder from a menu", RUNTIME_CLASS(CUTKControlButton)},
    };
    HMENU menu = ::CreatePopupMenu();
    for (const Case& c : cases) {
        ::AppendMenuW(menu, MF_STRING, c.id, c.text);
    }
    for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) {
        CUTKControl* control = m_bar->GetControls()->AddMenuItem(menu, i);
        ASSERT_NE(nullptr, control) << i;
        EXPECT_STREQ(cases[i].cls->m_lpszClassName, control->GetRuntimeClass()->m_lpszClassName)
            << i;
        EXPECT_EQ(static_cast<int>(cases[i].id), control->GetID());
    }
    ::DestroyMenu(menu);
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
