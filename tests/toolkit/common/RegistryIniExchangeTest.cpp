// The registry and INI storages, checked with plain Win32 reads: value types and texts, the
// default rule with and without the emptied flag, child sections and emptying.
#include "toolkit/common/CUTKPropExchangeEnumerator.h"
#include "toolkit/common/CUTKPropExchangeIniFile.h"
#include "toolkit/common/CUTKPropExchangeRegistry.h"
#include "tests/toolkit/common/ExchangeTestStorage.h"
#include "tests/toolkit/common/ExchangeTestTree.h"
#include "tests/WinNT_SP/Include_VS2005/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

using orvane::test::IniSections;
using orvane::test::IniText;
using orvane::test::TempFolder;
using orvane::test::TestRegistryKey;

// Exchanges are released, never deleted.
struct Release {
    void operator()(CUTKPropExchange* px) const { px->InternalRelease(); }
};
template <class T>
using Held = std::unique_ptr<T, Release>;

DWORD AsDword(const std::vector<BYTE>& data)
{
    DWORD v = 0;
    std::memcpy(&v, data.data(), std::min<size_t>(data.size(), 4));
    return v;
}

std::wstring AsString(const std::vector<BYTE>& data)
{
    return std::wstring(reinterpret_cast<const wchar_t*>(data.data()),
                        data.size() / sizeof(wchar_t));
}

// Stores one value of each kind the named storages hold.
void StoreKinds(CUTKPropExchange* px)
{
    BYTE b = 200;
    short s = -1;
    int i = -5;
    BOOL flag = TRUE;
    CString text = L"x\ny\\z";
    CRect rect(1, 2, 3, 4);
    CSize size(5, 6);
    float f = 1.5f;
    double d = 2.25;
    BYTE blob[] = {0x01, 0x3C, 0xFF};
    BYTE* data = blob;
    DWORD length = sizeof blob;
    ASSERT_TRUE(ExchangeByteProp(px, L"Byte", b, 0));
    ASSERT_TRUE(ExchangeShortProp(px, L"Short", s, 0));
    ASSERT_TRUE(ExchangeIntPropDefault(px, L"Int", i, 0));
    ASSERT_TRUE(ExchangeBoolProp(px, L"Bool", flag, FALSE));
    ASSERT_TRUE(ExchangeStringProp(px, L"Text", text));
    ASSERT_TRUE(ExchangeRectProp(px, L"Rect", rect, CRect()));
    ASSERT_TRUE(ExchangeSizeProp(px, L"Size", size, CSize()));
    ASSERT_TRUE(px->ExchangeValue(L"Float", VT_R4, &f, nullptr));
    ASSERT_TRUE(px->ExchangeValue(L"Double", VT_R8, &d, nullptr));
    ASSERT_TRUE(ExchangeBlobProp(px, L"Blob", data, length));
    CY cy = {};
    EXPECT_FALSE(px->ExchangeValue(L"Currency", VT_CY, &cy, nullptr));
}

void ExpectKindsBack(CUTKPropExchange* px)
{
    BYTE b = 0;
    short s = 0;
    int i = 0;
    BOOL flag = FALSE;
    CString text;
    CRect rect;
    CSize size;
    float f = 0;
    double d = 0;
    BYTE* data = nullptr;
    DWORD length = 0;
    EXPECT_TRUE(ExchangeByteProp(px, L"Byte", b, 0));
    EXPECT_TRUE(ExchangeShortProp(px, L"Short", s, 0));
    EXPECT_TRUE(ExchangeIntPropDefault(px, L"Int", i, 0));
    EXPECT_TRUE(ExchangeBoolProp(px, L"Bool", flag, FALSE));
    EXPECT_TRUE(ExchangeStringProp(px, L"Text", text));
    EXPECT_TRUE(ExchangeRectProp(px, L"Rect", rect, CRect()));
    EXPECT_TRUE(ExchangeSizeProp(px, L"Size", size, CSize()));
    EXPECT_TRUE(px->ExchangeValue(L"Float", VT_R4, &f, nullptr));
    EXPECT_TRUE(px->ExchangeValue(L"Double", VT_R8, &d, nullptr));
    ASSERT_TRUE(ExchangeBlobProp(px, L"Blob", data, length));
    EXPECT_EQ(200, b);
    EXPECT_EQ(-1, s);
    EXPECT_EQ(-5, i);
    EXPECT_EQ(TRUE, flag);
    EXPECT_STREQ(L"x\ny\\z", text.GetString());
    EXPECT_TRUE(rect == CRect(1, 2, 3, 4));
    EXPECT_TRUE(size == CSize(5, 6));
    EXPECT_EQ(1.5f, f);
    EXPECT_EQ(2.25, d);
    ASSERT_EQ(3u, length);
    EXPECT_EQ(0, std::memcmp(data, "\x01\x3C\xFF", 3));
    std::free(data);
}

