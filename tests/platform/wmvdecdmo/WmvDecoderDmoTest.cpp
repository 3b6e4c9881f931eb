// The WMV decoder DMO driven as the DMO wrapper filter drives it: its pictures equal native
// ffmpeg's frame by frame (checksums written at build time), the type negotiation, the
// aggregation the wrapper needs, flushing, and damaged or refused input. Also that the prefix
// serves the system decoder's class with it.
#include <windows.h>
#include <mediaobj.h>
extern "C" {
#include <dmort.h>
}
#include <dmo.h>
#include <amvideo.h>
#include <dvdmedia.h>
#include <uuids.h>
#include <wincrypt.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/framework/CComPtr.h"
#include "tests/support/TestEnv.h"
#include "tests/platform/wmvdecdmo/TestMediaBuffer.h"
#include "platform/wmvcore/asf/AsfDemuxer.h"
#include "platform/wmvcore/asf/AsfMemorySource.h"

namespace {

using orvane::asf::AsfDemuxer;
using orvane::asf::AsfError;
using orvane::asf::AsfMemorySource;
using orvane::asf::AsfSample;

// The class of the system's WMV decoder DMO.
const CLSID kWmvDecoderClass = {
    0x82d353df, 0x90bd, 0x4382, {0x8b, 0xc2, 0x3f, 0x61, 0x92, 0xb7, 0x6e, 0x34}};

using GetClassObjectFn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);

std::wstring DmoPath()
{
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring dir(exe);
    dir.resize(dir.find_last_of(L'\\'));
    // tests/bin -> bin/wine
    return dir + L"\\..\\..\\bin\\wine\\wmvdecdmo.dll";
}

// The class object straight from the DLL, whatever the registry says.
CComPtr<IClassFactory> Factory()
{
    static HMODULE module = LoadLibraryW(DmoPath().c_str());
    CComPtr<IClassFactory> factory;
    if (module == nullptr) {
        return factory;
    }
    auto get = reinterpret_cast<GetClassObjectFn>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    if (get != nullptr) {
        get(kWmvDecoderClass, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    }
    return factory;
}

CComPtr<IMediaObject> NewDecoder()
{
    CComPtr<IMediaObject> dmo;
    CComPtr<IClassFactory> factory = Factory();
    if (factory) {
        factory->CreateInstance(nullptr, IID_IMediaObject, reinterpret_cast<void**>(&dmo));
    }
    return dmo;
}

std::vector<uint8_t> ReadBytes(const std::wstring& path)
{
    std::vector<uint8_t> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return bytes;
    }
    bytes.resize(GetFileSize(file, nullptr));
    DWORD got = 0;
    if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) {
        got = 0;
    }
    bytes.resize(got);
    CloseHandle(file);
    return bytes;
}

constexpr DWORD FourCc(const char (&text)[5])
{
    return static_cast<DWORD>(static_cast<BYTE>(text[0])) |
           (static_cast<DWORD>(static_cast<BYTE>(text[1])) << 8) |
           (static_cast<DWORD>(static_cast<BYTE>(text[2])) << 16) |
           (static_cast<DWORD>(static_cast<BYTE>(text[3])) << 24);
}

