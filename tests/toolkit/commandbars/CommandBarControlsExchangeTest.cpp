// A bar's saved state with its controls: each control is stored by its run-time class, so every
// kind of control (buttons, popups, labels, check boxes, radios, progress, custom and the special
// controls) is saved through the archive and the XML exchange, loaded into a fresh bar and saved
// again, byte for byte equal. The comparison is printed, one line a kind, for the record.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/toolkit/commandbars/CommandBarTestBar.h"
#include "platform/framework/CArchive.h"
#include "platform/framework/CMemFile.h"
#include "toolkit/common/CUTKPropExchangeArchive.h"
#include "toolkit/common/CUTKPropExchangeXMLNode.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControlBitmap.h"
#include "toolkit/controls/CUTKControlButton.h"
#include "toolkit/controls/CUTKControlCheckBox.h"
#include "toolkit/controls/CUTKControlCustom.h"
#include "toolkit/controls/CUTKControlHyperlink.h"
#include "toolkit/controls/CUTKControlLabel.h"
#include "toolkit/controls/CUTKControlMarkupLabel.h"
#include "toolkit/controls/CUTKControlOleItems.h"
#include "toolkit/controls/CUTKControlPopup.h"
#include "toolkit/controls/CUTKControlProgress.h"
#include "toolkit/controls/CUTKControlRadioButton.h"
#include "toolkit/controls/CUTKControlRecentFileList.h"
#include "toolkit/controls/CUTKControlSelector.h"
#include "toolkit/controls/CUTKControlToolbars.h"
#include "toolkit/controls/CUTKControlWindowList.h"
#include "toolkit/controls/CUTKControlWorkspaceActions.h"
#include "toolkit/controls/CUTKControls.h"

using bartest::TestBar;

