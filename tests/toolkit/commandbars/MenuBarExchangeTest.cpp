// The menu bar's saved state: the default menu's id and the template control sets the user
// changed, through the archive (byte for byte again, cut at every byte, damaged counts, a set
// already held) and XML (round trip, defaults writing nothing), and the clone carrying both.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/framework/CArchive.h"
#include "platform/framework/CMemFile.h"
#include "tests/toolkit/common/ArchiveRoundTrip.h"
#include "toolkit/commandbars/CUTKMenuBar.h"
#include "toolkit/commandbars/CUTKMenuBarMDIMenuInfo.h"
#include "toolkit/commandbars/CUTKMenuBarMDIMenus.h"
#include "toolkit/common/CUTKPropExchangeArchive.h"
#include "toolkit/common/CUTKPropExchangeXMLNode.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControls.h"

namespace {

using Bytes = std::vector<BYTE>;
constexpr int kSchema = 36;

struct Release {
    void operator()(CCmdTarget* target) const { target->InternalRelease(); }
};
template <class T>
using Held = std::unique_ptr<T, Release>;

// Sets the menu ids a loaded menu resource would, without a frame to take over.
class IdMenuBar : public CUTKMenuBar {
public:
    void SetMenuIds(UINT defaultId, UINT currentId)
    {
        m_nIDDefaultMenu = defaultId;
        m_nIDCurrentMenu = currentId;
    }
};

std::vector<int> Ids(CUTKControls* controls)
{
    std::vector<int> ids;
    for (int i = 0; controls != nullptr && i < controls->GetCount(); ++i)
        ids.push_back(controls->GetAt(i)->GetID());
    return ids;
}

void AddButtons(CUTKControls* controls, std::initializer_list<int> ids)
{
    for (int id : ids)
        ASSERT_NE(controls->Add(utkControlButton, id), nullptr);
}

// A template set; with `snapshot` its built-in state, which the set equals when unchanged.
void AddMenu(CUTKMenuBar* bar, UINT id, std::initializer_list<int> ids,
             std::initializer_list<int> snapshot = {})
{
    auto* info = new CUTKMenuBarMDIMenuInfo(nullptr, id);
    if (snapshot.size() > 0) {
        AddButtons(info->m_pControls, snapshot);
        info->m_pControls->CreateOriginalControls();
        info->m_pControls->RemoveAll();
    }
    AddButtons(info->m_pControls, ids);
    bar->GetMDIMenus()->SetAt(id, info);
}

// Template id -> its control ids, in id order.
std::vector<std::pair<UINT, std::vector<int>>> Menus(CUTKMenuBar* bar)
{
    std::vector<std::pair<UINT, std::vector<int>>> menus;
    for (POSITION pos = bar->GetMDIMenus()->GetStartPosition(); pos != nullptr;) {
        CUTKMenuBarMDIMenuInfo* info = nullptr;
        bar->GetMDIMenus()->GetNextAssoc(pos, info);
        menus.emplace_back(info->m_nIDMenu, Ids(info->m_pControls));
    }
    std::sort(menus.begin(), menus.end());
    return menus;
}

using MenuList = std::vector<std::pair<UINT, std::vector<int>>>;

// Default menu 128 shown with 101, 102; template 129 changed, 130 without a snapshot (changed),
// 131 as built (not saved).
Held<IdMenuBar> FilledBar()
{
    Held<IdMenuBar> bar(new IdMenuBar());
    bar->SetTitle(L"Menu bar");
    bar->SetMenuIds(128, 128);
    AddButtons(bar->GetControls(), {101, 102});
    AddMenu(bar.get(), 129, {291, 292}, {291});
    AddMenu(bar.get(), 130, {301, 302, 303});
    AddMenu(bar.get(), 131, {311}, {311});
    return bar;
}

Bytes StoreArchive(CUTKCommandBar* bar, int schema = kSchema)
{
    return orvane::test::StoreArchiveBytes(bar, schema);
}

bool LoadArchive(const Bytes& bytes, CUTKCommandBar* bar, int schema = kSchema)
{
    return orvane::test::LoadArchiveBytes(bytes, bar, schema);
}

const CLSID kDomDocument = {
    0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

CComPtr<IXMLDOMNode> NewDocument()
{
    CComPtr<IXMLDOMDocument> doc;
    EXPECT_HRESULT_SUCCEEDED(::CoCreateInstance(kDomDocument, nullptr, CLSCTX_INPROC_SERVER,
                                                IID_IXMLDOMDocument,
                                                reinterpret_cast<void**>(&doc)));
    CComPtr<IXMLDOMNode> node;
    doc->QueryInterface(IID_IXMLDOMNode, reinterpret_cast<void**>(&node));
    return node;
}

std::wstring StoreXml(CUTKCommandBar* bar)
{
    CComPtr<IXMLDOMNode> doc = NewDocument();
    {
        Held<CUTKPropExchange> px(new CUTKPropExchangeXMLNode(FALSE, doc, L"CommandBar"));
        px->m_nSchema = kSchema;
        bar->DoPropExchange(px.get());
    }
    BSTR xml = nullptr;
    doc->get_xml(&xml);
    std::wstring text(xml != nullptr ? xml : L"");
    ::SysFreeString(xml);
    return text;
}

void LoadXml(const std::wstring& xml, CUTKCommandBar* bar)
{
    CComPtr<IXMLDOMNode> node = NewDocument();
    CComPtr<IXMLDOMDocument> doc;
    node->QueryInterface(IID_IXMLDOMDocument, reinterpret_cast<void**>(&doc));
    VARIANT_BOOL ok = VARIANT_FALSE;
    BSTR text = ::SysAllocString(xml.c_str());
    doc->loadXML(text, &ok);
    ::SysFreeString(text);
    ASSERT_EQ(VARIANT_TRUE, ok);
    Held<CUTKPropExchange> px(new CUTKPropExchangeXMLNode(TRUE, node, L"CommandBar"));
    px->m_nSchema = kSchema;
    bar->DoPropExchange(px.get());
}

class MenuBarExchange : public ::testing::Test {
protected:
    void SetUp() override { ::CoInitialize(nullptr); }
    void TearDown() override { ::CoUninitialize(); }
};

const MenuList kSavedMenus = {{129, {291, 292}}, {130, {301, 302, 303}}};

} // namespace

TEST_F(MenuBarExchange, ArchiveRoundTripIsByteForByteAndSavesOnlyChangedTemplates)
{
    auto stored = FilledBar();
    const Bytes first = StoreArchive(stored.get());
    Held<CUTKMenuBar> loaded(new CUTKMenuBar());
    ASSERT_TRUE(LoadArchive(first, loaded.get()));
    EXPECT_EQ(loaded->GetDefaultMenuID(), 128u);
    EXPECT_EQ(loaded->GetCurrentMenuID(), 128u);
    EXPECT_EQ(Ids(loaded->GetControls()), (std::vector<int>{101, 102}));
    EXPECT_EQ(Menus(loaded.get()), kSavedMenus);
    EXPECT_EQ(StoreArchive(loaded.get()), first);
}

TEST_F(MenuBarExchange, SavingShowsTheDefaultMenuFirst)
{
    // Template 130 shown: the default menu's set waits in the map meanwhile.
    auto bar = FilledBar();
    bar->SwitchMDIMenu(130, nullptr);
    ASSERT_EQ(bar->GetCurrentMenuID(), 130u);
    ASSERT_EQ(Ids(bar->GetControls()), (std::vector<int>{301, 302, 303}));
    const Bytes bytes = StoreArchive(bar.get());
    EXPECT_EQ(bar->GetCurrentMenuID(), 128u);
    EXPECT_EQ(Ids(bar->GetControls()), (std::vector<int>{101, 102}));
    Held<CUTKMenuBar> loaded(new CUTKMenuBar());
    ASSERT_TRUE(LoadArchive(bytes, loaded.get()));
    EXPECT_EQ(Ids(loaded->GetControls()), (std::vector<int>{101, 102}));
    EXPECT_EQ(Menus(loaded.get()), kSavedMenus);
}

TEST_F(MenuBarExchange, OldDataHoldsNoTemplateSets)
{
    for (int schema : {4, 5}) {
        auto stored = FilledBar();
        Held<CUTKMenuBar> loaded(new CUTKMenuBar());
        ASSERT_TRUE(LoadArchive(StoreArchive(stored.get(), schema), loaded.get(), schema))
            << schema;
        EXPECT_EQ(loaded->GetDefaultMenuID(), 128u) << schema;
        EXPECT_EQ(Menus(loaded.get()), schema > 4 ? kSavedMenus : MenuList{}) << schema;
    }
}

TEST_F(MenuBarExchange, ArchiveCutAtAnyByteIsRefusedAndKeepsTheSetsHeld)
{
    auto stored = FilledBar();
    const Bytes whole = StoreArchive(stored.get());
    ASSERT_GT(whole.size(), 60u);
    const MenuList held = {{777, {7}}};
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        Held<CUTKMenuBar> target(new CUTKMenuBar());
        AddMenu(target.get(), 777, {7});
        const Bytes part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_FALSE(LoadArchive(part, target.get())) << "cut at " << cut;
        // Sets read whole before the cut may stay; the one held before is untouched.
        const MenuList after = Menus(target.get());
        EXPECT_NE(std::find(after.begin(), after.end(), held.front()), after.end())
            << "cut at " << cut;
    }
}

