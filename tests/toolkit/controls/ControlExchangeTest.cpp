// A control's saved state: archive and XML round trips compared byte for byte, defaults that
// write nothing, hand-made sections on both sides of each schema threshold, archive streams
// cut at every byte, and damaged sections that lose only what is damaged.
#include "toolkit/controls/CUTKControl.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/common/CUTKPropExchangeArchive.h"
#include "toolkit/common/CUTKPropExchangeXMLNode.h"

namespace {

using Bytes = std::vector<BYTE>;

struct Release {
    void operator()(CCmdTarget* target) const { target->InternalRelease(); }
};
template <class T>
using Held = std::unique_ptr<T, Release>;

const CLSID kDomDocument = {
    0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

Held<CUTKControl> Filled()
{
    Held<CUTKControl> c(new CUTKControl());
    c->SetType(utkControlLabel);
    c->m_id = 4321;
    c->SetIconId(13);
    c->SetBeginGroup(TRUE);
    c->SetTag(9);
    c->SetFlags(utkFlagRightAlign | utkFlagNoMovable);
    c->SetHideFlags(utkHideCustomize);
    c->SetCaption(L"&Caption <x> \"q\"\tCtrl+K");
    c->SetShortcutText(L"Ctrl+J");
    c->SetTooltip(L"Tip");
    c->SetDescription(L"Description");
    c->SetParameter(L"Param");
    c->SetCustomCaption(L"Custom");
    c->SetCategory(L"Category");
    c->GetDocTemplatesAssigned().SetAt(5, TRUE);
    c->GetDocTemplatesAssigned().SetAt(7, TRUE);
    c->GetDocTemplatesExcluded().SetAt(6, TRUE);
    c->SetDefaultItem(TRUE);
    c->SetCloseSubMenuOnClick(FALSE);
    c->SetCustomStyle(2);
    c->SetHelpId(14);
    c->SetStyle(3);
    c->SetWidth(120);
    c->SetHeight(30);
    c->SetExecuteOnPressInterval(100);
    c->SetKeyboardTip(L"KT");
    c->SetIconSize(CSize(24, 24));
    return c;
}

Bytes StoreArchive(CUTKControl* control)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CUTKPropExchangeArchive px(ar);
        px.ExchangeSchema();
        control->DoPropExchange(&px);
        ar.Close();
    }
    const UINT length = static_cast<UINT>(file.GetLength());
    BYTE* data = file.Detach();
    Bytes bytes(data, data + length);
    std::free(data);
    return bytes;
}

void LoadArchive(const Bytes& bytes, CUTKControl* control)
{
    CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CUTKPropExchangeArchive px(ar);
    px.ExchangeSchema();
    control->DoPropExchange(&px);
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
        if (*p != L'\r' && *p != L'\n' && *p != L'\t') {
            text += *p;
        }
    }
    ::SysFreeString(xml);
    return text;
}

std::wstring StoreXml(CUTKControl* control, int schema = -1)
{
    CComPtr<IXMLDOMDocument> doc = NewDocument();
    {
        Held<CUTKPropExchange> px(new CUTKPropExchangeXMLNode(FALSE, AsNode(doc), L"Control"));
        if (schema >= 0) {
            px->m_nSchema = schema;
        }
        control->DoPropExchange(px.get());
    }
    return Xml(AsNode(doc));
}

// Loads a control from XML text; the section's "Schema" sets the schema when present.
void LoadXml(const std::wstring& xml, CUTKControl* control)
{
    CComPtr<IXMLDOMDocument> doc = NewDocument();
    VARIANT_BOOL ok = VARIANT_FALSE;
    BSTR text = ::SysAllocString(xml.c_str());
    doc->loadXML(text, &ok);
    ::SysFreeString(text);
    ASSERT_EQ(VARIANT_TRUE, ok) << xml;
    Held<CUTKPropExchange> px(new CUTKPropExchangeXMLNode(TRUE, AsNode(doc), L"Control"));
    px->ExchangeSchema();
    control->DoPropExchange(px.get());
}

TEST(ControlExchange, ArchiveRoundTripIsByteForByte)
{
    auto stored = Filled();
    const Bytes first = StoreArchive(stored.get());
    Held<CUTKControl> loaded(new CUTKControl());
    LoadArchive(first, loaded.get());
    EXPECT_TRUE(loaded->Compare(stored.get()));
    EXPECT_EQ(14, loaded->GetHelpId());
    EXPECT_EQ(100, loaded->GetExecuteOnPressInterval());
    EXPECT_EQ(2, loaded->GetDocTemplatesAssigned().GetCount());
    EXPECT_EQ(L"Ctrl+K", std::wstring(loaded->GetShortcutTextAuto().GetString()));
    EXPECT_EQ(first, StoreArchive(loaded.get()));
}