constexpr GUID SubtypeOf(DWORD fourcc)
{
    return GUID{fourcc, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
}

// The input type as the engine's splitter gives it: a VIDEOINFOHEADER whose biSize counts
// the codec's private data behind the bitmap header.
struct InputType {
    DMO_MEDIA_TYPE type{};
    InputType(DWORD fourcc, int width, int height, const std::vector<uint8_t>& extra)
    {
        const DWORD size = static_cast<DWORD>(sizeof(VIDEOINFOHEADER) + extra.size());
        MoInitMediaType(&type, size);
        type.majortype = MEDIATYPE_Video;
        type.subtype = SubtypeOf(fourcc);
        type.bTemporalCompression = TRUE;
        type.formattype = FORMAT_VideoInfo;
        memset(type.pbFormat, 0, size);
        auto* info = reinterpret_cast<VIDEOINFOHEADER*>(type.pbFormat);
        info->AvgTimePerFrame = 666666;
        info->bmiHeader.biSize = static_cast<DWORD>(sizeof(BITMAPINFOHEADER) + extra.size());
        info->bmiHeader.biWidth = width;
        info->bmiHeader.biHeight = height;
        info->bmiHeader.biPlanes = 1;
        info->bmiHeader.biBitCount = 24;
        info->bmiHeader.biCompression = fourcc;
        if (!extra.empty()) {
            memcpy(type.pbFormat + sizeof(VIDEOINFOHEADER), extra.data(), extra.size());
        }
    }
    // From the stream's header in the file.
    explicit InputType(const std::vector<uint8_t>& bitmapInfo)
    {
        const DWORD size = static_cast<DWORD>(offsetof(VIDEOINFOHEADER, bmiHeader) +
                                              bitmapInfo.size());
        MoInitMediaType(&type, size);
        type.majortype = MEDIATYPE_Video;
        BITMAPINFOHEADER header{};
        memcpy(&header, bitmapInfo.data(), sizeof header);
        type.subtype = SubtypeOf(header.biCompression);
        type.formattype = FORMAT_VideoInfo;
        memset(type.pbFormat, 0, size);
        memcpy(type.pbFormat + offsetof(VIDEOINFOHEADER, bmiHeader), bitmapInfo.data(),
               bitmapInfo.size());
    }
    ~InputType() { MoFreeMediaType(&type); }
    InputType(const InputType&) = delete;
    InputType& operator=(const InputType&) = delete;
};


// Sets the output type of the given subtype from the decoder's own list.
HRESULT SetOutput(IMediaObject* dmo, const GUID& subtype, DMO_MEDIA_TYPE* chosen = nullptr)
{
    for (DWORD i = 0;; ++i) {
        DMO_MEDIA_TYPE type{};
        HRESULT hr = dmo->GetOutputType(0, i, &type);
        if (FAILED(hr)) {
            return hr;
        }
        if (type.subtype == subtype) {
            hr = dmo->SetOutputType(0, &type, 0);
            if (chosen != nullptr) {
                MoCopyMediaType(chosen, &type);
            }
            MoFreeMediaType(&type);
            return hr;
        }
        MoFreeMediaType(&type);
    }
}

std::string Md5(const BYTE* data, DWORD length)
{
    HCRYPTPROV provider = 0;
    HCRYPTHASH hash = 0;
    std::string text;
    if (CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT) &&
        CryptCreateHash(provider, CALG_MD5, 0, 0, &hash) &&
        CryptHashData(hash, data, length, 0)) {
        BYTE digest[16];
        DWORD size = sizeof digest;
        if (CryptGetHashParam(hash, HP_HASHVAL, digest, &size, 0)) {
            char hex[3];
            for (BYTE b : digest) {
                snprintf(hex, sizeof hex, "%02x", b);
                text += hex;
            }
        }
    }
    if (hash != 0) {
        CryptDestroyHash(hash);
    }
    if (provider != 0) {
        CryptReleaseContext(provider, 0);
    }
    return text;
}

// The last field of each frame line of ffmpeg's framemd5 output.
std::vector<std::string> ReadFrameMd5(const std::wstring& path)
{
    std::vector<std::string> sums;
    std::string narrow(path.begin(), path.end());
    std::ifstream in(narrow);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const size_t comma = line.find_last_of(',');
        std::string sum = line.substr(comma + 1);
        sum.erase(0, sum.find_first_not_of(' '));
        sums.push_back(sum);
    }
    return sums;
}

struct Decoded {
    std::vector<std::string> sums;
    std::vector<REFERENCE_TIME> times;
    int refused = 0;
    int notOk = 0;  // input taken with another answer than S_OK
};

