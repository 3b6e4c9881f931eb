// XML document layer: element trees <-> text form, escapes, file loading limits and parse
// errors, indentation and saving.
#include "WinNT_SP/Include_VS2005/BstrText.h"
#include "tests/WinNT_SP/Include_VS2005/TempFolder.h"
#include "WinNT_SP/Include_VS2005/XMLDoc.h"
#include "platform/base/CComPtr.h"

#include <gtest/gtest.h>

#include <string>

using orvane::test::ReadFileBytes;
using orvane::test::TempFolder;
using orvane::test::WriteFileBytes;

namespace {

// Builds <R> from a text and turns it back into text.
std::wstring RoundTrip(const wchar_t* text, XMLDoc* keep = nullptr)
{
    XMLDoc local;
    XMLDoc& doc = keep ? *keep : local;
    CComPtr<IXMLDOMElement> root;
    EXPECT_EQ(doc.CreateRoot(&root, L"R", nullptr, nullptr), L"");
    CComPtr<IXMLDOMElement> element;
    element.Attach(doc.AddElement(L"Settings", text));
    if (!element) {
        return L"<failed>";
    }
    CComPtr<IXMLDOMNode> added;
    root->appendChild(element.p, &added);
    return XmlNodeToText(element.p, false);
}

}  // namespace

TEST(XmlText, TextToElementsAndBack)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* back;
    };
    const Case cases[] = {
        {L"(PlayVol=0.8)", L"(PlayVol=0.8)"},
        {L"(a=1,b=(x=1,y=2))", L"(a=1,b=(x=1,y=2))"},
        {L"(k=(a,b))", L"(k=(a,b))"},
        {L"(k=((x=1),(x=2)))", L"(k=((x=1),(x=2)))"},
        {L"(Name=a\\Sb)", L"(Name=a\\Sb)"},
        {L"(Name=\\Y)", L"(Name=)"},
        {L"(k=)", L"(k=)"},
        {L"(List=((a=1),,x))", L"(List=((a=1),x))"},  // empty positions are not kept
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RoundTrip(c.text), c.back) << c.text;
    }
}

TEST(XmlText, ElementShapes)
{
    XMLDoc doc;
    RoundTrip(L"(a=1,b)", &doc);
    ASSERT_TRUE(doc.SelectPath(L"Settings\\a"));
    std::wstring text;
    XmlNodeText(doc.Current(), &text);
    EXPECT_EQ(text, L"1");
    // The plain value b is the parent's own text, after its child a.
    ASSERT_TRUE(doc.SelectPath(L"Settings"));
    CComPtr<IXMLDOMNode> last;
    doc.Current()->get_lastChild(&last);
    EXPECT_EQ(XmlNodeType(last.p), NODE_TEXT);
    XmlNodeText(last.p, &text);
    EXPECT_EQ(text, L"b");

    XMLDoc list;
    RoundTrip(L"(k=(1,2))", &list);
    ASSERT_TRUE(list.SelectPath(L"Settings\\k\\el"));
    XmlNodeText(list.Current(), &text);
    EXPECT_EQ(text, L"1");
    ASSERT_TRUE(list.SelectPath(L"Settings\\k"));
    EXPECT_EQ(XmlNodeToText(list.Current(), false), L"(1,2)");
}

TEST(XmlText, MalformedTextsFail)
{
    for (const wchar_t* text : {L"(a=1,)", L"(a=(1)", L"(a=1))", L"(a=b=c)", L"(=1)",
                                L"(a=\\Z)", L"((a)=1)"}) {
        EXPECT_EQ(RoundTrip(text), L"<failed>") << text;
    }
}

TEST(XmlText, Escapes)
{
    struct Case {
        const wchar_t* text;
        bool needed;
        const wchar_t* escaped;
    };
    const Case cases[] = {
        {L"plain", false, L""},
        {L"a b", true, L"a\\Sb"},
        {L"x\ny", true, L"x\\0D\\0Ay"},
        {L"x\r\ny", true, L"x\\0D\\0Ay"},
        {L"(,=\\)", true, L"\\L\\M\\Q\\H\\R"},
        {L"\t\x7f", true, L"\\09\\7F"},
    };
    for (const Case& c : cases) {
        std::wstring out;
        EXPECT_EQ(EscapeForText(c.text, &out), c.needed) << c.text;
        if (c.needed) {
            EXPECT_EQ(out, c.escaped);
            std::wstring back = out;
            ASSERT_TRUE(UnescapeInPlace(back));
        }
    }
    std::wstring crlf = L"x\\0D\\0Ay\\Y";
    ASSERT_TRUE(UnescapeInPlace(crlf));
    EXPECT_EQ(crlf, L"x\r\ny");
    for (const wchar_t* bad : {L"a\\", L"a\\G1", L"\\0"}) {
        std::wstring s = bad;
        EXPECT_FALSE(UnescapeInPlace(s)) << bad;
    }
}