TEST(ControlExchange, XmlRoundTripIsTheSameText)
{
    auto stored = Filled();
    const std::wstring first = StoreXml(stored.get());
    EXPECT_NE(std::wstring::npos, first.find(L"HelpId=\"14\""));
    Held<CUTKControl> loaded(new CUTKControl());
    LoadXml(first, loaded.get());
    EXPECT_TRUE(loaded->Compare(stored.get()));
    EXPECT_EQ(first, StoreXml(loaded.get()));
}

TEST(ControlExchange, DefaultsWriteNoKey)
{
    Held<CUTKControl> plain(new CUTKControl());
    plain->SetType(utkControlButton);
    plain->m_id = -1;
    // Not even the section appears: nothing was written into it.
    EXPECT_EQ(L"", StoreXml(plain.get()));
    plain->SetHelpId(3);
    plain->SetCloseSubMenuOnClick(FALSE);
    EXPECT_EQ(L"<Control CompactMode=\"1\" CloseSubMenuOnClick=\"0\" HelpId=\"3\"/>",
              StoreXml(plain.get()));
    Held<CUTKControl> loaded(new CUTKControl());
    LoadXml(L"<Control CompactMode=\"1\"/>", loaded.get());
    EXPECT_EQ(utkControlButton, loaded->GetType());
    EXPECT_EQ(-1, loaded->GetID());
    EXPECT_TRUE(loaded->GetCloseSubMenuOnClick());
    EXPECT_EQ(-1, loaded->GetCustomStyle());
}

struct SchemaCase {
    int schema;
    bool category;       // above 1
    bool defaultItem;    // above 3
    bool closeSubMenu;   // above 6 (stored 0)
    int customStyle;     // above 7; 0 becomes -1 below 18
    int helpId;          // above 16
    int style;           // above 17
    int width;           // above 18
    bool shortcutAuto;   // above 22
    bool keyboardTip;    // above 23
    bool iconSize;       // above 25
};

TEST(ControlExchange, EachKeyIsReadOnlyAboveItsSchema)
{
    const SchemaCase cases[] = {
        {1, false, false, false, -1, 0, 0, 0, false, false, false},
        {2, true, false, false, -1, 0, 0, 0, false, false, false},
        {3, true, false, false, -1, 0, 0, 0, false, false, false},
        {4, true, true, false, -1, 0, 0, 0, false, false, false},
        {6, true, true, false, -1, 0, 0, 0, false, false, false},
        {7, true, true, true, -1, 0, 0, 0, false, false, false},
        {8, true, true, true, -1, 0, 0, 0, false, false, false},
        {16, true, true, true, -1, 0, 0, 0, false, false, false},
        {17, true, true, true, -1, 5, 0, 0, false, false, false},
        {18, true, true, true, 0, 5, 3, 0, false, false, false},
        {19, true, true, true, 0, 5, 3, 9, false, false, false},
        {22, true, true, true, 0, 5, 3, 9, false, false, false},
        {23, true, true, true, 0, 5, 3, 9, true, false, false},
        {24, true, true, true, 0, 5, 3, 9, true, true, false},
        {25, true, true, true, 0, 5, 3, 9, true, true, false},
        {26, true, true, true, 0, 5, 3, 9, true, true, true},
    };
    for (const SchemaCase& c : cases) {
        const std::wstring xml =
            L"<Control CompactMode=\"1\" Schema=\"" + std::to_wstring(c.schema) +
            L"\" Category=\"Cat\" DefaultItem=\"1\" CloseSubMenuOnClick=\"0\" CustomStyle=\"0\""
            L" HelpId=\"5\" Style=\"3\" Width=\"9\" ShortcutTextAuto=\"F5\" KeyboardTip=\"K\""
            L" IconSize=\"32, 32\"/>";
        Held<CUTKControl> control(new CUTKControl());
        LoadXml(xml, control.get());
        EXPECT_EQ(c.category, !control->GetCategory().IsEmpty()) << c.schema;
        EXPECT_EQ(c.defaultItem, control->GetDefaultItem() != FALSE) << c.schema;
        EXPECT_EQ(c.closeSubMenu, control->GetCloseSubMenuOnClick() == FALSE) << c.schema;
        EXPECT_EQ(c.customStyle, control->GetCustomStyle()) << c.schema;
        EXPECT_EQ(c.helpId, control->GetHelpId()) << c.schema;
        EXPECT_EQ(c.style, control->m_style) << c.schema;
        EXPECT_EQ(c.width, control->GetWidth()) << c.schema;
        EXPECT_EQ(c.shortcutAuto, !control->GetShortcutTextAuto().IsEmpty()) << c.schema;
        EXPECT_EQ(c.keyboardTip, !control->GetKeyboardTip().IsEmpty()) << c.schema;
        EXPECT_EQ(c.iconSize, control->m_iconSize.cx == 32) << c.schema;
    }
}

