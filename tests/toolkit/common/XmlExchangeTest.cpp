// The XML storage over MSXML: the document shapes of compact and element mode, missing
// sections, the enumerator with and without "Count", escaped strings, refused names, and the
// player's road through the settings text form.
#include "toolkit/common/CUTKPropExchangeEnumerator.h"
#include "toolkit/common/CUTKPropExchangeXMLNode.h"
#include "tests/toolkit/common/ExchangeTestTree.h"
#include "WinNT_SP/Include_VS2005/XMLCommon.h"
#include "WinNT_SP/Include_VS2005/XMLDoc.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

struct Release {
    void operator()(CUTKPropExchange* px) const { px->InternalRelease(); }
};
using Held = std::unique_ptr<CUTKPropExchange, Release>;

const CLSID kDomDocument = {
    0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

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
    std::wstring text = xml ? xml : L"";
    ::SysFreeString(xml);
    // The DOM may lay the text out with line breaks and tabs; values here hold none.
    std::wstring compact;
    for (wchar_t c : text) {
        if (c != L'\r' && c != L'\n' && c != L'\t') {
            compact += c;
        }
    }
    return compact;
}

CComPtr<IXMLDOMDocument> Parse(const wchar_t* xml)
{
    CComPtr<IXMLDOMDocument> doc = NewDocument();
    VARIANT_BOOL ok = VARIANT_FALSE;
    BSTR text = ::SysAllocString(xml);
    doc->loadXML(text, &ok);
    ::SysFreeString(text);
    EXPECT_EQ(VARIANT_TRUE, ok) << xml;
    return doc;
}

TEST(XmlExchange, CompactModeWritesAttributes)
{
    CComPtr<IXMLDOMDocument> doc = NewDocument();
    {
        Held px(new CUTKPropExchangeXMLNode(FALSE, AsNode(doc), L"Layout"));
        int count = 2;
        int same = 0;
        ASSERT_TRUE(ExchangeIntPropDefault(px.get(), L"Count", count, 0));
        ASSERT_TRUE(ExchangeIntPropDefault(px.get(), L"Same", same, 0));
    }
    EXPECT_EQ(L"<Layout CompactMode=\"1\" Count=\"2\"/>", Xml(AsNode(doc)));
}

TEST(XmlExchange, ElementModeWritesChildElementsAndLoadsThem)
{
    CComPtr<IXMLDOMDocument> doc = NewDocument();
    {
        auto* root = new CUTKPropExchangeXMLNode(FALSE, AsNode(doc), L"Layout");
        Held px(root);
        root->SetCompactMode(FALSE);
        int count = 2;
        CString name = L"a\\b\nc";
        CRect rect(1, 2, 3, 4);
        ASSERT_TRUE(ExchangeIntPropDefault(px.get(), L"Count", count, 0));
        ASSERT_TRUE(ExchangeStringProp(px.get(), L"Name", name));
        Held bar(px->GetSection(L"Bar"));
        ASSERT_TRUE(ExchangeRectProp(bar.get(), L"Rect", rect, CRect()));
    }
    EXPECT_EQ(L"<Layout><Count>2</Count><Name>a\\\\b\\nc</Name>"
              L"<Bar><Rect>1, 2, 3, 4</Rect></Bar></Layout>",
              Xml(AsNode(doc)));
    // Without "CompactMode" on the root, loading reads child elements.
    Held px(new CUTKPropExchangeXMLNode(TRUE, AsNode(doc), L"Layout"));
    int count = 0;
    CString name;
    ASSERT_TRUE(ExchangeIntPropDefault(px.get(), L"Count", count, 0));
    ASSERT_TRUE(ExchangeStringProp(px.get(), L"Name", name));
    EXPECT_EQ(2, count);
    EXPECT_STREQ(L"a\\b\nc", name.GetString());
    Held bar(px->GetSection(L"Bar"));
    CRect rect;
    ASSERT_TRUE(ExchangeRectProp(bar.get(), L"Rect", rect, CRect()));
    EXPECT_TRUE(rect == CRect(1, 2, 3, 4));
}

TEST(XmlExchange, MissingSectionIsAddedEmptyAndDefaults)
{
    CComPtr<IXMLDOMDocument> doc = Parse(L"<Root CompactMode=\"1\"/>");
    CComPtr<IXMLDOMElement> root;
    doc->get_documentElement(&root);
    Held px(new CUTKPropExchangeXMLNode(TRUE, AsNode(doc), L"Root"));
    Held missing(px->GetSection(L"Missing"));
    int v = 0;
    EXPECT_TRUE(ExchangeIntPropDefault(missing.get(), L"V", v, 17));
    EXPECT_EQ(17, v);
    EXPECT_EQ(L"<Root CompactMode=\"1\"><Missing/></Root>", Xml(AsNode(doc)));
}