// Pulls every picture the decoder has into `out`.
void Drain(IMediaObject* dmo, DWORD imageSize, Decoded* out)
{
    for (;;) {
        CComPtr<TestMediaBuffer> buffer;
        buffer.Attach(TestMediaBuffer::Create(imageSize));
        DMO_OUTPUT_DATA_BUFFER data{};
        data.pBuffer = buffer;
        DWORD status = 0;
        const HRESULT hr = dmo->ProcessOutput(0, 1, &data, &status);
        if (hr != S_OK) {
            return;
        }
        if (buffer->Length() > 0) {
            out->sums.push_back(Md5(buffer->Data(), buffer->Length()));
            out->times.push_back((data.dwStatus & DMO_OUTPUT_DATA_BUFFERF_TIME) != 0
                                     ? data.rtTimestamp
                                     : -1);
        }
        if ((data.dwStatus & DMO_OUTPUT_DATA_BUFFERF_INCOMPLETE) == 0) {
            return;
        }
    }
}

// Decodes one video stream of a file to I420 as the wrapper would: input, then output while
// there is any, and at the end a discontinuity to drain what is held back. Times are the
// file's less `origin`, as a splitter stamps them after a seek to that position.
Decoded DecodeStream(const wchar_t* file, int videoIndex, bool damage = false,
                     REFERENCE_TIME origin = 0)
{
    Decoded result;
    AsfMemorySource source(ReadBytes(orvane::test::MediaPath(file)));
    AsfDemuxer demuxer;
    if (demuxer.Open(&source) != AsfError::kOk) {
        ADD_FAILURE() << "cannot read the file";
        return result;
    }
    const orvane::asf::AsfStream* stream = nullptr;
    int seen = 0;
    for (const auto& s : demuxer.Header().streams) {
        const bool video = !s.bitmapInfo.empty();
        demuxer.SetStreamEnabled(s.number, false);
        if (video && seen++ == videoIndex) {
            stream = &s;
        }
    }
    if (stream == nullptr) {
        ADD_FAILURE() << "no such video stream";
        return result;
    }
    demuxer.SetStreamEnabled(stream->number, true);
    CComPtr<IMediaObject> dmo = NewDecoder();
    InputType input(stream->bitmapInfo);
    EXPECT_EQ(dmo->SetInputType(0, &input.type, 0), S_OK);
    EXPECT_EQ(SetOutput(dmo, MEDIASUBTYPE_IYUV), S_OK);
    DWORD imageSize = 0;
    DWORD alignment = 0;
    EXPECT_EQ(dmo->GetOutputSizeInfo(0, &imageSize, &alignment), S_OK);
    AsfSample sample;
    int index = 0;
    while (demuxer.Next(&sample) == AsfError::kOk) {
        if (damage && index++ == 10) {
            // Garbage in place of a frame.
            for (size_t i = 0; i < sample.data.size(); ++i) {
                sample.data[i] = static_cast<uint8_t>(i * 37 + 11);
            }
        }
        CComPtr<TestMediaBuffer> buffer;
        buffer.Attach(TestMediaBuffer::Create(sample.data));
        const HRESULT hr =
            dmo->ProcessInput(0, buffer, DMO_INPUT_DATA_BUFFERF_TIME |
                                             (sample.keyFrame ? DMO_INPUT_DATA_BUFFERF_SYNCPOINT : 0),
                              static_cast<REFERENCE_TIME>(sample.time) - origin, 0);
        if (FAILED(hr)) {
            ++result.refused;
            continue;
        }
        result.notOk += hr != S_OK ? 1 : 0;
        Drain(dmo, imageSize, &result);
    }
    EXPECT_EQ(dmo->Discontinuity(0), S_OK);
    Drain(dmo, imageSize, &result);
    return result;
}

struct ChecksumCase {
    const wchar_t* file;
    int videoIndex;
    const wchar_t* sums;
};

