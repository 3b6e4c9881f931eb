// Toolbars and popup bars saved, loaded and cloned: archive and XML round trips compared byte for
// byte, defaults that write no key, archive streams cut at every byte refused, merging a loaded
// bar into the running one, the base bar loading a toolbar resource, the popup layout's
// column and width-limit fields, and the command bars letting go of their actions.
#include "tests/toolkit/commandbars/BarsHostFrame.h"

#include <gtest/gtest.h>

#include "platform/framework/window/CClientDC.h"
#include "tests/toolkit/common/ArchiveRoundTrip.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKPopupBar.h"
#include "toolkit/commandbars/CUTKToolBar.h"
#include "toolkit/common/CUTKPropExchangeArchive.h"
#include "toolkit/common/CUTKPropExchangeXMLNode.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControlAction.h"
#include "toolkit/controls/CUTKControls.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

struct Release {
    void operator()(CCmdTarget* target) const { target->InternalRelease(); }
};
template <class T>
using Held = std::unique_ptr<T, Release>;

const CLSID kDomDocument = {
    0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

constexpr int kSchema = 36;

Bytes StoreArchive(CUTKCommandBar* bar, int schema = kSchema)
{
    return orvane::test::StoreArchiveBytes(bar, schema);
}

bool LoadArchive(const Bytes& bytes, CUTKCommandBar* bar, int schema = kSchema)
{
    return orvane::test::LoadArchiveBytes(bytes, bar, schema);
}

CComPtr<IXMLDOMDocument> NewDocument()
{
    CComPtr<IXMLDOMDocument> doc;
    EXPECT_HRESULT_SUCCEEDED(::CoCreateInstance(kDomDocument, nullptr, CLSCTX_INPROC_SERVER,
                                                IID_IXMLDOMDocument,
                                                reinterpret_cast<void**>(&doc)));
    return doc;
}

CComPtr<IXMLDOMNode> AsNode(IUnknown* unknown)
{
    CComPtr<IXMLDOMNode> node;
    unknown->QueryInterface(IID_IXMLDOMNode, reinterpret_cast<void**>(&node));
    return node;
}

std::wstring Xml(IXMLDOMNode* node)
{
    BSTR xml = nullptr;
    node->get_xml(&xml);
    std::wstring text;
    for (const wchar_t* p = xml; p && *p; ++p) {
        if (*p != L'\r' && *p != L'\n' && *p != L'\t')
            text += *p;
    }
    ::SysFreeString(xml);
    return text;
}

std::wstring StoreXml(CUTKCommandBar* bar)
{
    CComPtr<IXMLDOMDocument> doc = NewDocument();
    {
        Held<CUTKPropExchange> px(new CUTKPropExchangeXMLNode(FALSE, AsNode(doc), L"CommandBar"));
        px->m_nSchema = kSchema;
        bar->DoPropExchange(px.get());
    }
    return Xml(AsNode(doc));
}

void LoadXml(const std::wstring& xml, CUTKCommandBar* bar)
{
    CComPtr<IXMLDOMDocument> doc = NewDocument();
    VARIANT_BOOL ok = VARIANT_FALSE;
    BSTR text = ::SysAllocString(xml.c_str());
    doc->loadXML(text, &ok);
    ::SysFreeString(text);
    ASSERT_EQ(VARIANT_TRUE, ok);
    Held<CUTKPropExchange> px(new CUTKPropExchangeXMLNode(TRUE, AsNode(doc), L"CommandBar"));
    px->m_nSchema = kSchema;
    bar->DoPropExchange(px.get());
}

void AddButtons(CUTKCommandBar* bar, std::initializer_list<int> ids)
{
    for (int id : ids) {
        CUTKControl* control = bar->GetControls()->Add(utkControlButton, id);
        ASSERT_NE(control, nullptr);
    }
}

std::vector<int> Ids(CUTKControls* controls)
{
    std::vector<int> ids;
    for (int i = 0; controls != nullptr && i < controls->GetCount(); ++i) {
        if (!controls->GetAt(i)->IsTemporary())
            ids.push_back(controls->GetAt(i)->GetID());
    }
    return ids;
}

Held<CUTKToolBar> FilledToolBar()
{
    Held<CUTKToolBar> bar(new CUTKToolBar());
    bar->SetTitle(L"Standard <&tools>");
    bar->SetBarID(200);
    bar->SetBuiltIn(FALSE);
    bar->SetTearOff(TRUE);
    bar->SetCloseable(FALSE);
    bar->SetContextMenuPresent(FALSE);
    bar->SetCustomizeDialogPresent(FALSE);
    AddButtons(bar.get(), {101, 102, 103});
    bar->GetControl(1)->SetBeginGroup(TRUE);
    return bar;
}

Held<CUTKPopupBar> FilledPopup()
{
    Held<CUTKPopupBar> popup(CUTKPopupBar::CreatePopupBar(nullptr));
    popup->SetTitle(L"Tools");
    popup->SetTearOffPopup(L"Torn \"tools\"", 333, 180);
    popup->SetPopupToolBarBorders(CRect(1, 2, 3, 5));
    popup->SetShowShadow(FALSE);
    popup->SetDoubleGripper(TRUE);
    popup->SetContextMenu(TRUE);
    AddButtons(popup.get(), {201, 202});
    return popup;
}

const wchar_t* const kToolBarKeys[] = {L"BuiltIn", L"TearOff", L"Closeable",
                                       L"ContextMenuPresent", L"CustomizeDialogPresent"};
const wchar_t* const kPopupKeys[] = {L"TearOffPopup", L"TearOffCaption", L"TearOffId",
                                     L"TearOffWidth", L"Borders", L"ShowShadow",
                                     L"DoubleGripper", L"ContextMenu"};

class BarExchange : public ::testing::Test {
protected:
    void SetUp() override { ::CoInitialize(nullptr); }
    void TearDown() override { ::CoUninitialize(); }
};

} // namespace

