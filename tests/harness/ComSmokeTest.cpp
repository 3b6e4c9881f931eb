// Wine's MSXML: a DOMDocument created through COM loads and saves a file.
#include <windows.h>
#include <msxml2.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <string>

namespace {

struct Bstr {
    BSTR value;
    explicit Bstr(const wchar_t* s) : value(SysAllocString(s)) {}
    ~Bstr() { SysFreeString(value); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
};

std::wstring TempFile(const wchar_t* name)
{
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name;
}

}  // namespace

TEST(ComSmoke, MsxmlLoadsAndSaves)
{
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(L"Msxml2.DOMDocument.3.0", &clsid), S_OK);
    IXMLDOMDocument* doc = nullptr;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER,
                               IID_IXMLDOMDocument, reinterpret_cast<void**>(&doc)),
              S_OK);
    VARIANT_BOOL ok = VARIANT_FALSE;
    Bstr xml(L"<Settings><Item Name=\"Speed\">1.5</Item></Settings>");
    ASSERT_EQ(doc->loadXML(xml.value, &ok), S_OK);
    ASSERT_EQ(ok, VARIANT_TRUE);

    const std::wstring path = TempFile(L"orvane-harness.xml");
    VARIANT dest;
    VariantInit(&dest);
    dest.vt = VT_BSTR;
    dest.bstrVal = SysAllocString(path.c_str());
    EXPECT_EQ(doc->save(dest), S_OK);
    doc->Release();

    IXMLDOMDocument* again = nullptr;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER,
                               IID_IXMLDOMDocument, reinterpret_cast<void**>(&again)),
              S_OK);
    ASSERT_EQ(again->load(dest, &ok), S_OK);
    EXPECT_EQ(ok, VARIANT_TRUE);
    IXMLDOMNode* node = nullptr;
    Bstr query(L"/Settings/Item[@Name='Speed']");
    ASSERT_EQ(again->selectSingleNode(query.value, &node), S_OK);
    BSTR text = nullptr;
    ASSERT_EQ(node->get_text(&text), S_OK);
    EXPECT_STREQ(text, L"1.5");
    SysFreeString(text);
    node->Release();
    again->Release();
    VariantClear(&dest);
    DeleteFileW(path.c_str());
}