TEST(RegistryExchange, ValueTypesAsRegistryValues)
{
    TestRegistryKey key(L"kinds");
    {
        Held<CUTKPropExchangeRegistry> px(new CUTKPropExchangeRegistry(FALSE, key.Key(), L"S"));
        StoreKinds(px.get());
    }
    const struct {
        const wchar_t* name;
        DWORD type;
        std::vector<BYTE> bytes;
    } expected[] = {
        {L"Byte", REG_DWORD, {200, 0, 0, 0}},
        {L"Short", REG_DWORD, {0xFF, 0xFF, 0, 0}},
        {L"Int", REG_DWORD, {0xFB, 0xFF, 0xFF, 0xFF}},
        {L"Bool", REG_DWORD, {1, 0, 0, 0}},
        {L"Float", REG_BINARY, {0x00, 0x00, 0xC0, 0x3F}},
        {L"Double", REG_BINARY, {0, 0, 0, 0, 0, 0, 0x02, 0x40}},
        {L"Blob", REG_BINARY, {0x01, 0x3C, 0xFF}},
    };
    for (const auto& e : expected) {
        DWORD type = 0;
        std::vector<BYTE> data;
        ASSERT_TRUE(key.Query(L"S", e.name, &type, &data)) << e.name;
        EXPECT_EQ(e.type, type) << e.name;
        EXPECT_EQ(e.bytes, data) << e.name;
    }
    const struct {
        const wchar_t* name;
        const wchar_t* text;
    } strings[] = {{L"Text", L"x\ny\\z"}, {L"Rect", L"1, 2, 3, 4"}, {L"Size", L"5, 6"}};
    for (const auto& e : strings) {
        DWORD type = 0;
        std::vector<BYTE> data;
        ASSERT_TRUE(key.Query(L"S", e.name, &type, &data)) << e.name;
        EXPECT_EQ(DWORD(REG_SZ), type);
        // Stored with its terminating zero.
        EXPECT_EQ(std::wstring(e.text) + L'\0', AsString(data));
    }
    Held<CUTKPropExchangeRegistry> px(new CUTKPropExchangeRegistry(TRUE, key.Key(), L"S"));
    ExpectKindsBack(px.get());
}

TEST(RegistryExchange, ValuesOfAnotherTypeOrFormCountAsMissing)
{
    TestRegistryKey key(L"types");
    key.Set(L"S", L"IntAsText", REG_SZ, L"5", 4);
    const DWORD seven = 7;
    key.Set(L"S", L"TextAsDword", REG_DWORD, &seven, 4);
    key.Set(L"S", L"ShortRect", REG_SZ, L"1, 2", 10);
    // A string stored without its terminator still reads as a terminated string.
    key.Set(L"S", L"Unterminated", REG_SZ, L"abcd", 8);
    key.Set(L"S", L"BlobAsText", REG_SZ, L"AB", 6);
    Held<CUTKPropExchangeRegistry> px(new CUTKPropExchangeRegistry(TRUE, key.Key(), L"S"));
    int i = 0;
    EXPECT_TRUE(ExchangeIntPropDefault(px.get(), L"IntAsText", i, 42));
    EXPECT_EQ(42, i);
    CString text;
    EXPECT_TRUE(ExchangeStringPropDefault(px.get(), L"TextAsDword", text, L"dflt"));
    EXPECT_STREQ(L"dflt", text.GetString());
    CRect rect;
    EXPECT_TRUE(ExchangeRectProp(px.get(), L"ShortRect", rect, CRect(9, 9, 9, 9)));
    EXPECT_TRUE(rect == CRect(9, 9, 9, 9));
    EXPECT_TRUE(ExchangeStringProp(px.get(), L"Unterminated", text));
    EXPECT_STREQ(L"abcd", text.GetString());
    BYTE* data = nullptr;
    DWORD size = 0;
    EXPECT_FALSE(ExchangeBlobProp(px.get(), L"BlobAsText", data, size));
    EXPECT_EQ(nullptr, data);
    int untouched = 3;
    EXPECT_FALSE(ExchangeIntProp(px.get(), L"Missing", untouched));
    EXPECT_EQ(3, untouched);
    px->UseDefaultOnLoad(FALSE);
    EXPECT_FALSE(ExchangeIntPropDefault(px.get(), L"Missing", untouched, 8));
    EXPECT_EQ(3, untouched);
}