TEST_F(BarExchange, ToolBarArchiveRoundTripIsByteForByte)
{
    auto stored = FilledToolBar();
    const Bytes first = StoreArchive(stored.get());
    Held<CUTKToolBar> loaded(new CUTKToolBar());
    ASSERT_TRUE(LoadArchive(first, loaded.get()));
    EXPECT_FALSE(loaded->IsBuiltIn());
    EXPECT_TRUE(loaded->IsTearOff());
    EXPECT_FALSE(loaded->IsCloseable());
    EXPECT_FALSE(loaded->IsContextMenuPresent());
    EXPECT_FALSE(loaded->IsCustomizeDialogPresent());
    EXPECT_EQ(loaded->GetTitle(), CString(L"Standard <&tools>"));
    EXPECT_EQ(Ids(loaded->GetControls()), (std::vector<int>{101, 102, 103}));
    EXPECT_TRUE(loaded->GetControl(1)->GetBeginGroup());
    EXPECT_EQ(StoreArchive(loaded.get()), first);
}

TEST_F(BarExchange, PopupArchiveRoundTripIsByteForByte)
{
    auto stored = FilledPopup();
    const Bytes first = StoreArchive(stored.get());
    Held<CUTKPopupBar> loaded(CUTKPopupBar::CreatePopupBar(nullptr));
    ASSERT_TRUE(LoadArchive(first, loaded.get()));
    EXPECT_TRUE(loaded->IsTearOffPopup());
    EXPECT_EQ(loaded->GetTearOffCaption(), CString(L"Torn \"tools\""));
    EXPECT_EQ(loaded->GetTearOffID(), 333u);
    EXPECT_EQ(loaded->GetTearOffWidth(), 180);
    EXPECT_EQ(loaded->GetPopupToolBarBorders(), CRect(1, 2, 3, 5));
    EXPECT_FALSE(loaded->IsShowShadow());
    EXPECT_TRUE(loaded->IsDoubleGripper());
    EXPECT_TRUE(loaded->IsContextMenu());
    EXPECT_EQ(Ids(loaded->GetControls()), (std::vector<int>{201, 202}));
    EXPECT_EQ(StoreArchive(loaded.get()), first);
}

TEST_F(BarExchange, ClonesCarryTheSavedValues)
{
    auto popup = FilledPopup();
    Held<CUTKCommandBar> popupClone(popup->Clone(FALSE));
    ASSERT_NE(popupClone, nullptr);
    EXPECT_EQ(StoreArchive(popupClone.get()), StoreArchive(popup.get()));

    auto toolBar = FilledToolBar();
    Held<CUTKCommandBar> clone(toolBar->Clone(FALSE));
    auto* toolClone = DYNAMIC_DOWNCAST(CUTKToolBar, clone.get());
    ASSERT_NE(toolClone, nullptr);
    EXPECT_FALSE(toolClone->IsBuiltIn());
    EXPECT_TRUE(toolClone->IsTearOff());
    EXPECT_FALSE(toolClone->IsCloseable());
    EXPECT_EQ(Ids(toolClone->GetControls()), (std::vector<int>{101, 102, 103}));
}