TEST(WmvDecoderDmo, PicturesEqualNativeFfmpegFrameByFrame)
{
    const ChecksumCase cases[] = {
        {L"codec-wmv1.wmv", 0, L"codec-wmv1.framemd5"},
        {L"one-video.wmv", 0, L"one-video.framemd5"},
        {L"sample.wmv", 1, L"sample-screen.framemd5"},
    };
    for (const ChecksumCase& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.file, c.file + wcslen(c.file)));
        const std::vector<std::string> expected =
            ReadFrameMd5(orvane::test::MediaPath(c.sums));
        ASSERT_GT(expected.size(), 10u);
        const Decoded decoded = DecodeStream(c.file, c.videoIndex);
        EXPECT_EQ(decoded.refused, 0);
        ASSERT_EQ(decoded.sums.size(), expected.size());
        int differing = 0;
        for (size_t i = 0; i < expected.size(); ++i) {
            differing += decoded.sums[i] != expected[i] ? 1 : 0;
        }
        EXPECT_EQ(differing, 0) << "first: " << expected[0] << " got " << decoded.sums[0];
        // In presentation order, with their times.
        for (size_t i = 1; i < decoded.times.size(); ++i) {
            EXPECT_GT(decoded.times[i], decoded.times[i - 1]) << i;
        }
    }
}

TEST(WmvDecoderDmo, DamagedFrameIsDroppedAndTheStreamGoesOn)
{
    const std::vector<std::string> expected =
        ReadFrameMd5(orvane::test::MediaPath(L"one-video.framemd5"));
    const Decoded decoded = DecodeStream(L"one-video.wmv", 0, true);
    EXPECT_EQ(decoded.refused, 0) << "a damaged frame is no failure of the stream";
    EXPECT_EQ(decoded.notOk, 0) << "taken input answers S_OK, whether a picture came or not";
    // Pictures still come for (nearly) every frame, and the ones before the damage are exact.
    EXPECT_GE(decoded.sums.size() + 2, expected.size());
    ASSERT_GE(decoded.sums.size(), 10u);
    for (size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(decoded.sums[i], expected[i]) << i;
    }
}

// After a seek the splitter stamps the frames from the key frame before the position with
// times below zero (its preroll): they are decoded, as the pictures after them need them, but
// not given out; the first picture out is the one at the position, equal to ffmpeg's.
TEST(WmvDecoderDmo, PicturesBeforeTimeZeroAreDecodedButNotGivenOut)
{
    const std::vector<std::string> expected =
        ReadFrameMd5(orvane::test::MediaPath(L"one-video.framemd5"));
    ASSERT_GT(expected.size(), 30u);
    const Decoded whole = DecodeStream(L"one-video.wmv", 0);
    ASSERT_EQ(whole.times.size(), expected.size());
    // 15 pictures a second, a key frame every 12: the position of picture 18 is 6 after one;
    // picture 24 is a key frame itself; picture 29 the last before the next one.
    for (int position : {18, 24, 29}) {
        SCOPED_TRACE(testing::Message() << "picture " << position);
        const REFERENCE_TIME origin = whole.times[position];
        const Decoded decoded = DecodeStream(L"one-video.wmv", 0, false, origin);
        EXPECT_EQ(decoded.refused, 0);
        EXPECT_EQ(decoded.notOk, 0) << "preroll input is taken with S_OK";
        ASSERT_EQ(decoded.sums.size(), expected.size() - position);
        EXPECT_EQ(decoded.times.front(), 0);
        for (size_t i = 0; i < decoded.sums.size(); ++i) {
            EXPECT_EQ(decoded.sums[i], expected[position + i]) << i;
            EXPECT_GE(decoded.times[i], 0) << i;
        }
    }
}