TEST(RegistryExchange, DefaultDeletesUnlessEmptied)
{
    TestRegistryKey key(L"defaults");
    const DWORD five = 5;
    key.Set(L"S", L"Count", REG_DWORD, &five, 4);
    DWORD type = 0;
    std::vector<BYTE> data;
    {
        Held<CUTKPropExchangeRegistry> px(new CUTKPropExchangeRegistry(FALSE, key.Key(), L"S"));
        int count = 0;
        EXPECT_TRUE(ExchangeIntPropDefault(px.get(), L"Count", count, 0));
        EXPECT_FALSE(key.Query(L"S", L"Count", &type, &data));

        px->EmptySection();
        EXPECT_FALSE(key.HasSubkey(L"S"));
        int other = 1;
        EXPECT_TRUE(ExchangeIntPropDefault(px.get(), L"Other", other, 0));
        key.Set(L"S", L"Count", REG_DWORD, &five, 4);
        EXPECT_TRUE(ExchangeIntPropDefault(px.get(), L"Count", count, 0));
    }
    ASSERT_TRUE(key.Query(L"S", L"Count", &type, &data));
    EXPECT_EQ(5u, AsDword(data));
    ASSERT_TRUE(key.Query(L"S", L"Other", &type, &data));
    EXPECT_EQ(1u, AsDword(data));
}

TEST(RegistryExchange, ChildSectionsAreSubkeysAndEmptyingKeepsNamesakes)
{
    TestRegistryKey key(L"children");
    const DWORD one = 1;
    key.Set(L"LayoutOld", L"Keep", REG_DWORD, &one, 4);
    {
        Held<CUTKPropExchangeRegistry> px(
            new CUTKPropExchangeRegistry(FALSE, key.Key(), L"Layout"));
        Held<CUTKPropExchange> bar(px->GetSection(L"Bar0"));
        Held<CUTKPropExchange> sub(bar->GetSection(L"Sub"));
        int v = 4;
        ASSERT_TRUE(ExchangeIntProp(sub.get(), L"V", v));
    }
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(key.Query(L"Layout\\Bar0\\Sub", L"V", &type, &data));
    EXPECT_EQ(4u, AsDword(data));
    {
        Held<CUTKPropExchangeRegistry> px(
            new CUTKPropExchangeRegistry(FALSE, key.Key(), L"Layout"));
        px->EmptySection();
    }
    EXPECT_FALSE(key.HasSubkey(L"Layout"));
    EXPECT_TRUE(key.Query(L"LayoutOld", L"Keep", &type, &data));

    // A section without a name is the parent key itself: emptying it deletes nothing.
    key.Set(L"", L"Top", REG_DWORD, &one, 4);
    {
        Held<CUTKPropExchangeRegistry> px(new CUTKPropExchangeRegistry(FALSE, key.Key(), L""));
        px->EmptySection();
    }
    EXPECT_TRUE(key.Query(L"", L"Top", &type, &data));
    EXPECT_TRUE(key.HasSubkey(L"LayoutOld"));
}

