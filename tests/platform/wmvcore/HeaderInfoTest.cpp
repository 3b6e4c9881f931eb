// Header information of the fixtures against ffprobe: attributes by name and index with their
// types, markers (names and times), duration; the media types built from the streams; the
// metadata editor's OpenEx and its refusals.
#include <windows.h>
#include <wmsdk.h>
#include <nserror.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

#include "tests/platform/wmvcore/AsfWriter.h"
#include "tests/support/TestEnv.h"
#include "platform/wmvcore/WmvGuids.h"
#include "platform/wmvcore/WmvMetadataEditor2.h"
#include "tests/platform/wmvcore/WmvTestSupport.h"

namespace orvane::test {
namespace {

constexpr HRESULT kBufferTooSmall = static_cast<HRESULT>(0xC00D07D1);
constexpr HRESULT kNotFound = static_cast<HRESULT>(0xC00D07F0);

std::wstring Widen(const std::string& utf8)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::wstring out(n > 0 ? n - 1 : 0, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, out.data(), n);
    return out;
}

std::map<std::string, std::string> ExpectedTags(const wchar_t* fixture)
{
    std::map<std::string, std::string> tags;
    for (const std::string& line : Lines(ReadMediaText(std::wstring(fixture) + L".tags.txt"))) {
        const size_t eq = line.find('=');
        tags[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return tags;
}

// A string attribute of the file through the two-call pattern; empty when absent.
std::wstring StringAttribute(IWMHeaderInfo* info, const wchar_t* name, HRESULT* result = nullptr)
{
    WORD stream = 0;
    WMT_ATTR_DATATYPE type;
    WORD length = 0;
    HRESULT hr = info->GetAttributeByName(&stream, name, &type, nullptr, &length);
    if (SUCCEEDED(hr)) {
        EXPECT_EQ(type, WMT_TYPE_STRING) << "attribute type";
        std::vector<BYTE> value(length);
        hr = info->GetAttributeByName(&stream, name, &type, value.data(), &length);
        if (SUCCEEDED(hr)) {
            if (result) *result = hr;
            return std::wstring(reinterpret_cast<const wchar_t*>(value.data()));
        }
    }
    if (result) *result = hr;
    return std::wstring();
}

class HeaderInfo : public testing::TestWithParam<const wchar_t*> {};

TEST_P(HeaderInfo, AttributesMarkersAndDurationEqualFfprobes)
{
    IWMSyncReader* reader = OpenSync(GetParam());
    ASSERT_NE(reader, nullptr);
    IWMHeaderInfo3* info = nullptr;
    ASSERT_EQ(reader->QueryInterface(IID_IWMHeaderInfo3, reinterpret_cast<void**>(&info)), S_OK);
    const auto tags = ExpectedTags(GetParam());

    // ffprobe's tag names and the runtime's attribute names for the same values.
    const std::pair<const char*, const wchar_t*> names[] = {
        {"title", L"Title"},     {"artist", L"Author"},         {"comment", L"Description"},
        {"copyright", L"Copyright"}, {"album", L"WM/AlbumTitle"}, {"genre", L"WM/Genre"}};
    for (const auto& [tag, attribute] : names) {
        const auto it = tags.find(tag);
        HRESULT hr = S_OK;
        const std::wstring value = StringAttribute(info, attribute, &hr);
        if (it == tags.end()) {
            EXPECT_EQ(hr, kNotFound) << tag;
        } else {
            EXPECT_EQ(value, Widen(it->second)) << tag;
        }
    }
    if (tags.count("date")) {
        // The writer keeps the year under its own name.
        std::wstring year = StringAttribute(info, L"WM/Year");
        if (year.empty()) {
            year = StringAttribute(info, L"date");
        }
        EXPECT_EQ(year, Widen(tags.at("date")));
    }

    WORD stream = 0;
    WMT_ATTR_DATATYPE type;
    QWORD duration = 0;
    WORD length = sizeof(duration);
    ASSERT_EQ(info->GetAttributeByName(&stream, L"Duration", &type,
                                       reinterpret_cast<BYTE*>(&duration), &length), S_OK);
    EXPECT_EQ(type, WMT_TYPE_QWORD);
    EXPECT_EQ(duration / 10000, std::stoull(tags.at("duration_ms")));

    const std::vector<std::string> chapters =
        Lines(ReadMediaText(std::wstring(GetParam()) + L".chapters.csv"));
    WORD markers = 0;
    ASSERT_EQ(info->GetMarkerCount(&markers), S_OK);
    ASSERT_EQ(markers, chapters.size());
    for (WORD i = 0; i < markers; ++i) {
        WORD chars = 0;
        QWORD time = 0;
        ASSERT_EQ(info->GetMarker(i, nullptr, &chars, &time), S_OK);
        std::wstring name(chars, L'\0');
        WORD tooFew = 1;
        EXPECT_EQ(info->GetMarker(i, name.data(), &tooFew, &time), kBufferTooSmall);
        EXPECT_EQ(tooFew, chars);
        ASSERT_EQ(info->GetMarker(i, name.data(), &chars, &time), S_OK);
        name.resize(chars - 1);
        const size_t comma = chapters[i].find(',');
        EXPECT_EQ(time / 10000, std::stoull(chapters[i].substr(0, comma)));
        EXPECT_EQ(name, Widen(chapters[i].substr(comma + 1)));
    }
    info->Release();
    reader->Release();
}

INSTANTIATE_TEST_SUITE_P(Fixtures, HeaderInfo,
                         testing::Values(L"sample.wmv", L"one-video.wmv", L"audio-only.wma"));

TEST(HeaderInfoIndex, EveryAttributeByIndexMatchesByName)
{
    IWMSyncReader* reader = OpenSync(L"sample.wmv");
    ASSERT_NE(reader, nullptr);
    IWMHeaderInfo3* info = nullptr;
    ASSERT_EQ(reader->QueryInterface(IID_IWMHeaderInfo3, reinterpret_cast<void**>(&info)), S_OK);
    WORD count = 0;
    ASSERT_EQ(info->GetAttributeCountEx(0, &count), S_OK);
    EXPECT_GE(count, 12);
    for (WORD i = 0; i < count; ++i) {
        WORD nameLength = 0;
        WMT_ATTR_DATATYPE type;
        WORD language = 0;
        DWORD dataLength = 0;
        ASSERT_EQ(info->GetAttributeByIndexEx(0, i, nullptr, &nameLength, &type, &language,
                                              nullptr, &dataLength), S_OK);
        std::wstring name(nameLength, L'\0');
        std::vector<BYTE> data(dataLength);
        ASSERT_EQ(info->GetAttributeByIndexEx(0, i, name.data(), &nameLength, &type, &language,
                                              data.data(), &dataLength), S_OK);
        name.resize(nameLength - 1);
        WORD stream = 0;
        WMT_ATTR_DATATYPE typeByName;
        WORD lengthByName = 0;
        ASSERT_EQ(info->GetAttributeByName(&stream, name.c_str(), &typeByName, nullptr,
                                           &lengthByName), S_OK);
        EXPECT_EQ(typeByName, type) << "attribute " << i;
    }
    // A buffer one byte short is refused with the needed size.
    WORD stream = 0;
    WMT_ATTR_DATATYPE type;
    BYTE small[4];
    WORD length = sizeof(small);
    EXPECT_EQ(info->GetAttributeByName(&stream, L"Title", &type, small, &length), kBufferTooSmall);
    EXPECT_EQ(length, (wcslen(L"Orvane Sample Talk") + 1) * 2);
    BOOL seekable = FALSE;
    length = sizeof(seekable);
    ASSERT_EQ(info->GetAttributeByName(&stream, L"Seekable", &type,
                                       reinterpret_cast<BYTE*>(&seekable), &length), S_OK);
    EXPECT_EQ(type, WMT_TYPE_BOOL);
    EXPECT_TRUE(seekable);
    info->Release();
    reader->Release();
}

std::vector<uint8_t> Utf16z(const std::wstring& text)
{
    std::vector<uint8_t> v;
    for (wchar_t c : text) {
        v.push_back(uint8_t(c));
        v.push_back(uint8_t(c >> 8));
    }
    v.push_back(0);
    v.push_back(0);
    return v;
}

// Writes bytes to a new temporary file and returns its path.
std::wstring TempFile(const std::vector<uint8_t>& bytes)
{
    wchar_t dir[MAX_PATH];
    wchar_t path[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, L"wmv", 0, path);
    FILE* f = _wfopen(path, L"wb");
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
    return path;
}

TEST(HeaderInfoStructured, UserWebUrlAndUserTextComeAsPointerPairs)
{
    struct Descriptor {
        std::wstring name;
        uint16_t type;  // the file's own numbering: 0 text, 1 binary, 3 DWORD
        std::vector<uint8_t> value;
    };
    std::vector<uint8_t> urlValue = Utf16z(L"Home page");
    const std::vector<uint8_t> url = Utf16z(L"http://example.org/talk");
    urlValue.insert(urlValue.end(), url.begin(), url.end());
    const std::vector<Descriptor> descriptors = {
        {L"WM/UserWebURL", 1, urlValue},
        {L"WM/UserText", 1, Utf16z(L"Only text")},
        {L"WM/GenreID", 0, Utf16z(L"Lecture")},
        {L"WM/Year", 3, {0xEA, 0x07, 0, 0}},
    };
    AsfWriter content;
    content.U16(uint16_t(descriptors.size()));
    for (const Descriptor& d : descriptors) {
        const std::vector<uint8_t> name = Utf16z(d.name);
        content.U16(uint16_t(name.size())).Bytes(name).U16(d.type);
        content.U16(uint16_t(d.value.size())).Bytes(d.value);
    }
    const std::wstring path = TempFile(
        File({ObjectBytes(guids::kFileProperties, FileProps()),
              ObjectBytes(guids::kStreamProperties, AudioStream(1)),
              ObjectBytes(guids::kExtendedContentDescription, content.b)},
             {Packet(1, 100, 0, 100, 10)}));

    IWMSyncReader* reader = nullptr;
    ASSERT_EQ(Runtime().createSyncReader(nullptr, 0, &reader), S_OK);
    ASSERT_EQ(reader->Open(path.c_str()), S_OK);
    IWMHeaderInfo* info = nullptr;
    ASSERT_EQ(reader->QueryInterface(IID_IWMHeaderInfo, reinterpret_cast<void**>(&info)), S_OK);
    const std::pair<const wchar_t*, std::pair<std::wstring, std::wstring>> pairs[] = {
        {L"WM/UserWebURL", {L"Home page", L"http://example.org/talk"}},
        {L"WM/UserText", {L"", L"Only text"}}};
    for (const auto& [name, texts] : pairs) {
        WORD stream = 0;
        WMT_ATTR_DATATYPE type;
        WORD length = 0;
        ASSERT_EQ(info->GetAttributeByName(&stream, name, &type, nullptr, &length), S_OK);
        EXPECT_EQ(type, WMT_TYPE_BINARY);
        std::vector<BYTE> value(length);
        ASSERT_EQ(info->GetAttributeByName(&stream, name, &type, value.data(), &length), S_OK);
        WCHAR* pointers[2];
        memcpy(pointers, value.data(), sizeof(pointers));
        for (WCHAR* p : pointers) {
            ASSERT_GE(reinterpret_cast<BYTE*>(p), value.data() + sizeof(pointers));
            ASSERT_LT(reinterpret_cast<BYTE*>(p), value.data() + value.size());
        }
        EXPECT_EQ(std::wstring(pointers[0]), texts.first) << name;
        EXPECT_EQ(std::wstring(pointers[1]), texts.second) << name;
    }
    EXPECT_EQ(StringAttribute(info, L"WM/GenreID"), L"Lecture");
    WORD stream = 0;
    WMT_ATTR_DATATYPE type;
    DWORD year = 0;
    WORD length = sizeof(year);
    ASSERT_EQ(info->GetAttributeByName(&stream, L"WM/Year", &type,
                                       reinterpret_cast<BYTE*>(&year), &length), S_OK);
    EXPECT_EQ(type, WMT_TYPE_DWORD);
    EXPECT_EQ(year, 2026u);
    info->Release();
    reader->Release();
    DeleteFileW(path.c_str());
}

TEST(HeaderInfoMediaTypes, BuiltFromTheStreamsTypeData)
{
    IWMSyncReader* reader = OpenSync(L"sample.wmv");
    ASSERT_NE(reader, nullptr);
    IWMProfile* profile = nullptr;
    ASSERT_EQ(reader->QueryInterface(IID_IWMProfile, reinterpret_cast<void**>(&profile)), S_OK);
    struct Expected {
        GUID major;
        LONG width;
        LONG height;
        DWORD code;        // FourCC or wave tag
        double frameRate;  // frames per second of a video stream
    };
    const Expected expected[] = {{wmv::guids::kMediaTypeVideo, 320, 240, 0x32564D57, 15.0},
                                 {wmv::guids::kMediaTypeVideo, 640, 480, 0x32564D57, 5.0},
                                 {wmv::guids::kMediaTypeAudio, 0, 0, 0x0161, 0.0}};
    DWORD count = 0;
    ASSERT_EQ(profile->GetStreamCount(&count), S_OK);
    ASSERT_EQ(count, 3u);
    for (DWORD i = 0; i < count; ++i) {
        IWMStreamConfig* config = nullptr;
        ASSERT_EQ(profile->GetStream(i, &config), S_OK);
        GUID type;
        ASSERT_EQ(config->GetStreamType(&type), S_OK);
        EXPECT_TRUE(IsEqualGUID(type, expected[i].major)) << "stream " << i;
        IWMMediaProps* props = nullptr;
        ASSERT_EQ(config->QueryInterface(IID_IWMMediaProps, reinterpret_cast<void**>(&props)),
                  S_OK);
        DWORD size = 0;
        ASSERT_EQ(props->GetMediaType(nullptr, &size), S_OK);
        std::vector<BYTE> block(size);
        auto* mt = reinterpret_cast<WM_MEDIA_TYPE*>(block.data());
        DWORD shortSize = size - 1;
        EXPECT_EQ(props->GetMediaType(mt, &shortSize), kBufferTooSmall);
        ASSERT_EQ(props->GetMediaType(mt, &size), S_OK);
        EXPECT_TRUE(IsEqualGUID(mt->majortype, expected[i].major));
        EXPECT_EQ(mt->subtype.Data1, expected[i].code);
        ASSERT_EQ(mt->pbFormat, block.data() + sizeof(WM_MEDIA_TYPE));
        if (expected[i].width != 0) {
            EXPECT_TRUE(IsEqualGUID(mt->formattype, wmv::guids::kFormatVideoInfo));
            ASSERT_GE(mt->cbFormat, sizeof(wmv::guids::VideoInfoPrefix) + 40);
            BITMAPINFOHEADER bih;
            memcpy(&bih, mt->pbFormat + sizeof(wmv::guids::VideoInfoPrefix), sizeof(bih));
            EXPECT_EQ(bih.biWidth, expected[i].width);
            EXPECT_EQ(bih.biHeight, expected[i].height);
            EXPECT_EQ(bih.biCompression, expected[i].code);
            // The file states no frame rate: it is measured from the first frames.
            wmv::guids::VideoInfoPrefix vih;
            memcpy(&vih, mt->pbFormat, sizeof(vih));
            ASSERT_GT(vih.averageTimePerFrame, 0);
            EXPECT_NEAR(1e7 / double(vih.averageTimePerFrame), expected[i].frameRate,
                        expected[i].frameRate / 100);
            EXPECT_EQ(vih.source.right, expected[i].width);
            EXPECT_EQ(vih.source.bottom, expected[i].height);
            // The codec's private data follows the header.
            EXPECT_EQ(mt->cbFormat, sizeof(wmv::guids::VideoInfoPrefix) + bih.biSize);
        } else {
            EXPECT_TRUE(IsEqualGUID(mt->formattype, wmv::guids::kFormatWaveFormatEx));
            WAVEFORMATEX wf;
            memcpy(&wf, mt->pbFormat, sizeof(wf));
            EXPECT_EQ(wf.wFormatTag, expected[i].code);
            EXPECT_EQ(wf.nChannels, 2);
            EXPECT_EQ(wf.nSamplesPerSec, 44100u);
            EXPECT_EQ(mt->cbFormat, 18u + wf.cbSize);
            EXPECT_GT(wf.cbSize, 0);
        }
        props->Release();
        config->Release();
    }
    profile->Release();
    reader->Release();
}

TEST(MetadataEditor, OpenExReadsMarkersThroughHeaderInfo3)
{
    IWMMetadataEditor* editor = nullptr;
    ASSERT_EQ(Runtime().createEditor(&editor), S_OK);
    IWMMetadataEditor2* editor2 = nullptr;
    ASSERT_EQ(editor->QueryInterface(kIidIWMMetadataEditor2, reinterpret_cast<void**>(&editor2)),
              S_OK);
    EXPECT_EQ(editor2->OpenEx(MediaPath(L"no-such-file.wmv").c_str(), GENERIC_READ,
                              FILE_SHARE_READ), NS_E_FILE_NOT_FOUND);
    ASSERT_EQ(editor2->OpenEx(MediaPath(L"sample.wmv").c_str(), GENERIC_READ, FILE_SHARE_READ),
              S_OK);
    IWMHeaderInfo3* info = nullptr;
    ASSERT_EQ(editor2->QueryInterface(IID_IWMHeaderInfo3, reinterpret_cast<void**>(&info)), S_OK);
    WORD markers = 0;
    EXPECT_EQ(info->GetMarkerCount(&markers), S_OK);
    EXPECT_EQ(markers, 5);
    EXPECT_EQ(info->AddMarker(const_cast<WCHAR*>(L"x"), 0), NS_E_INVALID_REQUEST);
    EXPECT_EQ(editor2->Close(), S_OK);
    EXPECT_EQ(info->GetMarkerCount(&markers), NS_E_INVALID_REQUEST);
    EXPECT_EQ(editor2->Close(), NS_E_INVALID_REQUEST);
    info->Release();
    editor2->Release();
    EXPECT_EQ(editor->Release(), 0u);
}

}  // namespace
}  // namespace orvane::test
