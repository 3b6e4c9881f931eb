// Bookmarks: marker times on the grid, long names read in full, unreadable markers skipped,
// and the markers of the sample presentation through the media runtime's editor.
#include "player/core/Bookmarks.h"

#include "WinNT_SP/Include_VS2005/MyException.h"
#include "tests/support/TestEnv.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct FakeMarker {
    std::wstring name;
    QWORD time;
    HRESULT result = S_OK;
};

// Only the marker operations answer; the rest are never called by the reading.
class FakeHeader final : public IWMHeaderInfo {
public:
    std::vector<FakeMarker> markers;
    HRESULT countResult = S_OK;
    int calls = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetAttributeCount(WORD, WORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetAttributeByIndex(WORD, WORD*, WCHAR*, WORD*,
                                                  WMT_ATTR_DATATYPE*, BYTE*, WORD*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetAttributeByName(WORD*, LPCWSTR, WMT_ATTR_DATATYPE*, BYTE*,
                                                 WORD*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetAttribute(WORD, LPCWSTR, WMT_ATTR_DATATYPE, const BYTE*,
                                           WORD) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetMarkerCount(WORD* count) override
    {
        *count = static_cast<WORD>(markers.size());
        return countResult;
    }
    HRESULT STDMETHODCALLTYPE GetMarker(WORD index, WCHAR* name, WORD* length,
                                        QWORD* time) override
    {
        ++calls;
        const FakeMarker& m = markers[index];
        if (FAILED(m.result)) {
            return m.result;
        }
        const WORD needed = static_cast<WORD>(m.name.size() + 1);
        if (!name || *length < needed) {
            *length = needed;
            return name ? static_cast<HRESULT>(0xC00D07D1) : S_OK;
        }
        std::memcpy(name, m.name.c_str(), needed * sizeof(WCHAR));
        *length = needed;
        *time = m.time;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE AddMarker(LPCWSTR_WMSDK_TYPE_SAFE, QWORD) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE RemoveMarker(WORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetScriptCount(WORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetScript(WORD, WCHAR*, WORD*, WCHAR*, WORD*, QWORD*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE AddScript(LPCWSTR_WMSDK_TYPE_SAFE, LPCWSTR_WMSDK_TYPE_SAFE,
                                        QWORD) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE RemoveScript(WORD) override { return E_NOTIMPL; }
};

TEST(Bookmarks, TimesOnGridLongNamesAndOrder)
{
    FakeHeader header;
    const std::wstring longName(300, L'n');
    header.markers = {{L"zero", 0},
                      {L"odd", 123456789},
                      {longName, 50000000},
                      {L"twin", 50000000},
                      {L"", 70000000}};
    Bookmarks bm;
    ReadMarkers(&bm, &header);
    ASSERT_EQ(bm.Count(), 5);
    EXPECT_EQ(bm.Item(0).time, 0);
    EXPECT_NEAR(bm.Item(1).time, 12.34568, 1e-9);
    EXPECT_EQ(bm.Item(2).name, longName);
    EXPECT_EQ(bm.Item(3).name, L"twin");
    EXPECT_EQ(bm.Item(2).time, bm.Item(3).time);
    EXPECT_EQ(bm.Item(4).name, L"");
    EXPECT_EQ(bm.Item(4).value, 0);
    EXPECT_TRUE(bm.m_extra.empty());
}

TEST(Bookmarks, UnreadableMarkerSkippedCountFailureThrows)
{
    FakeHeader header;
    header.markers = {{L"a", 10000000}, {L"b", 0, E_FAIL}, {L"c", 30000000}};
    Bookmarks bm;
    ReadMarkers(&bm, &header);
    ASSERT_EQ(bm.Count(), 2);
    EXPECT_EQ(bm.Item(1).name, L"c");

    header.countResult = E_FAIL;
    bool thrown = false;
    try {
        ReadMarkers(&bm, &header);
    } catch (CMyException* e) {
        thrown = true;
        EXPECT_NE(e->m_text.find(L"GetMarkerCount"), std::wstring::npos) << e->m_text;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
}

TEST(Bookmarks, SamplePresentationMarkers)
{
    Bookmarks bm;
    std::wstring error = L"x";
    ReadBMFromFile(&bm, &error, orvane::test::MediaPath(L"sample.wmv").c_str());
    EXPECT_EQ(error, L"");
    struct Expected {
        const wchar_t* name;
        double time;
    };
    const Expected chapters[] = {{L"Introduction", 0},
                                 {L"Background", 3},
                                 {L"Method", 7.5},
                                 {L"Results", 11},
                                 {L"Summary", 15.5}};
    ASSERT_EQ(bm.Count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(bm.Item(i).name, chapters[i].name);
        EXPECT_NEAR(bm.Item(i).time, chapters[i].time, 1e-9);
    }
}

TEST(Bookmarks, FileWithoutMarkersAndMissingFile)
{
    Bookmarks bm;
    std::wstring error;
    ReadBMFromFile(&bm, &error, orvane::test::MediaPath(L"one-video.wmv").c_str());
    EXPECT_EQ(error, L"");
    EXPECT_EQ(bm.Count(), 0);

    const std::wstring missing = orvane::test::MediaPath(L"no-such-file.wmv");
    ReadBMFromFile(&bm, &error, missing.c_str());
    EXPECT_NE(error.find(L"IWMMetadataEditor2::OpenEx"), std::wstring::npos) << error;
    EXPECT_NE(error.find(L"no-such-file.wmv"), std::wstring::npos) << error;
    EXPECT_EQ(bm.Count(), 0);
}

}  // namespace