TEST(RegistryExchange, WithoutAParentKeyUsesTheApplicationsKey)
{
    const std::wstring company = L"OrvaneTests-app-" + std::to_wstring(::GetCurrentProcessId());
    {
        CWinApp app(L"ExchangeTest");
        app.m_pszRegistryKey = _wcsdup(company.c_str());
        app.m_pszProfileName = _wcsdup(L"Profile");
        Held<CUTKPropExchangeRegistry> px(new CUTKPropExchangeRegistry(FALSE, nullptr, L"S"));
        int v = 9;
        ASSERT_TRUE(ExchangeIntProp(px.get(), L"V", v));
    }
    const std::wstring path = L"Software\\" + company;
    DWORD v = 0;
    DWORD size = sizeof v;
    EXPECT_EQ(ERROR_SUCCESS, ::RegGetValueW(HKEY_CURRENT_USER, (path + L"\\Profile\\S").c_str(),
                                            L"V", RRF_RT_REG_DWORD, nullptr, &v, &size));
    EXPECT_EQ(9u, v);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    ::RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
    // Without an application nothing opens.
    Held<CUTKPropExchangeRegistry> px(new CUTKPropExchangeRegistry(FALSE, nullptr, L"S"));
    int v2 = 1;
    EXPECT_FALSE(ExchangeIntProp(px.get(), L"V", v2));
}

TEST(RegistryExchange, WholeTreeRoundTrips)
{
    TestRegistryKey key(L"tree");
    orvane::test::ExchangeTree stored = orvane::test::ExchangeTree::Sample();
    stored.withCurrency = stored.withDate = stored.withVariant = false;
    {
        Held<CUTKPropExchangeRegistry> px(new CUTKPropExchangeRegistry(FALSE, key.Key(), L"T"));
        ASSERT_TRUE(orvane::test::ExchangeWholeTree(px.get(), stored));
    }
    orvane::test::ExchangeTree loaded;
    loaded.withCurrency = loaded.withDate = loaded.withVariant = false;
    Held<CUTKPropExchangeRegistry> px(new CUTKPropExchangeRegistry(TRUE, key.Key(), L"T"));
    ASSERT_TRUE(orvane::test::ExchangeWholeTree(px.get(), loaded));
    orvane::test::ExpectSameTree(stored, loaded);
}

TEST(IniExchange, ValueTypesAsTexts)
{
    TempFolder dir(L"ini-kinds");
    const std::wstring file = dir / L"kinds.ini";
    {
        Held<CUTKPropExchangeIniFile> px(new CUTKPropExchangeIniFile(FALSE, nullptr, L"S"));
        px->AssignFile(file.c_str());
        StoreKinds(px.get());
        COleDateTime date(2010, 11, 6, 0, 0, 0);
        ASSERT_TRUE(px->ExchangeValue(L"Day", VT_DATE, &date, nullptr));
        date.SetDateTime(2010, 11, 6, 12, 30, 0);
        ASSERT_TRUE(px->ExchangeValue(L"When", VT_DATE, &date, nullptr));
        date.SetTime(12, 30, 0);
        ASSERT_TRUE(px->ExchangeValue(L"Time", VT_DATE, &date, nullptr));
        COleVariant number(static_cast<long>(12));
        ASSERT_TRUE(px->ExchangeValue(L"Variant", VT_VARIANT, static_cast<VARIANT*>(&number),
                                      nullptr));
    }
    const struct {
        const wchar_t* key;
        const wchar_t* text;
    } expected[] = {
        {L"Byte", L"200"},         {L"Short", L"65535"},
        {L"Int", L"-5"},           {L"Bool", L"1"},
        {L"Text", L"x\\ny\\\\z"},  {L"Rect", L"1, 2, 3, 4"},
        {L"Size", L"5, 6"},        {L"Float", L"1.5"},
        {L"Double", L"2.25"},      {L"Blob", L"BAMDPP"},
        {L"Day", L"2010-06-11"},   {L"When", L"2010-06-11T12:30:00"},
        {L"Time", L"12:30:00"},    {L"Variant", L"12"},
        {L"Currency", L"<missing>"},
    };
    for (const auto& e : expected) {
        EXPECT_EQ(std::wstring(e.text), IniText(file, L"S", e.key)) << e.key;
    }
    Held<CUTKPropExchangeIniFile> px(new CUTKPropExchangeIniFile(TRUE, nullptr, L"S"));
    px->AssignFile(file.c_str());
    ExpectKindsBack(px.get());
    COleDateTime date;
    ASSERT_TRUE(px->ExchangeValue(L"When", VT_DATE, &date, nullptr));
    EXPECT_TRUE(date == COleDateTime(2010, 11, 6, 12, 30, 0));
    COleVariant variant;
    ASSERT_TRUE(px->ExchangeValue(L"Variant", VT_VARIANT, static_cast<VARIANT*>(&variant),
                                  nullptr));
    EXPECT_TRUE(variant == COleVariant(L"12"));
}

