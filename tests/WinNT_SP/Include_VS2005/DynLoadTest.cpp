// Run-time binding: all-or-nothing tables, repeated binds, independent tables on one library,
// error records; and the header-attribute readers of the Windows Media runtime table.
#include "WinNT_SP/Include_VS2005/DynLoadFuncs.h"
#include "WinNT_SP/Include_VS2005/WMRuntimeTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

struct GoodTable {
    DynLoadFuncs add{"DynTestAdd", L"dyntest.dll", DLF_FIRST};
    DynLoadFuncs twice{"DynTestTwice", L"dyntest.dll", DLF_LAST};
};

struct BrokenTable {
    DynLoadFuncs add{"DynTestAdd", L"dyntest.dll", DLF_FIRST};
    DynLoadFuncs twice{"DynTestTwice", L"dyntest.dll", DLF_MIDDLE};
    DynLoadFuncs missing{"DynTestMissing", L"dyntest.dll", DLF_LAST};
};

bool TestLibLoaded()
{
    return GetModuleHandleW(L"dyntest.dll") != nullptr;
}

}  // namespace

TEST(DynLoadFuncs, CompleteTableBindsOnceAndCalls)
{
    ASSERT_FALSE(TestLibLoaded());
    {
        GoodTable t;
        ERR_INFO info;
        ASSERT_TRUE(t.add.Load(&info));
        EXPECT_EQ(info.kind, ERRK_EMPTY);
        EXPECT_EQ(t.add.As<int (*)(int, int)>()(2, 3), 5);
        EXPECT_EQ(t.twice.As<int (*)(int)>()(21), 42);
        const HMODULE lib = t.add.Library();
        ASSERT_TRUE(t.add.Load(&info));
        EXPECT_EQ(t.add.Library(), lib);  // no second LoadLibrary
        EXPECT_FALSE(t.add.LoadFailed());
    }
    EXPECT_FALSE(TestLibLoaded());  // the leader, destroyed last, freed the library
}

TEST(DynLoadFuncs, MissingExportRefusesTheWholeTable)
{
    BrokenTable t;
    for (ERR_INFO* info : {static_cast<ERR_INFO*>(nullptr), new ERR_INFO}) {
        EXPECT_FALSE(t.add.Load(info));
        EXPECT_EQ(t.add.Address(), nullptr);
        EXPECT_EQ(t.twice.Address(), nullptr);
        EXPECT_EQ(t.missing.Address(), nullptr);
        EXPECT_EQ(t.add.Library(), nullptr);
        EXPECT_TRUE(t.add.LoadFailed());
        EXPECT_FALSE(TestLibLoaded());
        if (info) {
            EXPECT_EQ(info->kind, ERRK_SYSTEM);
            EXPECT_STREQ(info->function, L"GetProcAddress");
            EXPECT_STREQ(info->object, L"dyntest.dll, DynTestMissing");
            EXPECT_EQ(info->line, 273u);
            delete info;
        }
    }
}

TEST(DynLoadFuncs, TablesOnOneLibraryAreIndependent)
{
    GoodTable a;
    GoodTable b;
    ASSERT_TRUE(a.add.Load(nullptr));
    EXPECT_EQ(b.add.Address(), nullptr);
    ASSERT_TRUE(b.add.Load(nullptr));
    EXPECT_NE(b.twice.Address(), nullptr);
}

TEST(DynLoadFuncs, MissingLibraryAndSingleRecordTables)
{
    DynLoadFuncs single("DynTestAdd", L"no-such-library.dll", DLF_SINGLE);
    ERR_INFO info;
    EXPECT_FALSE(single.Load(&info));
    EXPECT_STREQ(info.function, L"LoadLibrary");
    EXPECT_STREQ(info.object, L"no-such-library.dll");
    EXPECT_EQ(info.notes[0].value, 1u);
    EXPECT_EQ(info.line, 259u);
    EXPECT_NE(info.code, 0u);
    EXPECT_TRUE(single.Load(&info, L"dyntest.dll"));
    EXPECT_EQ(single.As<int (*)(int, int)>()(1, 1), 2);
}

TEST(DynLoadFuncs, WMRuntimeMissingLibraryFailsAndRetries)
{
    EXPECT_FALSE(LoadWMRuntime(L"no-wmvcore-here.dll"));
    EXPECT_STREQ(WMRuntimeError().function, L"LoadLibrary");
    EXPECT_NE(WMRuntimeError().code, 0u);
    EXPECT_EQ(WMRuntime().createWriter.Address(), nullptr);
    EXPECT_FALSE(LoadWMRuntime(L"no-wmvcore-here.dll"));
}

namespace {

// Header attributes from a table; everything else is not implemented.
class FakeHeader final : public IWMHeaderInfo {
public:
    struct Attr {
        WMT_ATTR_DATATYPE type;
        std::vector<BYTE> data;
    };
    std::map<std::wstring, Attr> attrs;