TEST(XmlFile, SaveLoadKeepsStringsAndLineEnds)
{
    TempFolder dir(L"xml");
    const std::wstring path = dir / L"doc.xml";
    {
        XMLDoc doc;
        CComPtr<IXMLDOMElement> root;
        ASSERT_EQ(doc.CreateRoot(&root, L"QVRSettRoot", L"Vers", L"1.0"), L"");
        CComPtr<IXMLDOMElement> element;
        element.Attach(doc.AddElement(L"Settings", L"(Name=a\\Sb,Multi=one\\0D\\0Atwo,E=\\Y)"));
        ASSERT_TRUE(element);
        CComPtr<IXMLDOMNode> added;
        root->appendChild(element.p, &added);
        doc.Indent();
        ASSERT_EQ(doc.SaveToFile(path.c_str(), false), L"");
    }
    const std::string bytes = ReadFileBytes(path);
    EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(bytes.find("<Name>a b</Name>"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("\n  <Settings>"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("\n    <Name>a b</Name>"), std::string::npos) << bytes;
    EXPECT_NE(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_FALSE(orvane::test::ReadFileBytes(path + L".tmp").size());

    XMLDoc doc;
    ASSERT_EQ(doc.Load(path.c_str()), L"");
    EXPECT_EQ(doc.RootName(), L"QVRSettRoot");
    ASSERT_TRUE(doc.SelectPath(L"Settings"));
    EXPECT_EQ(XmlNodeToText(doc.Current(), false), L"(Name=a\\Sb,Multi=one\\0D\\0Atwo,E=)");
}

TEST(XmlFile, BackupCopyOnlyWhenAsked)
{
    TempFolder dir(L"xmlbak");
    const std::wstring path = dir / L"doc.xml";
    WriteFileBytes(path, "<old/>");
    XMLDoc doc;
    CComPtr<IXMLDOMElement> root;
    ASSERT_EQ(doc.CreateRoot(&root, L"New", nullptr, nullptr), L"");
    ASSERT_EQ(doc.SaveToFile(path.c_str(), true), L"");
    EXPECT_EQ(ReadFileBytes(path + L".bak"), "<old/>");
    WriteFileBytes(path, "<older/>");
    ASSERT_EQ(doc.SaveToFile(path.c_str(), false), L"");
    EXPECT_EQ(ReadFileBytes(path + L".bak"), "<old/>");
}

TEST(XmlFile, LoadLimitsAndErrors)
{
    TempFolder dir(L"xmlload");
    struct Case {
        const char* content;
        bool ok;
        bool damaged;
        const wchar_t* errorPart;
    };
    const Case cases[] = {
        {"", false, true, L"GetFileSize"},
        {"\xEF\xBB\xBF<R><a>1</a></R>", true, false, L""},
        {"<R>\n<a>1</a>\n<b></R>", false, true, L"Parsing the file"},
    };
    int i = 0;
    for (const Case& c : cases) {
        const std::wstring path = dir / (L"f" + std::to_wstring(i++) + L".xml");
        WriteFileBytes(path, c.content);
        XMLDoc doc;
        bool damaged = false;
        const std::wstring error = doc.Load(path.c_str(), &damaged);
        EXPECT_EQ(error.empty(), c.ok) << error;
        EXPECT_EQ(damaged, c.damaged) << error;
        EXPECT_NE(error.find(c.errorPart), std::wstring::npos) << error;
        if (!c.ok) {
            EXPECT_NE(error.find(path), std::wstring::npos) << error;
        }
    }
    XMLDoc doc;
    bool damaged = true;
    const std::wstring missing = doc.Load((dir / L"none.xml").c_str(), &damaged);
    EXPECT_NE(missing.find(L"CreateFile"), std::wstring::npos);
    EXPECT_FALSE(damaged);
}

TEST(XmlFile, OverFiftyMegabytesIsRefused)
{
    TempFolder dir(L"xmlbig");
    const std::wstring path = dir / L"big.xml";
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    LARGE_INTEGER size;
    size.QuadPart = LONGLONG(kMaxXmlFileBytes) + 1;
    SetFilePointerEx(h, size, nullptr, FILE_BEGIN);
    SetEndOfFile(h);
    CloseHandle(h);
    XMLDoc doc;
    bool damaged = false;
    const std::wstring error = doc.Load(path.c_str(), &damaged);
    EXPECT_NE(error.find(L"GetFileSize"), std::wstring::npos);
    EXPECT_TRUE(damaged);
}

TEST(XmlText, DirectXmlTextMatchesTheDomTree)
{
    const wchar_t* texts[] = {L"(PlayVol=0.8,Name=a\\Sb\\Q<&>)",
                              L"(k=((x=1),(x=2)),l=(a,b),e=,m=one\\0D\\0Atwo)",
                              L"(W=(M=(P=1,Q=x),N=(P=2)))"};
    for (const wchar_t* text : texts) {
        std::wstring element;
        ASSERT_TRUE(TextToXmlText(L"Settings", text, 1, &element)) << text;
        const std::wstring xml = L"<R>" + element + L"\n</R>";
        XMLDoc doc;
        ASSERT_EQ(doc.Create(), L"");
        BstrText b(xml.c_str());
        VARIANT_BOOL ok = VARIANT_FALSE;
        ASSERT_EQ(doc.Document()->loadXML(b.Get(), &ok), S_OK);
        ASSERT_EQ(ok, VARIANT_TRUE) << xml;
        ASSERT_TRUE(doc.SelectPath(L"Settings"));
        EXPECT_EQ(XmlNodeToText(doc.Current(), false), RoundTrip(text)) << xml;
    }
    std::wstring element;
    ASSERT_TRUE(TextToXmlText(L"Settings", L"(a=1,b=(c=2))", 1, &element));
    EXPECT_EQ(element, L"\n  <Settings>\n    <a>1</a>\n    <b>\n      <c>2</c>\n    </b>\n  "
                       L"</Settings>");
    EXPECT_FALSE(TextToXmlText(L"Settings", L"(a=1,)", 1, &element));
    EXPECT_FALSE(TextToXmlText(L"Settings", L"a=1", 1, &element));
}