TEST(IniExchange, TextsReadBack)
{
    TempFolder dir(L"ini-texts");
    const std::wstring file = dir / L"texts.ini";
    const std::wstring longText(20000, L'w');
    const struct {
        const wchar_t* key;
        std::wstring text;
    } written[] = {
        {L"Time", L"12:30"},      {L"BadDate", L"noon"},   {L"Empty", L""},
        {L"ShortRect", L"1, 2"},  {L"Escapes", L"a\\\\b\\tc\\q"},
        {L"OddBlob", L"ABC"},     {L"BadBlob", L"AZ"},     {L"Long", longText},
        {L"BigShort", L"70000"},
    };
    for (const auto& w : written) {
        ASSERT_TRUE(::WritePrivateProfileStringW(L"S", w.key, w.text.c_str(), file.c_str()));
    }
    Held<CUTKPropExchangeIniFile> px(new CUTKPropExchangeIniFile(TRUE, nullptr, L"S"));
    px->AssignFile(file.c_str());
    COleDateTime date(5.0);
    ASSERT_TRUE(px->ExchangeValue(L"Time", VT_DATE, &date, nullptr));
    EXPECT_DOUBLE_EQ((12 * 3600 + 30 * 60) / 86400.0, date.m_dt);
    const COleDateTime dflt(7.0);
    EXPECT_FALSE(px->ExchangeValue(L"BadDate", VT_DATE, &date, &dflt));
    int i = 0;
    EXPECT_TRUE(ExchangeIntPropDefault(px.get(), L"Empty", i, 11));
    EXPECT_EQ(11, i);
    CRect rect;
    EXPECT_TRUE(ExchangeRectProp(px.get(), L"ShortRect", rect, CRect(1, 1, 1, 1)));
    EXPECT_TRUE(rect == CRect(1, 1, 1, 1));
    CString text;
    ASSERT_TRUE(ExchangeStringProp(px.get(), L"Escapes", text));
    EXPECT_STREQ(L"a\\b\tc\\q", text.GetString());
    ASSERT_TRUE(ExchangeStringProp(px.get(), L"Long", text));
    EXPECT_EQ(20000, text.GetLength());
    BYTE* data = nullptr;
    DWORD size = 0;
    EXPECT_FALSE(ExchangeBlobProp(px.get(), L"OddBlob", data, size));
    EXPECT_FALSE(ExchangeBlobProp(px.get(), L"BadBlob", data, size));
    EXPECT_FALSE(ExchangeBlobProp(px.get(), L"MissingBlob", data, size));
    EXPECT_EQ(nullptr, data);
    short s = 0;
    ASSERT_TRUE(ExchangeShortProp(px.get(), L"BigShort", s, 0));
    EXPECT_EQ(static_cast<short>(70000 & 0xFFFF), s);
}

TEST(IniExchange, DefaultDeletesOnlyInAnAssignedFile)
{
    TempFolder dir(L"ini-defaults");
    const std::wstring file = dir / L"d.ini";
    ::WritePrivateProfileStringW(L"S", L"Count", L"5", file.c_str());
    {
        Held<CUTKPropExchangeIniFile> px(new CUTKPropExchangeIniFile(FALSE, nullptr, L"S"));
        px->AssignFile(file.c_str());
        int count = 0;
        EXPECT_TRUE(ExchangeIntPropDefault(px.get(), L"Count", count, 0));
        // An empty blob is a value equal to its default.
        ::WritePrivateProfileStringW(L"S", L"Blob", L"AA", file.c_str());
        BYTE* none = nullptr;
        DWORD zero = 0;
        EXPECT_TRUE(ExchangeBlobProp(px.get(), L"Blob", none, zero));
    }
    EXPECT_EQ(L"<missing>", IniText(file, L"S", L"Count"));
    EXPECT_EQ(L"<missing>", IniText(file, L"S", L"Blob"));

    std::wstring tempFile;
    {
        Held<CUTKPropExchangeIniFile> px(new CUTKPropExchangeIniFile(FALSE, nullptr, L"S"));
        ASSERT_TRUE(px->OpenStorage());
        tempFile = px->GetFilePath().GetString();
        ::WritePrivateProfileStringW(L"S", L"Count", L"5", tempFile.c_str());
        int count = 0;
        EXPECT_TRUE(ExchangeIntPropDefault(px.get(), L"Count", count, 0));
        EXPECT_EQ(L"5", IniText(tempFile, L"S", L"Count"));
        {
            Held<CUTKPropExchange> child(px->GetSection(L"Child"));
            int v = 1;
            ASSERT_TRUE(ExchangeIntProp(child.get(), L"V", v));
        }
        // The child section leaves the temporary file alone.
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(tempFile.c_str()));
        EXPECT_EQ(L"1", IniText(tempFile, L"S\\Child", L"V"));
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(tempFile.c_str()));
}