TEST_F(BarExchange, ArchiveCutAtAnyByteIsRefused)
{
    auto toolBar = FilledToolBar();
    auto popup = FilledPopup();
    CUTKCommandBar* bars[] = {toolBar.get(), popup.get()};
    for (CUTKCommandBar* bar : bars) {
        const Bytes whole = StoreArchive(bar);
        ASSERT_GT(whole.size(), 40u);
        for (size_t cut = 0; cut < whole.size(); ++cut) {
            Held<CUTKCommandBar> target(
                static_cast<CUTKCommandBar*>(bar->GetRuntimeClass()->CreateObject()));
            const Bytes part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
            EXPECT_FALSE(LoadArchive(part, target.get()))
                << bar->GetRuntimeClass()->m_lpszClassName << " cut at " << cut;
        }
    }
}

TEST_F(BarExchange, XmlRoundTripsAndDefaultsWriteNoKey)
{
    struct Case {
        const char* name;
        Held<CUTKCommandBar> filled;
        CRuntimeClass* cls;
        std::vector<const wchar_t*> keys;
    };
    std::vector<Case> cases;
    cases.push_back({"toolbar", Held<CUTKCommandBar>(FilledToolBar().release()),
                     RUNTIME_CLASS(CUTKToolBar),
                     std::vector<const wchar_t*>(std::begin(kToolBarKeys), std::end(kToolBarKeys))});
    cases.push_back({"popup", Held<CUTKCommandBar>(FilledPopup().release()),
                     RUNTIME_CLASS(CUTKPopupBar),
                     std::vector<const wchar_t*>(std::begin(kPopupKeys), std::end(kPopupKeys))});
    for (Case& c : cases) {
        const std::wstring xml = StoreXml(c.filled.get());
        for (const wchar_t* key : c.keys)
            EXPECT_NE(xml.find(std::wstring(key) + L"="), std::wstring::npos) << c.name;
        Held<CUTKCommandBar> loaded(static_cast<CUTKCommandBar*>(c.cls->CreateObject()));
        LoadXml(xml, loaded.get());
        EXPECT_EQ(StoreXml(loaded.get()), xml) << c.name;

        Held<CUTKCommandBar> plain(static_cast<CUTKCommandBar*>(c.cls->CreateObject()));
        const std::wstring defaults = StoreXml(plain.get());
        for (const wchar_t* key : c.keys) {
            EXPECT_EQ(defaults.find(std::wstring(key) + L"="), std::wstring::npos)
                << c.name << " wrote a default";
        }
    }
}

TEST_F(BarExchange, OldPopupDataSetsTheGutterStyleBitAndLacksNewerValues)
{
    auto stored = FilledPopup();
    stored->GetControls()->RemoveAll();  // the bar's own values only
    stored->SetStyleBit22(FALSE);
    for (int schema : {19, 20}) {
        const Bytes bytes = StoreArchive(stored.get(), schema);
        Held<CUTKPopupBar> loaded(CUTKPopupBar::CreatePopupBar(nullptr));
        loaded->SetStyleBit22(FALSE);
        ASSERT_TRUE(LoadArchive(bytes, loaded.get(), schema)) << schema;
        EXPECT_EQ(loaded->GetStyleBit22(), schema < 20) << schema;
        EXPECT_TRUE(loaded->IsContextMenu()) << schema;
    }
    // Before "ContextMenu" existed it is neither written nor read.
    const Bytes old = StoreArchive(stored.get(), 18);
    Held<CUTKPopupBar> loaded(CUTKPopupBar::CreatePopupBar(nullptr));
    ASSERT_TRUE(LoadArchive(old, loaded.get(), 18));
    EXPECT_FALSE(loaded->IsContextMenu());
    EXPECT_TRUE(loaded->IsDoubleGripper());
}