TEST_F(MenuBarExchange, DamagedCountsAreRefusedBeforeAnythingIsMade)
{
    Held<IdMenuBar> plain(new IdMenuBar());
    plain->SetMenuIds(128, 128);
    const Bytes bytes = StoreArchive(plain.get());
    // The count of template sets is the stream's last value.
    ASSERT_GE(bytes.size(), 4u);
    const size_t at = bytes.size() - 4;
    {
        // Checked on a bar holding one changed set: same bytes before, then the count 1.
        Held<IdMenuBar> one(new IdMenuBar());
        one->SetMenuIds(128, 128);
        AddMenu(one.get(), 130, {301});
        const Bytes withOne = StoreArchive(one.get());
        ASSERT_GT(withOne.size(), bytes.size());
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(at),
                               withOne.begin()));
        int count = 0;
        std::memcpy(&count, &withOne[at], 4);
        ASSERT_EQ(count, 1);
    }
    for (int count : {-1, -70000, 1025, 0x7FFFFFFF, 1, 3}) {
        Bytes damaged = bytes;
        std::memcpy(&damaged[at], &count, 4);
        Held<CUTKMenuBar> target(new CUTKMenuBar());
        AddMenu(target.get(), 777, {7});
        AddMenu(target.get(), 778, {8, 9});
        EXPECT_FALSE(LoadArchive(damaged, target.get())) << count;
        EXPECT_EQ(Menus(target.get()), (MenuList{{777, {7}}, {778, {8, 9}}})) << count;
    }
}

