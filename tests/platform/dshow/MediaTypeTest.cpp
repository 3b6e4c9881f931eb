// CMediaType and the AM_MEDIA_TYPE helpers: deep copies, equality, format blocks, partial
// matches and the reference the type holds on its pUnk.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/dshow/streams.h"

#include "tests/platform/dshow/TestMediaTypes.h"

namespace {

using dshowtest::MakePcmType;

struct EqualityCase {
    const char* name;
    void (*change)(CMediaType&);
    bool equal;
};

const EqualityCase kEqualityCases[] = {
    {"identical", [](CMediaType&) {}, true},
    {"major type", [](CMediaType& t) { t.SetType(&MEDIATYPE_Video); }, false},
    {"subtype", [](CMediaType& t) { t.SetSubtype(&MEDIASUBTYPE_RGB24); }, false},
    {"format type", [](CMediaType& t) { t.SetFormatType(&FORMAT_VideoInfo); }, false},
    {"format byte",
     [](CMediaType& t) { reinterpret_cast<WAVEFORMATEX*>(t.Format())->nChannels = 1; }, false},
    {"format length", [](CMediaType& t) { t.ReallocFormatBuffer(t.FormatLength() + 2); }, false},
    {"no format", [](CMediaType& t) { t.ResetFormatBuffer(); }, false},
    // Sample size and temporal compression are not part of type identity.
    {"sample size", [](CMediaType& t) { t.SetSampleSize(77); }, true},
    {"temporal compression", [](CMediaType& t) { t.SetTemporalCompression(TRUE); }, true},
};

TEST(MediaType, EqualityTable)
{
    for (const EqualityCase& c : kEqualityCases) {
        const CMediaType base = MakePcmType(44100, 2, 16);
        CMediaType other(base);
        c.change(other);
        EXPECT_EQ(base == other, c.equal ? TRUE : FALSE) << c.name;
        EXPECT_EQ(base != other, c.equal ? FALSE : TRUE) << c.name;
    }
}

TEST(MediaType, CopyOwnsItsFormatBlock)
{
    CMediaType original = MakePcmType(8000, 1, 8);
    CMediaType copy(original);
    ASSERT_NE(copy.Format(), original.Format());
    ASSERT_EQ(copy.FormatLength(), sizeof(WAVEFORMATEX));
    reinterpret_cast<WAVEFORMATEX*>(copy.Format())->nSamplesPerSec = 11025;
    EXPECT_EQ(dshowtest::Wave(original)->nSamplesPerSec, 8000u);

    CMediaType assigned;
    assigned = original;
    EXPECT_TRUE(assigned == original);
    assigned = assigned;  // self-assignment keeps the block
    EXPECT_TRUE(assigned == original);
    EXPECT_EQ(assigned.Set(copy), S_OK);
    EXPECT_EQ(dshowtest::Wave(assigned)->nSamplesPerSec, 11025u);
}

TEST(MediaType, ReallocFormatBufferKeepsContents)
{
    CMediaType type = MakePcmType(22050, 2, 16);
    BYTE* grown = type.ReallocFormatBuffer(sizeof(WAVEFORMATEX) + 8);
    ASSERT_NE(grown, nullptr);
    EXPECT_EQ(dshowtest::Wave(type)->nSamplesPerSec, 22050u);
    EXPECT_EQ(grown[sizeof(WAVEFORMATEX)], 0) << "new bytes are zeroed";
    EXPECT_EQ(type.ReallocFormatBuffer(0), nullptr);
    EXPECT_EQ(type.FormatLength(), 0u);
    EXPECT_FALSE(type.SetFormat(nullptr, 4)) << "a length without data is refused";
}

TEST(MediaType, PartialMatchTable)
{
    const CMediaType full = MakePcmType(44100, 2, 16);
    struct Case {
        const char* name;
        CMediaType partial;
        bool matches;
    };
    CMediaType anyAudio(&MEDIATYPE_Audio);
    CMediaType anyVideo(&MEDIATYPE_Video);
    CMediaType pcm;
    pcm.SetSubtype(&MEDIASUBTYPE_PCM);
    CMediaType otherFormat = MakePcmType(48000, 2, 16);
    const Case cases[] = {
        {"empty", CMediaType(), true},
        {"audio", anyAudio, true},
        {"video", anyVideo, false},
        {"subtype only", pcm, true},
        {"same full type", full, true},
        {"other format bytes", otherFormat, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(full.MatchesPartial(&c.partial), c.matches ? TRUE : FALSE) << c.name;
    }
    EXPECT_TRUE(anyAudio.IsPartiallySpecified());
    EXPECT_FALSE(full.IsPartiallySpecified());
}

TEST(MediaType, FreeFunctionsHandleOwnership)
{
    const CMediaType type = MakePcmType(44100, 2, 16);
    AM_MEDIA_TYPE* created = CreateMediaType(&type);
    ASSERT_NE(created, nullptr);
    EXPECT_NE(created->pbFormat, type.pbFormat);
    EXPECT_EQ(std::memcmp(created->pbFormat, type.pbFormat, type.cbFormat), 0);
    DeleteMediaType(created);
    DeleteMediaType(nullptr);
    EXPECT_EQ(CreateMediaType(nullptr), nullptr);
    EXPECT_EQ(CopyMediaType(nullptr, &type), E_POINTER);

    AM_MEDIA_TYPE plain{};
    ASSERT_EQ(CopyMediaType(&plain, &type), S_OK);
    FreeMediaType(plain);
    EXPECT_EQ(plain.pbFormat, nullptr);
    EXPECT_EQ(plain.cbFormat, 0u);
}

TEST(MediaType, CopiesCountTheirUnknown)
{
    HRESULT hr = S_OK;
    auto* allocator = new CMemAllocator(L"unk holder", nullptr, &hr);
    IUnknown* unk = nullptr;
    ASSERT_EQ(allocator->NonDelegatingQueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unk)),
              S_OK);
    {
        CMediaType type = MakePcmType(8000, 1, 16);
        type.pUnk = unk;
        unk->AddRef();
        CMediaType copy(type);
        EXPECT_EQ(unk->AddRef(), 4u) << "ours, the type's and the copy's";
        unk->Release();
    }
    EXPECT_EQ(unk->Release(), 0u) << "both types released their references";
}

}  // namespace