TEST_F(BarExchange, BarsWithControlsSavedAtOlderSchemasLoadBack)
{
    // Each control carries its class reference, whose schema the load reads the control's keys
    // at: it has to be the schema the keys were written at.
    for (int schema = 16; schema <= 20; ++schema) {
        Held<CUTKPopupBar> popup(CUTKPopupBar::CreatePopupBar(nullptr));
        popup->SetTitle(L"Old");
        CUTKControl* button = popup->GetControls()->Add(utkControlButton, 401);
        CUTKControl* split = popup->GetControls()->Add(utkControlSplitButtonPopup, 402);
        ASSERT_NE(button, nullptr);
        ASSERT_NE(split, nullptr);
        button->SetCaption(L"&Open");
        split->SetCaption(L"&Send");
        split->SetBeginGroup(TRUE);
        Held<CUTKToolBar> toolBar(new CUTKToolBar());
        AddButtons(toolBar.get(), {501, 502});
        CUTKCommandBar* bars[] = {popup.get(), toolBar.get()};
        for (CUTKCommandBar* bar : bars) {
            const char* name = bar->GetRuntimeClass()->m_lpszClassName;
            const Bytes bytes = StoreArchive(bar, schema);
            Held<CUTKCommandBar> loaded(
                static_cast<CUTKCommandBar*>(bar->GetRuntimeClass()->CreateObject()));
            ASSERT_TRUE(LoadArchive(bytes, loaded.get(), schema)) << name << " " << schema;
            ASSERT_EQ(Ids(loaded->GetControls()), Ids(bar->GetControls())) << name << schema;
            for (int i = 0; i < bar->GetControlCount(); ++i) {
                CUTKControl* was = bar->GetControl(i);
                CUTKControl* now = loaded->GetControl(i);
                EXPECT_EQ(now->GetRuntimeClass(), was->GetRuntimeClass()) << name << schema;
                EXPECT_EQ(now->GetType(), was->GetType()) << name << schema;
                EXPECT_EQ(now->GetCaption(), was->GetCaption()) << name << schema;
                EXPECT_EQ(now->GetBeginGroup(), was->GetBeginGroup()) << name << schema;
            }
            EXPECT_EQ(StoreArchive(loaded.get(), schema), bytes) << name << " " << schema;
        }
    }
}

TEST_F(BarExchange, OldToolBarDataMakesAMenuBarNotCloseable)
{
    for (int type : {utkBarTypeMenuBar, utkBarTypeNormal}) {
        Held<CUTKToolBar> stored(new CUTKToolBar());
        stored->SetType(type);
        const Bytes bytes = StoreArchive(stored.get(), 16);
        Held<CUTKToolBar> loaded(new CUTKToolBar());
        loaded->SetCloseable(TRUE);
        ASSERT_TRUE(LoadArchive(bytes, loaded.get(), 16));
        EXPECT_EQ(loaded->IsCloseable(), type != utkBarTypeMenuBar) << type;
    }
}

namespace {

// Answers the merge question box of this thread with a chosen button.
int g_answer = IDNO;
int g_questions = 0;

BOOL CALLBACK AnswerBox(HWND hwnd, LPARAM)
{
    wchar_t cls[16] = {};
    ::GetClassNameW(hwnd, cls, 16);
    if (std::wstring(cls) == L"#32770" && ::IsWindowVisible(hwnd)) {
        ++g_questions;
        ::PostMessageW(hwnd, WM_COMMAND, static_cast<WPARAM>(g_answer), 0);
        return FALSE;
    }
    return TRUE;
}

void CALLBACK AnswerTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    if (!::EnumThreadWindows(::GetCurrentThreadId(), AnswerBox, 0))
        ::KillTimer(nullptr, id);
}

// A toolbar whose controls and snapshot hold the ids given.
Held<CUTKToolBar> Bar(std::initializer_list<int> original, std::initializer_list<int> current)
{
    Held<CUTKToolBar> bar(new CUTKToolBar());
    bar->SetTitle(L"Standard");
    if (original.size() > 0) {
        AddButtons(bar.get(), original);
        bar->GetControls()->CreateOriginalControls();
        bar->GetControls()->RemoveAll();
    }
    AddButtons(bar.get(), current);
    return bar;
}

} // namespace

TEST(ToolBarMerge, LoadedBarsMergeUnlessTheBuiltInButtonsChanged)
{
    struct Case {
        const char* name;
        std::initializer_list<int> mineOriginal, mine, loadedOriginal, loaded;
        BOOL silent;
        int answer;              // button pressed when asked
        int questions;           // boxes shown
        BOOL merged;
        std::vector<int> result;          // this bar's controls afterwards
        std::vector<int> resultOriginal;  // and its snapshot
    };
    const Case cases[] = {
        {"same built-ins", {1, 2}, {1, 2}, {1, 2}, {2, 5}, FALSE, IDNO, 0, TRUE, {2, 5}, {1, 2}},
        {"loaded without snapshot", {1, 2}, {1, 2}, {}, {7}, FALSE, IDNO, 0, TRUE, {7}, {1, 2}},
        {"changed, silent", {1, 2, 3}, {1, 2, 3}, {1, 2}, {2}, TRUE, IDNO, 0, FALSE,
         {1, 2, 3}, {1, 2, 3}},
        {"changed, not customised", {1, 2, 3}, {1, 2, 3}, {1, 2}, {1, 2}, FALSE, IDNO, 0, FALSE,
         {1, 2, 3}, {1, 2, 3}},
        {"changed, keep customisation", {1, 2, 3}, {1, 2, 3}, {1, 2}, {2}, FALSE, IDNO, 1, TRUE,
         {2}, {1, 2, 3}},
        {"changed, take new built-ins", {1, 2, 3}, {1, 2, 3}, {1, 2}, {2}, FALSE, IDYES, 1, FALSE,
         {1, 2, 3}, {1, 2, 3}},
    };
    for (const Case& c : cases) {
        auto mine = Bar(c.mineOriginal, c.mine);
        auto loaded = Bar(c.loadedOriginal, c.loaded);
        g_answer = c.answer;
        g_questions = 0;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, AnswerTimer);
        EXPECT_EQ(mine->MergeToolBar(loaded.get(), c.silent), c.merged) << c.name;
        ::KillTimer(nullptr, timer);
        EXPECT_EQ(g_questions, c.questions) << c.name;
        EXPECT_EQ(Ids(mine->GetControls()), c.result) << c.name;
        EXPECT_EQ(Ids(mine->GetControls()->GetOriginalControls()), c.resultOriginal) << c.name;
    }
}