TEST_F(MenuBarExchange, ASetAlreadyHeldIsKeptAndTheStreamReadOnPast)
{
    auto stored = FilledBar();
    const Bytes bytes = StoreArchive(stored.get());
    Held<CUTKMenuBar> target(new CUTKMenuBar());
    AddMenu(target.get(), 129, {999});
    ASSERT_TRUE(LoadArchive(bytes, target.get()));
    EXPECT_EQ(Menus(target.get()), (MenuList{{129, {999}}, {130, {301, 302, 303}}}));
}

TEST_F(MenuBarExchange, XmlRoundTripsAndDefaultsWriteNoKey)
{
    auto stored = FilledBar();
    const std::wstring xml = StoreXml(stored.get());
    for (const wchar_t* part : {L"ResourceId=\"128\"", L"<MDIMenu0 ", L"Id=\"129\"", L"<MDIMenu1 ",
                                L"Id=\"130\""}) {
        EXPECT_NE(xml.find(part), std::wstring::npos) << part;
    }
    EXPECT_EQ(xml.find(L"MDIMenu2"), std::wstring::npos);
    Held<CUTKMenuBar> loaded(new CUTKMenuBar());
    LoadXml(xml, loaded.get());
    EXPECT_EQ(loaded->GetDefaultMenuID(), 128u);
    EXPECT_EQ(Menus(loaded.get()), kSavedMenus);
    EXPECT_EQ(StoreXml(loaded.get()), xml);

    Held<CUTKMenuBar> plain(new CUTKMenuBar());
    const std::wstring defaults = StoreXml(plain.get());
    EXPECT_EQ(defaults.find(L"ResourceId"), std::wstring::npos) << "wrote a default";
    EXPECT_EQ(defaults.find(L"MDIMenu"), std::wstring::npos) << "wrote a default";
}

TEST_F(MenuBarExchange, CloneCarriesTheDefaultMenuAndTheTemplateSets)
{
    auto bar = FilledBar();
    Held<CUTKCommandBar> clone(bar->Clone(FALSE));
    auto* menuBar = DYNAMIC_DOWNCAST(CUTKMenuBar, clone.get());
    ASSERT_NE(menuBar, nullptr);
    EXPECT_EQ(menuBar->GetDefaultMenuID(), 128u);
    EXPECT_EQ(Menus(menuBar).size(), 3u);
    EXPECT_EQ(StoreArchive(clone.get()), StoreArchive(bar.get()));
}