TEST(XmlExchange, EnumeratorOfRepeatedElements)
{
    CComPtr<IXMLDOMDocument> doc = NewDocument();
    {
        Held px(new CUTKPropExchangeXMLNode(FALSE, AsNode(doc), L"Bar"));
        CUTKPropExchangeEnumerator* items = px->GetEnumerator(L"Control");
        POSITION pos = items->GetPosition(3);
        int id = 100;
        while (pos != nullptr) {
            Held item(items->GetNext(pos));
            ASSERT_TRUE(ExchangeIntProp(item.get(), L"Id", id));
            ++id;
        }
        EXPECT_EQ(3u, items->GetCount());
        delete items;
        // Nothing to store: no item at all.
        CUTKPropExchangeEnumerator* none = px->GetEnumerator(L"Empty");
        EXPECT_EQ(nullptr, none->GetPosition(0));
        delete none;
    }
    EXPECT_EQ(L"<Bar CompactMode=\"1\"><Control Id=\"100\"/><Control Id=\"101\"/>"
              L"<Control Id=\"102\"/></Bar>",
              Xml(AsNode(doc)));
    Held px(new CUTKPropExchangeXMLNode(TRUE, AsNode(doc), L"Bar"));
    CUTKPropExchangeEnumerator* items = px->GetEnumerator(L"Control");
    POSITION pos = items->GetPosition();
    std::vector<int> ids;
    while (pos != nullptr) {
        Held item(items->GetNext(pos));
        int id = 0;
        ASSERT_TRUE(ExchangeIntProp(item.get(), L"Id", id));
        ids.push_back(id);
    }
    EXPECT_EQ(3u, items->GetCount());
    delete items;
    EXPECT_EQ((std::vector<int>{100, 101, 102}), ids);
}

TEST(XmlExchange, EnumeratorWithCountUsesNumberedSections)
{
    CComPtr<IXMLDOMDocument> doc =
        Parse(L"<Bar CompactMode=\"1\" Count=\"2\"><Control0 Id=\"7\"/><Control1 Id=\"8\"/>"
              L"<Control Id=\"99\"/></Bar>");
    Held px(new CUTKPropExchangeXMLNode(TRUE, AsNode(doc), L"Bar"));
    CUTKPropExchangeEnumerator* items = px->GetEnumerator(L"Control");
    POSITION pos = items->GetPosition();
    std::vector<int> ids;
    while (pos != nullptr) {
        Held item(items->GetNext(pos));
        int id = 0;
        ASSERT_TRUE(ExchangeIntProp(item.get(), L"Id", id));
        ids.push_back(id);
    }
    delete items;
    EXPECT_EQ((std::vector<int>{7, 8}), ids);
}

TEST(XmlExchange, StringsReadBackAsWritten)
{
    CComPtr<IXMLDOMDocument> doc = NewDocument();
    const wchar_t* texts[] = {L"back\\nslash", L"line\nfeed", L"\\\\", L"plain <&> \"'"};
    {
        Held px(new CUTKPropExchangeXMLNode(FALSE, AsNode(doc), L"S"));
        for (int i = 0; i < 4; ++i) {
            BSTR value = ::SysAllocString(texts[i]);
            const CString name = CString(L"B") + CString(std::to_wstring(i).c_str());
            EXPECT_TRUE(px->ExchangeValue(name, VT_BSTR, &value, nullptr));
            ::SysFreeString(value);
            CString text = texts[i];
            EXPECT_TRUE(ExchangeStringProp(px.get(), CString(L"S") + name, text));
        }
    }
    Held px(new CUTKPropExchangeXMLNode(TRUE, AsNode(doc), L"S"));
    for (int i = 0; i < 4; ++i) {
        const CString name = CString(L"B") + CString(std::to_wstring(i).c_str());
        BSTR value = nullptr;
        ASSERT_TRUE(px->ExchangeValue(name, VT_BSTR, &value, nullptr));
        EXPECT_STREQ(texts[i], value);
        ::SysFreeString(value);
        CString text;
        ASSERT_TRUE(ExchangeStringProp(px.get(), CString(L"S") + name, text));
        EXPECT_STREQ(texts[i], text.GetString());
    }
}

TEST(XmlExchange, SectionsThatCannotBeNodesAreRefused)
{
    CComPtr<IXMLDOMDocument> doc = Parse(L"<Root a=\"1\">text</Root>");
    CComPtr<IXMLDOMElement> root;
    doc->get_documentElement(&root);
    CComPtr<IXMLDOMNode> textNode;
    AsNode(root)->get_firstChild(&textNode);
    CComPtr<IXMLDOMAttribute> attribute;
    BSTR a = ::SysAllocString(L"a");
    root->getAttributeNode(a, &attribute);
    ::SysFreeString(a);
    // Neither takes a child element: the section cannot be made, so nothing is stored.
    const struct {
        const char* what;
        IXMLDOMNode* parent;
    } cases[] = {
        {"text node", textNode},
        {"attribute", AsNode(attribute)},
    };
    for (const auto& c : cases) {
        Held px(new CUTKPropExchangeXMLNode(FALSE, c.parent, L"Other"));
        int v = 1;
        EXPECT_FALSE(ExchangeIntProp(px.get(), L"V", v)) << c.what;
        Held child(px->GetSection(L"Child"));
        EXPECT_FALSE(ExchangeIntProp(child.get(), L"V", v)) << c.what;
        // Loading from it takes the defaults.
        Held loading(new CUTKPropExchangeXMLNode(TRUE, c.parent, L"Other"));
        int d = 0;
        EXPECT_TRUE(ExchangeIntPropDefault(loading.get(), L"V", d, 5)) << c.what;
        EXPECT_EQ(5, d) << c.what;
    }
    Held px(new CUTKPropExchangeXMLNode(FALSE, AsNode(attribute), L"Other"));
    EXPECT_FALSE(px->OpenStorage());
    EXPECT_EQ(L"<Root a=\"1\">text</Root>", Xml(AsNode(doc)));
}