TEST(WmvDecoderDmo, NegotiatesTheTypesTheGraphAsksFor)
{
    CComPtr<IMediaObject> dmo = NewDecoder();
    ASSERT_TRUE(dmo);
    DMO_MEDIA_TYPE type{};
    EXPECT_EQ(dmo->GetOutputType(0, 0, &type), DMO_E_TYPE_NOT_SET);
    EXPECT_EQ(dmo->GetInputType(1, 0, &type), DMO_E_INVALIDSTREAMINDEX);
    // The five FourCCs are offered as input types.
    std::vector<DWORD> offered;
    for (DWORD i = 0; dmo->GetInputType(0, i, &type) == S_OK; ++i) {
        offered.push_back(type.subtype.Data1);
        MoFreeMediaType(&type);
    }
    EXPECT_EQ(offered, (std::vector<DWORD>{FourCc("WMV1"), FourCc("WMV2"), FourCc("WMV3"),
                                           FourCc("WVC1"), FourCc("WMVA")}));

    InputType wmv2(FourCc("WMV2"), 320, 240, {0x50, 0x00, 0x00, 0x00});
    ASSERT_EQ(dmo->SetInputType(0, &wmv2.type, 0), S_OK);
    // Planar and RGB outputs of the input's size, as VIDEOINFOHEADERs.
    std::vector<GUID> outputs;
    for (DWORD i = 0; dmo->GetOutputType(0, i, &type) == S_OK; ++i) {
        outputs.push_back(type.subtype);
        ASSERT_EQ(type.formattype, FORMAT_VideoInfo);
        const auto* info = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
        EXPECT_EQ(info->bmiHeader.biWidth, 320);
        EXPECT_EQ(info->bmiHeader.biHeight, 240);
        EXPECT_EQ(info->bmiHeader.biSizeImage, type.lSampleSize);
        EXPECT_EQ(dmo->SetOutputType(0, &type, DMO_SET_TYPEF_TEST_ONLY), S_OK);
        MoFreeMediaType(&type);
    }
    EXPECT_EQ(outputs, (std::vector<GUID>{MEDIASUBTYPE_YV12, SubtypeOf(FourCc("I420")),
                                          MEDIASUBTYPE_IYUV, MEDIASUBTYPE_RGB32,
                                          MEDIASUBTYPE_RGB24, MEDIASUBTYPE_RGB555}));

    // Sizes: YV12 12 bits a pixel, RGB32 bottom-up four bytes.
    DMO_MEDIA_TYPE rgb{};
    ASSERT_EQ(SetOutput(dmo, MEDIASUBTYPE_RGB32, &rgb), S_OK);
    DWORD size = 0;
    DWORD alignment = 0;
    EXPECT_EQ(dmo->GetOutputSizeInfo(0, &size, &alignment), S_OK);
    EXPECT_EQ(size, 320u * 240u * 4u);
    // A wider stride (the renderer's surface) and a top-down picture are taken; another
    // height or a stride narrower than the picture are not.
    auto* info = reinterpret_cast<VIDEOINFOHEADER*>(rgb.pbFormat);
    info->bmiHeader.biWidth = 384;
    info->bmiHeader.biHeight = -240;
    EXPECT_EQ(dmo->SetOutputType(0, &rgb, DMO_SET_TYPEF_TEST_ONLY), S_OK);
    info->bmiHeader.biHeight = 200;
    EXPECT_EQ(dmo->SetOutputType(0, &rgb, 0), DMO_E_TYPE_NOT_ACCEPTED);
    info->bmiHeader.biHeight = 240;
    info->bmiHeader.biWidth = 300;
    EXPECT_EQ(dmo->SetOutputType(0, &rgb, 0), DMO_E_TYPE_NOT_ACCEPTED);
    MoFreeMediaType(&rgb);

    // Clearing the input clears the output too.
    EXPECT_EQ(dmo->SetInputType(0, nullptr, DMO_SET_TYPEF_CLEAR), S_OK);
    EXPECT_EQ(dmo->GetOutputCurrentType(0, &type), DMO_E_TYPE_NOT_SET);
}