TEST(ControlExchange, AnArchiveCutAtAnyByteIsRefused)
{
    auto stored = Filled();
    const Bytes bytes = StoreArchive(stored.get());
    ASSERT_GT(bytes.size(), 40u);
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        const Bytes shortened(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
        Held<CUTKControl> loaded(new CUTKControl());
        bool refused = false;
        try {
            LoadArchive(shortened, loaded.get());
        } catch (CException* e) {
            e->Delete();
            refused = true;
        }
        EXPECT_TRUE(refused) << "cut at " << cut;
    }
}

TEST(ControlExchange, TemplateListsAreBoundedAndStopAtAMissingItem)
{
    Held<CUTKControl> partial(new CUTKControl());
    LoadXml(L"<Control CompactMode=\"1\" Schema=\"20\" HelpId=\"3\">"
            L"<DocTemplatesAssigned Count=\"3\" Id0=\"11\" Id1=\"12\"/></Control>",
            partial.get());
    EXPECT_EQ(2, partial->GetDocTemplatesAssigned().GetCount());
    BOOL value = FALSE;
    EXPECT_TRUE(partial->GetDocTemplatesAssigned().Lookup(12, value));
    EXPECT_EQ(3, partial->GetHelpId());

    const wchar_t* const damaged[] = {
        L"<Control CompactMode=\"1\" Schema=\"20\"><DocTemplatesExcluded Count=\"100000000\"/>"
        L"</Control>",
        L"<Control CompactMode=\"1\" Schema=\"20\"><DocTemplatesExcluded Count=\"-4\"/>"
        L"</Control>",
    };
    for (const wchar_t* xml : damaged) {
        Held<CUTKControl> control(new CUTKControl());
        bool refused = false;
        try {
            LoadXml(xml, control.get());
        } catch (CArchiveException* e) {
            e->Delete();
            refused = true;
        }
        EXPECT_TRUE(refused) << xml;
        EXPECT_EQ(0, control->GetDocTemplatesExcluded().GetCount());
    }
}

TEST(ControlExchange, ACustomIconTravelsWithTheControl)
{
    constexpr UINT kCustomIcon = 0x7701;
    std::vector<BYTE> andMask(32 * 2, 0x00);
    std::vector<BYTE> xorMask(32 * 2, 0xA5);
    HICON icon = ::CreateIcon(nullptr, 16, 16, 1, 1, andMask.data(), xorMask.data());
    ASSERT_NE(nullptr, icon);
    ASSERT_TRUE(GetImageManager()->SetIconImage(IconImageHandle(icon), kCustomIcon, 16, 16, 0));
    ::DestroyIcon(icon);
    auto stored = Filled();
    stored->SetCustomIconId(static_cast<int>(kCustomIcon));
    const Bytes archived = StoreArchive(stored.get());
    const std::wstring xml = StoreXml(stored.get());
    EXPECT_NE(std::wstring::npos, xml.find(L"<CustomIcon")) << xml;
    Held<CUTKControl> fromArchive(new CUTKControl());
    LoadArchive(archived, fromArchive.get());
    EXPECT_EQ(static_cast<int>(kCustomIcon), fromArchive->GetCustomIconId());
    EXPECT_EQ(archived, StoreArchive(fromArchive.get()));
    Held<CUTKControl> fromXml(new CUTKControl());
    LoadXml(xml, fromXml.get());
    EXPECT_EQ(static_cast<int>(kCustomIcon), fromXml->GetCustomIconId());
    EXPECT_NE(nullptr, fromXml->GetImage(16));
    EXPECT_EQ(xml, StoreXml(fromXml.get()));
}

TEST(ControlExchange, ABadCustomIconLosesOnlyTheIcon)
{
    Held<CUTKControl> control(new CUTKControl());
    LoadXml(L"<Control CompactMode=\"1\" Schema=\"20\" Caption=\"Kept\" CustomIconId=\"77\""
            L" DefaultItem=\"1\" HelpId=\"8\"><CustomIcon CheckSum=\"garbage\"/></Control>",
            control.get());
    EXPECT_EQ(0, control->GetCustomIconId());
    EXPECT_EQ(L"Kept", std::wstring(control->GetCaption().GetString()));
    EXPECT_TRUE(control->GetDefaultItem());
    EXPECT_EQ(8, control->GetHelpId());
}

}  // namespace