TEST(IniExchange, ChildSectionsAndEmptyingKeepsNamesakes)
{
    TempFolder dir(L"ini-children");
    const std::wstring file = dir / L"c.ini";
    ::WritePrivateProfileStringW(L"LayoutOld", L"Keep", L"1", file.c_str());
    ::WritePrivateProfileStringW(L"Layout2", L"Keep", L"1", file.c_str());
    {
        Held<CUTKPropExchangeIniFile> px(new CUTKPropExchangeIniFile(FALSE, nullptr, L"Layout"));
        px->AssignFile(file.c_str());
        int v = 1;
        ASSERT_TRUE(ExchangeIntProp(px.get(), L"V", v));
        Held<CUTKPropExchange> bar(px->GetSection(L"Bar0"));
        EXPECT_STREQ(L"Layout\\Bar0",
                     static_cast<CUTKPropExchangeIniFile*>(bar.get())->GetSectionName());
        ASSERT_TRUE(ExchangeIntProp(bar.get(), L"V", v));
        Held<CUTKPropExchange> sub(bar->GetSection(L"Sub"));
        ASSERT_TRUE(ExchangeIntProp(sub.get(), L"V", v));
    }
    EXPECT_EQ((std::vector<std::wstring>{L"LayoutOld", L"Layout2", L"Layout", L"Layout\\Bar0",
                                         L"Layout\\Bar0\\Sub"}),
              IniSections(file));
    {
        Held<CUTKPropExchangeIniFile> px(new CUTKPropExchangeIniFile(FALSE, nullptr, L"Layout"));
        px->AssignFile(file.c_str());
        px->EmptySection();
    }
    EXPECT_EQ((std::vector<std::wstring>{L"LayoutOld", L"Layout2"}), IniSections(file));
}

TEST(IniExchange, NumberedSectionsSchemaClassesAndObjects)
{
    TempFolder dir(L"ini-misc");
    const std::wstring file = dir / L"m.ini";
    ::WritePrivateProfileStringW(L"R", L"Class", L"CNoSuchClass", file.c_str());
    ::WritePrivateProfileStringW(L"R\\Other", L"Class", L"CTreeOther", file.c_str());
    Held<CUTKPropExchangeIniFile> px(new CUTKPropExchangeIniFile(TRUE, nullptr, L"R"));
    px->AssignFile(file.c_str());
    px->ExchangeSchema();
    EXPECT_EQ(32, px->m_nSchema);
    px->ExchangeLatestSchema();
    EXPECT_EQ(36, px->m_nSchema);

    CRuntimeClass* cls = nullptr;
    EXPECT_FALSE(ExchangeClassProp(px.get(), L"Class", cls, RUNTIME_CLASS(CObject)));
    EXPECT_TRUE(ExchangeClassProp(px.get(), L"NoClass", cls, RUNTIME_CLASS(CObject)));
    EXPECT_EQ(RUNTIME_CLASS(CObject), cls);

    // A class outside the expected one is refused before anything is created.
    const int before = CTreeItem::Instances();
    Held<CUTKPropExchange> other(px->GetSection(L"Other"));
    CObject* object = nullptr;
    EXPECT_FALSE(other->ExchangeObjectInstance(object, RUNTIME_CLASS(CTreeItem)));
    EXPECT_EQ(nullptr, object);
    EXPECT_EQ(before, CTreeItem::Instances());

    CUTKPropExchangeEnumerator* items = px->GetEnumerator(L"Bar");
    ::WritePrivateProfileStringW(L"R", L"Count", L"2", file.c_str());
    POSITION pos = items->GetPosition();
    std::vector<CString> names;
    while (pos != nullptr) {
        Held<CUTKPropExchange> item(items->GetNext(pos));
        names.push_back(static_cast<CUTKPropExchangeIniFile*>(item.get())->GetSectionName());
    }
    delete items;
    ASSERT_EQ(2u, names.size());
    EXPECT_STREQ(L"R\\Bar0", names[0]);
    EXPECT_STREQ(L"R\\Bar1", names[1]);
}