TEST(WmvDecoderDmo, RefusesInputItCannotDecode)
{
    struct Case {
        const char* what;
        DWORD fourcc;
        int width;
        int height;
        std::vector<uint8_t> extra;
    };
    const Case cases[] = {
        {"a FourCC nobody decodes", FourCc("MP42"), 320, 240, {}},
        {"no picture size", FourCc("WMV2"), 0, 240, {0x50, 0, 0, 0}},
        {"an absurd picture size", FourCc("WMV1"), 100000, 240, {}},
        // The VC-1 decoders need their sequence header as private data.
        {"WMV3 without its sequence header", FourCc("WMV3"), 320, 240, {}},
        {"WVC1 without its sequence header", FourCc("WVC1"), 320, 240, {}},
        {"WVC1 with garbage for a sequence header", FourCc("WVC1"), 320, 240,
         {0xDE, 0xAD, 0xBE, 0xEF, 0x01, 0x02, 0x03}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CComPtr<IMediaObject> dmo = NewDecoder();
        ASSERT_TRUE(dmo);
        InputType input(c.fourcc, c.width, c.height, c.extra);
        EXPECT_EQ(dmo->SetInputType(0, &input.type, DMO_SET_TYPEF_TEST_ONLY),
                  DMO_E_TYPE_NOT_ACCEPTED);
        EXPECT_EQ(dmo->SetInputType(0, &input.type, 0), DMO_E_TYPE_NOT_ACCEPTED);
        DMO_MEDIA_TYPE current{};
        EXPECT_EQ(dmo->GetInputCurrentType(0, &current), DMO_E_TYPE_NOT_SET);
    }
    // A format block shorter than its biSize claims is read only as far as it goes.
    CComPtr<IMediaObject> dmo = NewDecoder();
    InputType truncated(FourCc("WMV2"), 320, 240, {0x50, 0, 0, 0});
    reinterpret_cast<VIDEOINFOHEADER*>(truncated.type.pbFormat)->bmiHeader.biSize = 100000;
    EXPECT_EQ(dmo->SetInputType(0, &truncated.type, 0), S_OK);
}

TEST(WmvDecoderDmo, StreamingCallsNeedTypesAndFlushDropsWhatIsHeld)
{
    CComPtr<IMediaObject> dmo = NewDecoder();
    ASSERT_TRUE(dmo);
    CComPtr<TestMediaBuffer> buffer;
    buffer.Attach(TestMediaBuffer::Create(std::vector<uint8_t>(64, 0)));
    EXPECT_EQ(dmo->ProcessInput(0, buffer, 0, 0, 0), DMO_E_TYPE_NOT_SET);
    DMO_OUTPUT_DATA_BUFFER out{};
    DWORD status = 0;
    EXPECT_EQ(dmo->ProcessOutput(0, 1, &out, &status), DMO_E_TYPE_NOT_SET);
    EXPECT_EQ(dmo->ProcessInput(0, nullptr, 0, 0, 0), E_POINTER);

    // One key frame in, and before its picture is taken, a flush (a seek) drops it.
    AsfMemorySource source(ReadBytes(orvane::test::MediaPath(L"one-video.wmv")));
    AsfDemuxer demuxer;
    ASSERT_EQ(demuxer.Open(&source), AsfError::kOk);
    const auto& stream = demuxer.Header().streams[0].bitmapInfo.empty()
                             ? demuxer.Header().streams[1]
                             : demuxer.Header().streams[0];
    InputType input(stream.bitmapInfo);
    ASSERT_EQ(dmo->SetInputType(0, &input.type, 0), S_OK);
    ASSERT_EQ(SetOutput(dmo, MEDIASUBTYPE_YV12), S_OK);
    AsfSample sample;
    do {
        ASSERT_EQ(demuxer.Next(&sample), AsfError::kOk);
    } while (sample.stream != stream.number);
    CComPtr<TestMediaBuffer> frame;
    frame.Attach(TestMediaBuffer::Create(sample.data));
    ASSERT_EQ(dmo->ProcessInput(0, frame, DMO_INPUT_DATA_BUFFERF_TIME, 5000000, 0), S_OK);
    DWORD flags = 0;
    EXPECT_EQ(dmo->GetInputStatus(0, &flags), S_OK);
    EXPECT_EQ(flags, 0u) << "a picture is waiting";
    EXPECT_EQ(dmo->ProcessInput(0, frame, 0, 0, 0), DMO_E_NOTACCEPTING);
    EXPECT_EQ(dmo->Flush(), S_OK);
    EXPECT_EQ(dmo->GetInputStatus(0, &flags), S_OK);
    EXPECT_EQ(flags, static_cast<DWORD>(DMO_INPUT_STATUSF_ACCEPT_DATA));
    CComPtr<TestMediaBuffer> picture;
    picture.Attach(TestMediaBuffer::Create(320 * 240 * 2));
    out.pBuffer = picture;
    EXPECT_EQ(dmo->ProcessOutput(0, 1, &out, &status), S_FALSE);
    // After the flush the same frame decodes again, with its time; a buffer too small for
    // the picture is refused without losing it.
    ASSERT_EQ(dmo->ProcessInput(0, frame, DMO_INPUT_DATA_BUFFERF_TIME, 5000000, 0), S_OK);
    CComPtr<TestMediaBuffer> small;
    small.Attach(TestMediaBuffer::Create(1000));
    out.pBuffer = small;
    EXPECT_EQ(dmo->ProcessOutput(0, 1, &out, &status), E_INVALIDARG);
    out.pBuffer = picture;
    EXPECT_EQ(dmo->ProcessOutput(0, 1, &out, &status), S_OK);
    EXPECT_EQ(picture->Length(), 320u * 240u * 3u / 2u);
    EXPECT_NE(out.dwStatus & DMO_OUTPUT_DATA_BUFFERF_TIME, 0u);
    EXPECT_EQ(out.rtTimestamp, 5000000);
}

// An outer object that counts the references the inner one forwards to it.
class Outer : public IUnknown {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown) {
            *ppv = this;
            AddRef();
            return S_OK;
        }
        return inner ? inner->QueryInterface(riid, ppv) : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++refs); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--refs); }
    IUnknown* inner = nullptr;
    long refs = 1;
};