TEST(BarBaseLoad, APopupBarLoadsAToolbarResourceThroughTheBase)
{
    Held<CUTKPopupBar> popup(CUTKPopupBar::CreatePopupBar(nullptr));
    ASSERT_TRUE(popup->LoadToolBar(128, FALSE));
    EXPECT_EQ(Ids(popup->GetControls()),
              (std::vector<int>{57600, 57601, 32793, 32795, 32869, 32874, 32786, 32834, 32854}));
    for (int i = 0; i < popup->GetControlCount(); ++i) {
        const int id = popup->GetControl(i)->GetID();
        EXPECT_EQ(popup->GetControl(i)->GetBeginGroup(), id == 32869 || id == 32834 || id == 32854)
            << id;
    }
    // The base takes no snapshot and leaves the bar id alone: those are the toolbar's.
    EXPECT_EQ(popup->GetControls()->GetOriginalControls(), nullptr);
    EXPECT_EQ(popup->GetBarID(), 0u);
    for (UINT id : {0u, 131u, 999u}) {
        ASSERT_TRUE(popup->LoadToolBar(128, FALSE));
        EXPECT_FALSE(popup->LoadToolBar(id, FALSE)) << id;
        EXPECT_EQ(popup->GetControlCount(), 0) << id;
    }
    ASSERT_TRUE(popup->LoadToolBar(130, TRUE));  // 24 by 24 with icons
    EXPECT_EQ(popup->GetIconSizeField(), CSize(24, 24));
}

TEST(PopupLayoutFields, SeveralColumnsAndTheWidthLimit)
{
    Held<CUTKPopupBar> popup(CUTKPopupBar::CreatePopupBar(nullptr));
    AddButtons(popup.get(), {301, 302, 303});
    RECT work{};
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    popup->GetControl(1)->SetCaption(CString(L'W', 400));
    CDC dc;
    dc.Attach(::CreateCompatibleDC(nullptr));
    CUTKControls* controls = popup->GetControls();

    controls->CalcPopupLayout(&dc, 0, 0, CRect(0, 0, 0, 0));
    EXPECT_FALSE(popup->IsSeveralColumns());
    EXPECT_TRUE(popup->IsWidthLimited());
    EXPECT_EQ(popup->GetControl(1)->GetRect().Width(), work.right / 3);

    popup->SetWidthLimited(FALSE);
    controls->CalcPopupLayout(&dc, 0, 0, CRect(0, 0, 0, 0));
    EXPECT_GT(popup->GetControl(1)->GetRect().Width(), work.right / 3);

    // A height limit for one item per column: three columns, and the flag goes again once
    // a single column does.
    const int itemHeight = popup->GetControl(0)->GetRect().Height();
    controls->CalcPopupLayout(&dc, itemHeight + 1, 0, CRect(0, 0, 0, 0));
    EXPECT_TRUE(popup->IsSeveralColumns());
    EXPECT_TRUE(popup->GetControl(2)->GetWrap());
    controls->CalcPopupLayout(&dc, 0, 0, CRect(0, 0, 0, 0));
    EXPECT_FALSE(popup->IsSeveralColumns());
    ::DeleteDC(dc.Detach());
}

TEST(CommandBarsActions, TheManagerReleasesItsActions)
{
    auto* bars = new CUTKCommandBars();
    bars->EnableActions();
    CUTKControlAction* action = bars->CreateAction(4100);
    ASSERT_NE(action, nullptr);
    action->InternalAddRef();
    const LONG held = action->m_dwRef;
    bars->InternalRelease();
    EXPECT_EQ(action->m_dwRef, held - 1) << "the actions and their references go with the manager";
    action->InternalRelease();
}