TEST(ExchangeFunctions, WithoutAnExchangeNothingHappens)
{
    BYTE b = 1;
    short s = 2;
    int i = 3;
    BOOL flag = TRUE;
    CString text = L"kept";
    CSize size(4, 5);
    CRect rect(6, 7, 8, 9);
    CRuntimeClass* cls = RUNTIME_CLASS(CObject);
    BYTE* data = nullptr;
    DWORD length = 7;
    CTreeItem item;
    EXPECT_FALSE(ExchangeByteProp(nullptr, L"B", b, 0));
    EXPECT_FALSE(ExchangeShortProp(nullptr, L"S", s, 0));
    EXPECT_FALSE(ExchangeIntProp(nullptr, L"I", i));
    EXPECT_FALSE(ExchangeIntPropDefault(nullptr, L"I", i, 0));
    EXPECT_FALSE(ExchangeBoolProp(nullptr, L"F", flag, FALSE));
    EXPECT_FALSE(ExchangeStringProp(nullptr, L"T", text));
    EXPECT_FALSE(ExchangeStringPropDefault(nullptr, L"T", text, L""));
    EXPECT_FALSE(ExchangeSizeProp(nullptr, L"Z", size, CSize()));
    EXPECT_FALSE(ExchangeRectProp(nullptr, L"R", rect, CRect()));
    EXPECT_FALSE(ExchangeClassProp(nullptr, L"C", cls, nullptr));
    EXPECT_FALSE(ExchangeBlobProp(nullptr, L"D", data, length));
    EXPECT_FALSE(ExchangeSerializedObject(nullptr, L"O", &item));
    EXPECT_EQ(1, b);
    EXPECT_EQ(3, i);
    EXPECT_STREQ(L"kept", text.GetString());
    EXPECT_EQ(RUNTIME_CLASS(CObject), cls);
    EXPECT_EQ(7u, length);
}

TEST(IniExchange, SerializedObjectMissingOrDamaged)
{
    TempFolder dir(L"ini-serialized");
    const std::wstring file = dir / L"s.ini";
    // Three bytes where the object's four are expected: the archive ends early.
    ::WritePrivateProfileStringW(L"S", L"Short", L"BACADA", file.c_str());
    Held<CUTKPropExchangeIniFile> px(new CUTKPropExchangeIniFile(TRUE, nullptr, L"S"));
    px->AssignFile(file.c_str());
    CTreeItem item;
    item.m_value = 5;
    EXPECT_FALSE(ExchangeSerializedObject(px.get(), L"Missing", &item));
    EXPECT_FALSE(ExchangeSerializedObject(px.get(), L"Short", &item));
    EXPECT_EQ(nullptr, px->GetArchive(L"Missing"));
}

TEST(IniExchange, WholeTreeRoundTrips)
{
    TempFolder dir(L"ini-tree");
    const std::wstring file = dir / L"t.ini";
    orvane::test::ExchangeTree stored = orvane::test::ExchangeTree::Sample();
    stored.withCurrency = false;
    {
        Held<CUTKPropExchangeIniFile> px(new CUTKPropExchangeIniFile(FALSE, nullptr, L"T"));
        px->AssignFile(file.c_str());
        ASSERT_TRUE(orvane::test::ExchangeWholeTree(px.get(), stored));
    }
    orvane::test::ExchangeTree loaded;
    loaded.withCurrency = false;
    Held<CUTKPropExchangeIniFile> px(new CUTKPropExchangeIniFile(TRUE, nullptr, L"T"));
    px->AssignFile(file.c_str());
    ASSERT_TRUE(orvane::test::ExchangeWholeTree(px.get(), loaded));
    orvane::test::ExpectSameTree(stored, loaded);
}

}  // namespace
