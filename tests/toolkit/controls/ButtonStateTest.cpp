// Saved state, copies and comparisons of buttons, popups and custom controls, without a
// window: round trips through the archive and the XML exchange (saved again byte for byte),
// defaults that write no key, the schema gates of the old "Style" and of "ControlId", a cut
// stream refused, a pending "CommandBarId" kept, popups sharing or cloning their bar, and a
// popup that cannot be dropped into its own bar.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/base/CComPtr.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/common/CUTKPropExchangeArchive.h"
#include "toolkit/common/CUTKPropExchangeXMLNode.h"
#include "toolkit/controls/CUTKControlButton.h"
#include "toolkit/controls/CUTKControlCustom.h"
#include "toolkit/controls/CUTKControlPopup.h"
#include "toolkit/controls/CUTKControls.h"

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

struct ReleaseTarget {
    void operator()(CCmdTarget* target) const { target->InternalRelease(); }
};
template <typename T> using Held = std::unique_ptr<T, ReleaseTarget>;

Bytes StoreArchive(CUTKControl* control, int schema)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CUTKPropExchangeArchive px(ar);
        px.m_nSchema = schema;
        control->DoPropExchange(&px);
        ar.Close();
    }
    const UINT length = static_cast<UINT>(file.GetLength());
    BYTE* data = file.Detach();
    Bytes bytes(data, data + length);
    std::free(data);
    return bytes;
}