namespace {

using Bytes = std::vector<BYTE>;
constexpr int kSchema = 36;

struct Release {
    void operator()(CCmdTarget* target) const { target->InternalRelease(); }
};
using HeldBar = std::unique_ptr<TestBar, Release>;

const CLSID kDomDocument = {
    0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

// Values every kind carries besides its own, none of them the default.
void FillCommon(CUTKControl* control, int n)
{
    control->m_id = 200 + n;
    control->SetCaption(L"&Item <a> \"b\"\tCtrl+9");
    control->SetTooltip(L"Tip");
    control->SetDescription(L"Does the thing");
    control->SetIconId(40 + n);
    control->SetHelpId(7);
    control->SetBeginGroup(n % 2 == 0);
    control->SetTag(static_cast<DWORD_PTR>(n + 1));
    control->SetParameter(L"param");
    control->SetCategory(L"Edit");
    control->SetCustomStyle(1);
    control->SetStyle(2);
}

struct Kind {
    const char* name;
    const char* className;
    std::function<CUTKControl*()> make;
};

std::vector<Kind> Kinds()
{
    return {
        {"button", "CUTKControlButton", [] { return new CUTKControlButton(); }},
        {"popup", "CUTKControlPopup",
         [] {
             auto* c = new CUTKControlPopup();
             c->SetType(utkControlPopup);
             c->m_loadedBarId = 301;
             return c;
         }},
        {"button popup", "CUTKControlPopup",
         [] {
             auto* c = new CUTKControlPopup();
             c->SetType(utkControlButtonPopup);
             c->m_loadedBarId = 302;
             return c;
         }},
        {"split button popup", "CUTKControlPopup",
         [] {
             auto* c = new CUTKControlPopup();
             c->SetType(utkControlSplitButtonPopup);
             c->m_loadedBarId = 303;
             return c;
         }},
        {"custom", "CUTKControlCustom",
         [] {
             auto* c = new CUTKControlCustom();
             c->SetType(utkControlCustom);
             c->SetBorders(2, 1, 2, 1);
             c->SetSize(CSize(100, 20));
             c->SetVerticalPositionOption(2);
             c->m_controlId = 4711;  // names no window: stays a button face
             return c;
         }},
        {"label", "CUTKControlLabel", [] { return new CUTKControlLabel(); }},
        {"check box", "CUTKControlCheckBox", [] { return new CUTKControlCheckBox(); }},
        {"radio", "CUTKControlRadioButton", [] { return new CUTKControlRadioButton(); }},
        {"progress", "CUTKControlProgress",
         [] {
             auto* c = new CUTKControlProgress();
             c->SetRange(5, 250);
             c->SetPos(60);
             return c;
         }},
        {"hyperlink", "CUTKControlHyperlink", [] { return new CUTKControlHyperlink(); }},
        {"selector", "CUTKControlSelector",
         [] {
             auto* c = new CUTKControlSelector();
             c->SetItemsCount(CSize(4, 3));
             c->SetItemsMax(CSize(8, 6));
             c->SetItemSize(CSize(18, 17));
             return c;
         }},
        {"bitmap", "CUTKControlBitmap", [] { return new CUTKControlBitmap(); }},
        {"markup label", "CUTKControlMarkupLabel", [] { return new CUTKControlMarkupLabel(); }},
        {"OLE items", "CUTKControlOleItems", [] { return new CUTKControlOleItems(); }},
        {"recent files", "CUTKControlRecentFileList", [] { return new CUTKControlRecentFileList(); }},
        {"window list", "CUTKControlWindowList", [] { return new CUTKControlWindowList(); }},
        {"toolbar list", "CUTKControlToolbars", [] { return new CUTKControlToolbars(); }},
        {"workspace actions", "CUTKControlWorkspaceActions",
         [] { return new CUTKControlWorkspaceActions(); }},
    };
}

HeldBar BarWith(const std::vector<Kind>& kinds)
{
    HeldBar bar(new TestBar());
    bar->SetBarID(128);
    bar->SetTitle(L"Everything");
    int n = 0;
    for (const Kind& kind : kinds) {
        CUTKControl* control = kind.make();
        FillCommon(control, n++);
        bar->GetControls()->Append(control);
    }
    return bar;
}

// The bar's archive bytes; a failure names the exception.
Bytes StoreArchive(CUTKCommandBar* bar)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CUTKPropExchangeArchive px(ar);
        px.m_nSchema = kSchema;
        try {
            bar->DoPropExchange(&px);
        } catch (CException* e) {
            ADD_FAILURE() << "store threw " << e->GetRuntimeClass()->m_lpszClassName;
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

bool LoadArchive(const Bytes& bytes, CUTKCommandBar* bar)
{
    try {
        CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
        CArchive ar(&file, CArchive::load);
        CUTKPropExchangeArchive px(ar);
        px.m_nSchema = kSchema;
        bar->DoPropExchange(&px);
    } catch (CException* e) {
        e->Delete();
        return false;
    }
    return true;
}

CComPtr<IXMLDOMNode> NewDocument()
{
    CComPtr<IXMLDOMNode> node;
    EXPECT_HRESULT_SUCCEEDED(::CoCreateInstance(kDomDocument, nullptr, CLSCTX_INPROC_SERVER,
                                                IID_IXMLDOMNode, reinterpret_cast<void**>(&node)));
    return node;
}

std::wstring StoreXml(CUTKCommandBar* bar)
{
    CComPtr<IXMLDOMNode> doc = NewDocument();
    if (!doc)
        return L"";
    {
        std::unique_ptr<CUTKPropExchange, Release> px(
            new CUTKPropExchangeXMLNode(FALSE, doc, L"CommandBar"));
        px->m_nSchema = kSchema;
        try {
            bar->DoPropExchange(px.get());
        } catch (CException* e) {
            ADD_FAILURE() << "XML store threw " << e->GetRuntimeClass()->m_lpszClassName;
            e->Delete();
        }
    }
    BSTR xml = nullptr;
    doc->get_xml(&xml);
    std::wstring text(xml ? xml : L"");
    ::SysFreeString(xml);
    return text;
}

bool LoadXml(const std::wstring& xml, CUTKCommandBar* bar)
{
    CComPtr<IXMLDOMNode> node = NewDocument();
    CComPtr<IXMLDOMDocument> doc;
    if (!node || FAILED(node->QueryInterface(IID_IXMLDOMDocument, reinterpret_cast<void**>(&doc))))
        return false;
    VARIANT_BOOL ok = VARIANT_FALSE;
    BSTR text = ::SysAllocString(xml.c_str());
    doc->loadXML(text, &ok);
    ::SysFreeString(text);
    if (ok != VARIANT_TRUE)
        return false;
    try {
        std::unique_ptr<CUTKPropExchange, Release> px(
            new CUTKPropExchangeXMLNode(TRUE, node, L"CommandBar"));
        px->m_nSchema = kSchema;
        bar->DoPropExchange(px.get());
    } catch (CException* e) {
        e->Delete();
        return false;
    }
    return true;
}

// Offset of the first differing byte, or -1 when equal.
long FirstDifference(const Bytes& a, const Bytes& b)
{
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i)
        if (a[i] != b[i])
            return static_cast<long>(i);
    return a.size() == b.size() ? -1 : static_cast<long>(n);
}

// The loaded bar holds the same kinds, in order, with the same values.
void ExpectSameControls(CUTKCommandBar* stored, CUTKCommandBar* loaded, const char* how)
{
    ASSERT_EQ(loaded->GetControlCount(), stored->GetControlCount()) << how;
    for (int i = 0; i < stored->GetControlCount(); ++i) {
        CUTKControl* a = stored->GetControl(i);
        CUTKControl* b = loaded->GetControl(i);
        ASSERT_NE(b, nullptr) << how << " " << i;
        EXPECT_STREQ(b->GetRuntimeClass()->m_lpszClassName, a->GetRuntimeClass()->m_lpszClassName)
            << how << " " << i;
        EXPECT_EQ(b->GetType(), a->GetType()) << how << " " << i;
        EXPECT_EQ(b->GetID(), a->GetID()) << how << " " << i;
        EXPECT_EQ(b->GetParent(), loaded) << how << " " << i;
        EXPECT_TRUE(b->Compare(a)) << how << " " << i;
    }
}

} // namespace

TEST(CommandBarControlsExchange, EveryControlClassIsSerial)
{
    for (const Kind& kind : Kinds()) {
        CUTKControl* control = kind.make();
        EXPECT_STREQ(control->GetRuntimeClass()->m_lpszClassName, kind.className) << kind.name;
        EXPECT_TRUE(control->IsSerializable()) << kind.name;
        EXPECT_EQ(control->GetRuntimeClass()->m_wSchema, kUtkControlSchema) << kind.name;
        control->InternalRelease();
    }
    // What the factory makes for each type number is serial too.
    HeldBar bar(new TestBar());
    for (int type = 1; type <= 11; ++type) {
        CUTKControl* control = bar->GetControls()->Add(type, 0);
        if (control != nullptr) {
            EXPECT_TRUE(control->IsSerializable())
                << type << " " << control->GetRuntimeClass()->m_lpszClassName;
        }
    }
}

// One bar per kind, then one bar with all of them: archive and XML, stored, loaded into a fresh
// bar, stored again.
TEST(CommandBarControlsExchange, EachKindRoundTripsByteForByte)
{
    std::vector<Kind> kinds = Kinds();
    std::printf("round trip of a bar's controls, schema %d: bytes stored, bytes stored again "
                "after loading into a fresh bar\n",
                kSchema);
    std::printf("%-20s %-28s %9s %9s %-5s %9s %9s %-5s\n", "kind", "class", "archive", "again",
                "equal", "xml", "again", "equal");
    auto check = [](const std::vector<Kind>& some, const char* name, const char* className) {
        HeldBar bar = BarWith(some);
        const Bytes first = StoreArchive(bar.get());
        HeldBar loaded(new TestBar());
        EXPECT_TRUE(LoadArchive(first, loaded.get())) << name;
        ExpectSameControls(bar.get(), loaded.get(), name);
        const Bytes second = StoreArchive(loaded.get());
        EXPECT_EQ(FirstDifference(first, second), -1) << name;

        const std::wstring xml = StoreXml(bar.get());
        EXPECT_NE(xml.find(L"Controls"), std::wstring::npos) << name;
        HeldBar fromXml(new TestBar());
        EXPECT_TRUE(LoadXml(xml, fromXml.get())) << name;
        ExpectSameControls(bar.get(), fromXml.get(), name);
        const std::wstring xmlAgain = StoreXml(fromXml.get());
        EXPECT_EQ(xml, xmlAgain) << name;
        std::printf("%-20s %-28s %9u %9u %-5s %9u %9u %-5s\n", name, className,
                    static_cast<unsigned>(first.size()), static_cast<unsigned>(second.size()),
                    FirstDifference(first, second) == -1 ? "yes" : "NO",
                    static_cast<unsigned>(xml.size() * sizeof(wchar_t)),
                    static_cast<unsigned>(xmlAgain.size() * sizeof(wchar_t)),
                    xml == xmlAgain ? "yes" : "NO");
    };
    for (const Kind& kind : kinds)
        check({kind}, kind.name, kind.className);
    check(kinds, "all in one bar", "-");
    std::fflush(stdout);
}

TEST(CommandBarControlsExchange, CutArchiveWithControlsIsRefused)
{
    HeldBar bar = BarWith(Kinds());
    const Bytes whole = StoreArchive(bar.get());
    ASSERT_GT(whole.size(), 100u);
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        HeldBar loaded(new TestBar());
        const Bytes part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_FALSE(LoadArchive(part, loaded.get())) << "cut at " << cut;
    }
}

// A stored class name that is no control class (or no class at all) ends the load with an
// error instead of a wrong object.
TEST(CommandBarControlsExchange, ForeignClassNameIsRefused)
{
    HeldBar bar = BarWith({Kinds()[0]});
    const std::wstring xml = StoreXml(bar.get());
    for (const wchar_t* foreign : {L"CStringArray", L"CUTKNoSuchControl"}) {
        std::wstring changed = xml;
        const size_t at = changed.find(L"CUTKControlButton");
        ASSERT_NE(at, std::wstring::npos) << "the class is stored by name";
        changed.replace(at, wcslen(L"CUTKControlButton"), foreign);
        HeldBar loaded(new TestBar());
        EXPECT_FALSE(LoadXml(changed, loaded.get())) << foreign;
        EXPECT_EQ(loaded->GetControlCount(), 0);
    }
}