    void String(const wchar_t* name, const wchar_t* value)
    {
        const auto* b = reinterpret_cast<const BYTE*>(value);
        attrs[name] = {WMT_TYPE_STRING, std::vector<BYTE>(b, b + 2 * (wcslen(value) + 1))};
    }
    template <class T>
    void Number(const wchar_t* name, WMT_ATTR_DATATYPE type, T value)
    {
        std::vector<BYTE> d(sizeof value);
        std::memcpy(d.data(), &value, sizeof value);
        attrs[name] = {type, d};
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetAttributeCount(WORD, WORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetAttributeByIndex(WORD, WORD*, WCHAR*, WORD*,
                                                  WMT_ATTR_DATATYPE*, BYTE*, WORD*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetAttributeByName(WORD*, LPCWSTR name, WMT_ATTR_DATATYPE* type,
                                                 BYTE* value, WORD* length) override
    {
        auto it = attrs.find(name);
        if (it == attrs.end()) {
            return HRESULT(0xC00D07F0);  // attribute not found
        }
        *type = it->second.type;
        if (value) {
            if (*length < it->second.data.size()) {
                return E_INVALIDARG;
            }
            std::memcpy(value, it->second.data.data(), it->second.data.size());
        }
        *length = WORD(it->second.data.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetAttribute(WORD, LPCWSTR, WMT_ATTR_DATATYPE, const BYTE*,
                                           WORD) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetMarkerCount(WORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMarker(WORD, WCHAR*, WORD*, QWORD*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE AddMarker(LPCWSTR, QWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RemoveMarker(WORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetScriptCount(WORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetScript(WORD, WCHAR*, WORD*, WCHAR*, WORD*, QWORD*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE AddScript(LPCWSTR, LPCWSTR, QWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RemoveScript(WORD) override { return E_NOTIMPL; }
};

}  // namespace

TEST(WMAttributes, MetadataByType)
{
    FakeHeader h;
    h.String(L"Title", L"Quarterly talk");
    h.String(L"WM/GenreID", L"Speech");
    h.Number(L"WM/Year", WMT_TYPE_DWORD, DWORD(2026));
    h.Number(L"WM/TrackNumber", WMT_TYPE_DWORD, DWORD(3000000000u));
    h.Number(L"WM/Composer", WMT_TYPE_WORD, WORD(65535));
    h.Number(L"WM/Writer", WMT_TYPE_DWORD, DWORD(1234567890));
    h.Number(L"Description", WMT_TYPE_QWORD, ULONGLONG(5));
    WM_METADATA md;
    GetWMMetadata(&md, &h);
    EXPECT_STREQ(md.text[3], L"Quarterly talk");
    EXPECT_STREQ(md.text[6], L"Speech");
    EXPECT_STREQ(md.text[5], L"2026");
    EXPECT_STREQ(md.text[4], L"-12949672");  // signed, cut to nine characters
    EXPECT_STREQ(md.text[7], L"65535");
    EXPECT_STREQ(md.text[8], L"123456789");
    EXPECT_STREQ(md.text[2], L"");  // a number asked for as text
    EXPECT_STREQ(md.text[0], L"");
}

TEST(WMAttributes, GenreFallbackOnlyForTheTablesOwnName)
{
    FakeHeader h;
    h.String(L"WM/GenreID", L"Speech");
    wchar_t* text = nullptr;
    BOOL isNumber = TRUE;
    const std::wstring copy = L"WM/Genre";
    EXPECT_FALSE(GetWMAttribute(&h, copy.c_str(), &isNumber, &text, nullptr));
    EXPECT_TRUE(GetWMAttribute(&h, kWMMetadataNames[6], &isNumber, &text, nullptr));
    EXPECT_STREQ(text, L"Speech");
    EXPECT_FALSE(isNumber);
    delete[] text;
}

TEST(WMAttributes, Duration)
{
    FakeHeader h;
    EXPECT_EQ(GetWMDuration(&h), 0);
    h.String(L"Duration", L"12345");
    EXPECT_EQ(GetWMDuration(&h), 0);
    h.Number(L"Duration", WMT_TYPE_QWORD, ULONGLONG(200000000));
    EXPECT_EQ(GetWMDuration(&h), 200000000);
    h.Number(L"Duration", WMT_TYPE_BOOL, DWORD(7));
    EXPECT_EQ(GetWMDuration(&h), 1);
}

TEST(WMAttributes, BinaryTextMustLieInItsBuffer)
{
    FakeHeader h;
    // {description pointer, URL pointer}: a pointer that leaves the buffer is refused.
    std::vector<BYTE> outside(64, 0);
    const wchar_t* away = L"elsewhere";
    std::memcpy(outside.data() + sizeof(void*), &away, sizeof away);
    h.attrs[L"WM/UserWebURL"] = {WMT_TYPE_BINARY, outside};
    wchar_t* text = nullptr;
    BOOL isNumber = FALSE;
    EXPECT_FALSE(GetWMAttribute(&h, L"WM/UserWebURL", &isNumber, &text, nullptr));
    EXPECT_EQ(text, nullptr);
    // A short value cannot hold the record at all.
    h.attrs[L"WM/UserWebURL"] = {WMT_TYPE_BINARY, std::vector<BYTE>(3, 1)};
    EXPECT_FALSE(GetWMAttribute(&h, L"WM/UserWebURL", &isNumber, &text, nullptr));
    h.Number(L"G", WMT_TYPE_GUID, GUID{});
    EXPECT_FALSE(GetWMAttribute(&h, L"G", &isNumber, &text, nullptr));
}