// -1 when the load went through, else the archive exception's cause.
int LoadArchive(const Bytes& bytes, CUTKControl* control, int schema)
{
    try {
        CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
        CArchive ar(&file, CArchive::load);
        CUTKPropExchangeArchive px(ar);
        px.m_nSchema = schema;
        control->DoPropExchange(&px);
    } catch (CArchiveException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

const CLSID kDomDocument = {
    0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

CComPtr<IXMLDOMNode> NewDocumentNode()
{
    CComPtr<IXMLDOMDocument> doc;
    ::CoCreateInstance(kDomDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                       reinterpret_cast<void**>(&doc));
    CComPtr<IXMLDOMNode> node;
    if (doc) {
        doc->QueryInterface(IID_IXMLDOMNode, reinterpret_cast<void**>(&node));
    }
    return node;
}

std::wstring XmlOf(IXMLDOMNode* node)
{
    BSTR xml = nullptr;
    node->get_xml(&xml);
    std::wstring text;
    for (const wchar_t* c = xml; c != nullptr && *c != 0; ++c) {
        if (*c != L'\r' && *c != L'\n' && *c != L'\t') {
            text += *c;
        }
    }
    ::SysFreeString(xml);
    return text;
}

std::wstring StoreXml(CUTKControl* control, int schema = 36)
{
    CComPtr<IXMLDOMNode> doc = NewDocumentNode();
    if (!doc) {
        return L"(no XML DOM)";
    }
    {
        Held<CUTKPropExchange> px(new CUTKPropExchangeXMLNode(FALSE, doc, L"Control"));
        px->m_nSchema = schema;
        control->DoPropExchange(px.get());
    }
    return XmlOf(doc);
}

void LoadXml(const std::wstring& xml, CUTKControl* control, int schema)
{
    CComPtr<IXMLDOMNode> node = NewDocumentNode();
    ASSERT_TRUE(node);
    CComPtr<IXMLDOMDocument> doc;
    node->QueryInterface(IID_IXMLDOMDocument, reinterpret_cast<void**>(&doc));
    VARIANT_BOOL ok = VARIANT_FALSE;
    BSTR text = ::SysAllocString(xml.c_str());
    doc->loadXML(text, &ok);
    ::SysFreeString(text);
    ASSERT_EQ(ok, VARIANT_TRUE) << std::string(xml.begin(), xml.end());
    Held<CUTKPropExchange> px(new CUTKPropExchangeXMLNode(TRUE, node, L"Control"));
    px->m_nSchema = schema;
    control->DoPropExchange(px.get());
}

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

struct Kind {
    const char* name;
    std::function<CUTKControl*()> fresh;
    std::function<void(CUTKControl*)> fill;
};

const Kind kKinds[] = {
    {"button", [] { return new CUTKControlButton(); },
     [](CUTKControl* c) {
         c->SetID(501);
         c->SetCaption(L"&Play");
         c->SetStyle(utkButtonIconAndCaption);
         c->SetExecuteOnPressInterval(100);
     }},
    {"split popup", [] { return CUTKControlPopup::CreateControlPopup(utkControlSplitButtonPopup); },
     [](CUTKControl* c) {
         c->SetID(502);
         c->SetCaption(L"Jump");
         static_cast<CUTKControlPopup*>(c)->m_loadedBarId = 7;
     }},
    {"custom", [] { return new CUTKControlCustom(); },
     [](CUTKControl* c) {
         auto* custom = static_cast<CUTKControlCustom*>(c);
         custom->SetID(503);
         custom->m_borders = CRect(2, 1, 2, 1);
         custom->m_controlSize = CSize(100, 20);
         custom->m_verticalOptions = CUTKControlCustom::verticalHideWindow;
         custom->m_controlId = 77;
     }},
};

} // namespace

TEST(ButtonState, RoundTripsThroughArchiveAndXmlByteForByte)
{
    for (const Kind& kind : kKinds) {
        Held<CUTKControl> original(kind.fresh());
        kind.fill(original.get());
        const Bytes first = StoreArchive(original.get(), 36);
        Held<CUTKControl> loaded(kind.fresh());
        ASSERT_EQ(LoadArchive(first, loaded.get(), 36), -1) << kind.name;
        EXPECT_EQ(StoreArchive(loaded.get(), 36), first) << kind.name;
        EXPECT_TRUE(loaded->Compare(original.get())) << kind.name;

        const std::wstring xml = StoreXml(original.get());
        EXPECT_NE(xml.find(L"Id=\"50"), std::wstring::npos) << kind.name << ": " << Narrow(xml);
        Held<CUTKControl> fromXml(kind.fresh());
        LoadXml(xml, fromXml.get(), 36);
        EXPECT_EQ(StoreXml(fromXml.get()), xml) << kind.name;
    }
}

TEST(ButtonState, LoadedValuesAreTheSavedOnes)
{
    Held<CUTKControl> custom(kKinds[2].fresh());
    kKinds[2].fill(custom.get());
    Held<CUTKControlCustom> loaded(new CUTKControlCustom());
    ASSERT_EQ(LoadArchive(StoreArchive(custom.get(), 36), loaded.get(), 36), -1);
    EXPECT_EQ(loaded->GetBorders(), CRect(2, 1, 2, 1));
    EXPECT_EQ(loaded->GetControlSize(), CSize(100, 20));
    EXPECT_EQ(loaded->GetVerticalPositionOption(), CUTKControlCustom::verticalHideWindow);
    EXPECT_EQ(loaded->GetControlID(), 77);
    EXPECT_EQ(loaded->GetControl(), nullptr); // id 77 names no window: drawn as a button

    Held<CUTKControl> popup(kKinds[1].fresh());
    kKinds[1].fill(popup.get());
    Held<CUTKControlPopup> loadedPopup(new CUTKControlPopup());
    ASSERT_EQ(LoadArchive(StoreArchive(popup.get(), 36), loadedPopup.get(), 36), -1);
    EXPECT_EQ(loadedPopup->GetLoadedBarId(), 7u);
    EXPECT_EQ(loadedPopup->GetCommandBar(), nullptr);
}

TEST(ButtonState, DefaultsWriteNoKey)
{
    for (const Kind& kind : kKinds) {
        Held<CUTKControl> control(kind.fresh());
        const std::wstring xml = StoreXml(control.get());
        for (const wchar_t* key : {L"CommandBarId", L"Borders", L"ControlSize", L"VerticalOptions",
                                   L"ControlId", L"Style="}) {
            EXPECT_EQ(xml.find(key), std::wstring::npos) << kind.name << ": " << Narrow(xml);
        }
    }
}

TEST(ButtonState, SchemaGates)
{
    struct Case {
        const char* name;
        std::function<CUTKControl*()> fresh;
        int schema;
        const wchar_t* xml;
        std::function<int(CUTKControl*)> read;
        int expected;
    };
    auto style = [](CUTKControl* c) { return c->m_style; };
    auto controlId = [](CUTKControl* c) { return static_cast<CUTKControlCustom*>(c)->m_controlId; };
    auto button = [] { return static_cast<CUTKControl*>(new CUTKControlButton()); };
    auto popup = [] { return static_cast<CUTKControl*>(CUTKControlPopup::CreateControlPopup(2)); };
    auto custom = [] { return static_cast<CUTKControl*>(new CUTKControlCustom()); };
    const Case cases[] = {
        {"button, old Style at 4", button, 4, L"<Control CompactMode=\"1\" Style=\"3\"/>", style, 3},
        {"button, old Style at 17", button, 17, L"<Control CompactMode=\"1\" Style=\"3\"/>", style, 3},
        {"popup, Style before 5", popup, 4, L"<Control CompactMode=\"1\" Style=\"3\"/>", style, 0},
        {"popup, Style at 5", popup, 5, L"<Control CompactMode=\"1\" Style=\"3\"/>", style, 3},
        {"popup, Style at 17", popup, 17, L"<Control CompactMode=\"1\" Style=\"3\"/>", style, 3},
        {"custom, ControlId at 5", custom, 5, L"<Control CompactMode=\"1\" ControlId=\"77\"/>", controlId, 0},
        {"custom, ControlId at 6", custom, 6, L"<Control CompactMode=\"1\" ControlId=\"77\"/>", controlId, 77},
    };
    for (const Case& c : cases) {
        Held<CUTKControl> control(c.fresh());
        LoadXml(c.xml, control.get(), c.schema);
        EXPECT_EQ(c.read(control.get()), c.expected) << c.name;
    }
}

TEST(ButtonState, CutStreamIsRefusedAtEveryByte)
{
    for (const Kind& kind : kKinds) {
        Held<CUTKControl> original(kind.fresh());
        kind.fill(original.get());
        const Bytes bytes = StoreArchive(original.get(), 36);
        ASSERT_GT(bytes.size(), 8u);
        for (size_t cut = 0; cut < bytes.size(); ++cut) {
            const Bytes part(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
            Held<CUTKControl> loaded(kind.fresh());
            EXPECT_NE(LoadArchive(part, loaded.get(), 36), -1) << kind.name << " cut at " << cut;
        }
    }
}

TEST(ButtonState, PopupCopiesShareOrCloneTheirBar)
{
    Held<CUTKControlPopup> popup(CUTKControlPopup::CreateControlPopup(utkControlButtonPopup));
    auto* bar = new CUTKCommandBar();
    bar->SetBarID(9);
    auto* item = new CUTKControlButton();
    bar->GetControls()->InsertAt(item);
    item->SetID(42);
    popup->SetCommandBar(bar);
    bar->InternalRelease();

    Held<CUTKControl> shared(popup->Clone(FALSE));
    auto* sharedPopup = dynamic_cast<CUTKControlPopup*>(shared.get());
    ASSERT_NE(sharedPopup, nullptr);
    EXPECT_EQ(sharedPopup->GetType(), utkControlButtonPopup);
    EXPECT_EQ(sharedPopup->GetCommandBar(), bar);

    Held<CUTKControl> deep(popup->Clone(TRUE));
    auto* deepPopup = dynamic_cast<CUTKControlPopup*>(deep.get());
    ASSERT_NE(deepPopup, nullptr);
    ASSERT_NE(deepPopup->GetCommandBar(), nullptr);
    EXPECT_NE(deepPopup->GetCommandBar(), bar);
    EXPECT_TRUE(deepPopup->Compare(popup.get()));

    // Comparing looks into both bars.
    deepPopup->GetCommandBar()->GetControls()->GetAt(0)->SetID(43);
    EXPECT_FALSE(deepPopup->Compare(popup.get()));
    Held<CUTKControlButton> plain(new CUTKControlButton());
    plain->SetID(popup->GetID());
    plain->SetType(popup->GetType());
    EXPECT_FALSE(popup->Compare(plain.get()));

    // The shared bar outlives the first popup that releases it.
    popup.reset();
    EXPECT_EQ(sharedPopup->GetCommandBar()->GetBarID(), 9u);
}

TEST(ButtonState, PopupIsNoDropTargetForItsOwnBar)
{
    Held<CUTKControlPopup> popup(CUTKControlPopup::CreateControlPopup(utkControlPopup));
    auto* bar = new CUTKCommandBar();
    popup->SetCommandBar(bar);
    auto* other = new CUTKCommandBar();
    DWORD effect = 0;
    EXPECT_FALSE(popup->IsCustomizeDragOverAvail(bar, CPoint(0, 0), effect));
    EXPECT_TRUE(popup->IsCustomizeDragOverAvail(other, CPoint(0, 0), effect));
    EXPECT_TRUE(popup->IsCustomizeDragOverAvail(nullptr, CPoint(0, 0), effect));
    bar->InternalRelease();
    other->InternalRelease();
}

TEST(ButtonState, CustomControlCopiesShareTheWindowAndStartUnmovable)
{
    Held<CUTKControlCustom> custom(new CUTKControlCustom());
    EXPECT_EQ(custom->GetFlags(), static_cast<DWORD>(utkFlagNoMovable));
    EXPECT_EQ(custom->GetType(), utkControlCustom);
    HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 30, 10, nullptr, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
    custom->SetControl(window);
    EXPECT_EQ(custom->GetControlSize(), CSize(30, 10));
    custom->SetBorders(1, 2, 3, 4);
    Held<CUTKControl> copy(custom->Clone(FALSE));
    auto* copied = dynamic_cast<CUTKControlCustom*>(copy.get());
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->GetControl(), window);
    EXPECT_EQ(copied->GetBorders(), CRect(1, 2, 3, 4));
    EXPECT_EQ(copied->GetSize(nullptr), CSize(34, 16));
    copy.reset();
    custom.reset();
    ::DestroyWindow(window);
}