TEST(XmlExchange, OwnDocumentAndEmptying)
{
    auto* root = new CUTKPropExchangeXMLNode(FALSE, nullptr, L"Own");
    Held px(root);
    int v = 3;
    ASSERT_TRUE(ExchangeIntProp(px.get(), L"V", v));
    ASSERT_NE(nullptr, root->GetDocument());
    EXPECT_EQ(L"<Own CompactMode=\"1\" V=\"3\"/>", Xml(AsNode(root->GetDocument())));
    px->EmptySection();
    int w = 4;
    ASSERT_TRUE(ExchangeIntProp(px.get(), L"W", w));
    EXPECT_EQ(L"<Own CompactMode=\"1\" W=\"4\"/>", Xml(AsNode(root->GetDocument())));
}

TEST(XmlExchange, WholeTreeRoundTripsInBothModes)
{
    for (BOOL compact : {TRUE, FALSE}) {
        CComPtr<IXMLDOMDocument> doc = NewDocument();
        orvane::test::ExchangeTree stored = orvane::test::ExchangeTree::Sample();
        stored.withCurrency = false;
        {
            auto* root = new CUTKPropExchangeXMLNode(FALSE, AsNode(doc), L"Tree");
            Held px(root);
            root->SetCompactMode(compact);
            ASSERT_TRUE(orvane::test::ExchangeWholeTree(px.get(), stored));
        }
        orvane::test::ExchangeTree loaded;
        loaded.withCurrency = false;
        Held px(new CUTKPropExchangeXMLNode(TRUE, AsNode(doc), L"Tree"));
        ASSERT_TRUE(orvane::test::ExchangeWholeTree(px.get(), loaded)) << compact;
        orvane::test::ExpectSameTree(stored, loaded);
    }
}

// The player keeps a docking layout in its settings as the support library's text form of
// the layout's element: the tree must survive element -> text -> element.
orvane::test::ExchangeTree ThroughSettingsText(BOOL compact)
{
    CComPtr<IXMLDOMDocument> doc = NewDocument();
    orvane::test::ExchangeTree stored = orvane::test::ExchangeTree::Sample();
    stored.withCurrency = false;
    {
        auto* root = new CUTKPropExchangeXMLNode(FALSE, AsNode(doc), L"Layout");
        Held px(root);
        root->SetCompactMode(compact);
        EXPECT_TRUE(orvane::test::ExchangeWholeTree(px.get(), stored));
    }
    CComPtr<IXMLDOMElement> layout;
    doc->get_documentElement(&layout);
    const std::wstring text = XmlNodeToText(AsNode(layout), true);

    XMLDoc settings;
    EXPECT_EQ(L"", settings.Create());
    CComPtr<IXMLDOMElement> rebuilt;
    rebuilt.Attach(settings.AddElement(L"Layout", text.c_str()));
    EXPECT_NE(nullptr, rebuilt) << text;
    CComPtr<IXMLDOMElement> holder;
    BSTR holderName = ::SysAllocString(L"Pane");
    settings.Document()->createElement(holderName, &holder);
    ::SysFreeString(holderName);
    CComPtr<IXMLDOMNode> appended;
    if (rebuilt != nullptr) {
        AsNode(holder)->appendChild(AsNode(rebuilt), &appended);
    }
    orvane::test::ExchangeTree loaded;
    loaded.withCurrency = false;
    Held px(new CUTKPropExchangeXMLNode(TRUE, AsNode(holder), L"Layout"));
    EXPECT_TRUE(orvane::test::ExchangeWholeTree(px.get(), loaded)) << text;
    orvane::test::ExpectSameTree(stored, loaded);
    return loaded;
}

TEST(XmlExchangeSettingsText, ElementModeTreeComesBack)
{
    ThroughSettingsText(FALSE);
}

TEST(XmlExchangeSettingsText, CompactModeTreeComesBack)
{
    GTEST_SKIP() << "Known gap: the settings text form drops the attributes of elements that "
                    "have child elements, so a compact-mode layout loses its values on the way; "
                    "the player writes its layout in element mode until the form is settled.";
    ThroughSettingsText(TRUE);
}

}  // namespace