TEST(WmvDecoderDmo, CanBeAggregatedAsTheWrapperFilterDoes)
{
    CComPtr<IClassFactory> factory = Factory();
    ASSERT_TRUE(factory);
    Outer outer;
    void* object = nullptr;
    EXPECT_EQ(factory->CreateInstance(&outer, IID_IMediaObject, &object),
              CLASS_E_NOAGGREGATION);
    ASSERT_EQ(factory->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&outer.inner)),
              S_OK);
    IMediaObject* dmo = nullptr;
    ASSERT_EQ(outer.inner->QueryInterface(IID_IMediaObject, reinterpret_cast<void**>(&dmo)),
              S_OK);
    // The interface's references go to the outer object.
    EXPECT_EQ(outer.refs, 2);
    IUnknown* identity = nullptr;
    ASSERT_EQ(dmo->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
    EXPECT_EQ(identity, static_cast<IUnknown*>(&outer));
    identity->Release();
    dmo->Release();
    EXPECT_EQ(outer.refs, 1);
    EXPECT_EQ(outer.inner->Release(), 0u);
}

// The scripts register the stand-in in the prefix in place of Wine's decoder.
TEST(WmvDecoderDmo, ThePrefixServesTheSystemDecoderClassWithIt)
{
    CComPtr<IMediaObject> dmo;
    ASSERT_EQ(CoCreateInstance(kWmvDecoderClass, nullptr, CLSCTX_INPROC_SERVER,
                               IID_IMediaObject, reinterpret_cast<void**>(&dmo)),
              S_OK);
    InputType wmv2(FourCc("WMV2"), 320, 240, {0x50, 0x00, 0x00, 0x00});
    ASSERT_EQ(dmo->SetInputType(0, &wmv2.type, 0), S_OK);
    DMO_MEDIA_TYPE type{};
    EXPECT_EQ(dmo->GetOutputType(0, 0, &type), S_OK) << "an output type is offered";
    MoFreeMediaType(&type);
    EXPECT_NE(GetModuleHandleW(L"wmvdecdmo.dll"), nullptr);
    wchar_t name[80] = {};
    EXPECT_EQ(DMOGetName(kWmvDecoderClass, name), S_OK);
}

}  // namespace
