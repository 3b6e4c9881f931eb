// The presentation stream over the player's callbacks: positions, reads, sizes, clones and
// the one-time failure report to the owning filter's graph.
#include "video/splitter/CWMFileStream.h"
#include "video/splitter/QvrGraphEvent.h"
#include "tests/video/splitter/TestFileCallbacks.h"
#include "tests/video/splitter/TestSinkFilter.h"

#include <gtest/gtest.h>

#include <control.h>
#include <uuids.h>
#include <vfwmsgs.h>

namespace {

struct StreamRig {
    READER_CB_PARAMS context;
    CWMFileStream* stream = nullptr;

    explicit StreamRig(size_t bytes, CBaseFilter* owner = nullptr)
    {
        context.memory.resize(bytes);
        for (size_t i = 0; i < bytes; ++i) {
            context.memory[i] = static_cast<BYTE>(i);
        }
        stream = new CWMFileStream(owner, L"talk.wmv", &context, 0, TestRead, TestSeek);
    }
    ~StreamRig() { stream->Release(); }
    ULONGLONG Seek(LONGLONG move, DWORD origin, HRESULT* hr)
    {
        LARGE_INTEGER m;
        m.QuadPart = move;
        ULARGE_INTEGER now{};
        *hr = stream->Seek(m, origin, &now);
        return now.QuadPart;
    }
};

TEST(FileStream, ReadAfterSeekPositionsTheFileFirst)
{
    StreamRig rig(1000);
    HRESULT hr = E_FAIL;
    rig.Seek(100, STREAM_SEEK_SET, &hr);
    ASSERT_EQ(hr, S_OK);
    EXPECT_TRUE(rig.context.seeks.empty()) << "a seek from the start must not touch the file";
    BYTE buffer[40] = {};
    ULONG got = 0;
    ASSERT_EQ(rig.stream->Read(buffer, 40, &got), S_OK);
    EXPECT_EQ(got, 40u);
    EXPECT_EQ(buffer[0], 100);
    ASSERT_EQ(rig.context.seeks.size(), 1u);
    EXPECT_EQ(rig.context.seeks[0].first, 100);
    EXPECT_EQ(rig.context.seeks[0].second, static_cast<DWORD>(FILE_BEGIN));
    EXPECT_EQ(rig.Seek(0, STREAM_SEEK_CUR, &hr), 140u);
}

TEST(FileStream, SeekTable)
{
    struct Case {
        LONGLONG first;
        DWORD firstOrigin;
        LONGLONG move;
        DWORD origin;
        HRESULT result;
        ULONGLONG position;
    };
    const Case cases[] = {
        {0, STREAM_SEEK_SET, -8, STREAM_SEEK_END, S_OK, 992},
        {0, STREAM_SEEK_SET, 0, STREAM_SEEK_END, S_OK, 1000},
        {300, STREAM_SEEK_SET, -100, STREAM_SEEK_CUR, S_OK, 200},
        {300, STREAM_SEEK_SET, 5, 3, E_INVALIDARG, 300},
        // A position below 0 is refused and the old one kept.
        {0, STREAM_SEEK_SET, -1, STREAM_SEEK_SET, STG_E_INVALIDFUNCTION, 0},
        {300, STREAM_SEEK_SET, -301, STREAM_SEEK_CUR, STG_E_INVALIDFUNCTION, 300},
        {0, STREAM_SEEK_SET, -1001, STREAM_SEEK_END, STG_E_INVALIDFUNCTION, 0},
    };
    for (const Case& c : cases) {
        StreamRig rig(1000);
        HRESULT hr = E_FAIL;
        rig.Seek(c.first, c.firstOrigin, &hr);
        ASSERT_EQ(hr, S_OK);
        rig.Seek(c.move, c.origin, &hr);
        EXPECT_EQ(hr, c.result) << c.move << " origin " << c.origin;
        EXPECT_EQ(rig.Seek(0, STREAM_SEEK_CUR, &hr), c.position) << c.move;
    }
}

TEST(FileStream, ShortReadIsPassedOn)
{
    StreamRig rig(50);
    HRESULT hr = E_FAIL;
    rig.Seek(30, STREAM_SEEK_SET, &hr);
    BYTE buffer[64];
    ULONG got = 0;
    EXPECT_EQ(rig.stream->Read(buffer, 64, &got), S_OK);
    EXPECT_EQ(got, 20u);
    EXPECT_EQ(rig.Seek(0, STREAM_SEEK_CUR, &hr), 50u);
}

TEST(FileStream, StatGivesTheSizeAndKeepsThePosition)
{
    StreamRig rig(1234);
    HRESULT hr = E_FAIL;
    rig.Seek(10, STREAM_SEEK_SET, &hr);
    STATSTG stat;
    memset(&stat, 0xCC, sizeof(stat));
    ASSERT_EQ(rig.stream->Stat(&stat, STATFLAG_DEFAULT), S_OK);
    EXPECT_EQ(stat.type, static_cast<DWORD>(STGTY_STREAM));
    EXPECT_EQ(stat.cbSize.QuadPart, 1234u);
    EXPECT_EQ(stat.pwcsName, nullptr);
    EXPECT_EQ(rig.Seek(0, STREAM_SEEK_CUR, &hr), 10u);
}

TEST(FileStream, EmptyFileIsTooShort)
{
    StreamRig rig(0);
    STATSTG stat{};
    EXPECT_EQ(rig.stream->Stat(&stat, STATFLAG_DEFAULT), VFW_E_FILE_TOO_SHORT);
    HRESULT hr = E_FAIL;
    rig.Seek(0, STREAM_SEEK_END, &hr);
    EXPECT_EQ(hr, VFW_E_FILE_TOO_SHORT);
    EXPECT_TRUE(rig.stream->ErrorText().empty()) << "no owner filter: nothing is reported";
}

TEST(FileStream, CloneStartsAtTheSamePosition)
{
    StreamRig rig(1000);
    BYTE buffer[500];
    ULONG got = 0;
    ASSERT_EQ(rig.stream->Read(buffer, 500, &got), S_OK);
    IStream* clone = nullptr;
    ASSERT_EQ(rig.stream->Clone(&clone), S_OK);
    ASSERT_NE(clone, nullptr);
    LARGE_INTEGER zero{};
    ULARGE_INTEGER now{};
    EXPECT_EQ(clone->Seek(zero, STREAM_SEEK_CUR, &now), S_OK);
    EXPECT_EQ(now.QuadPart, 500u);
    BYTE one = 0;
    ASSERT_EQ(clone->Read(&one, 1, &got), S_OK);
    EXPECT_EQ(one, static_cast<BYTE>(500 & 0xFF));
    clone->Release();
}

TEST(FileStream, InterfacesAndUnsupportedOperations)
{
    StreamRig rig(10);
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(rig.stream->QueryInterface(IID_IStorage, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    ASSERT_EQ(rig.stream->QueryInterface(IID_ISequentialStream, &out), S_OK);
    static_cast<IUnknown*>(out)->Release();
    ULONG written = 0;
    EXPECT_EQ(rig.stream->Write("x", 1, &written), E_NOTIMPL);
    EXPECT_EQ(rig.stream->Commit(0), E_NOTIMPL);
    EXPECT_EQ(rig.stream->Revert(), E_NOTIMPL);
}

// Collects the engine's graph events from a filter graph's queue.
std::vector<std::pair<LONG_PTR, std::wstring>> EngineEvents(IMediaEventEx* events)
{
    std::vector<std::pair<LONG_PTR, std::wstring>> found;
    long code = 0;
    LONG_PTR p1 = 0;
    LONG_PTR p2 = 0;
    while (events->GetEvent(&code, &p1, &p2, 0) == S_OK) {
        if (code == QVR_ERROR_DS_EVENT) {
            found.emplace_back(p1, reinterpret_cast<const wchar_t*>(p2));
        }
        events->FreeEventParams(code, p1, p2);
    }
    return found;
}

TEST(FileStream, FirstFailureIsRaisedOnceInTheGraph)
{
    IGraphBuilder* graph = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                               IID_IGraphBuilder, reinterpret_cast<void**>(&graph)),
              S_OK);
    TestSinkFilter* owner = new TestSinkFilter();
    owner->AddRef();
    ASSERT_EQ(graph->AddFilter(owner, L"owner"), S_OK);
    IMediaEventEx* events = nullptr;
    ASSERT_EQ(graph->QueryInterface(IID_IMediaEventEx, reinterpret_cast<void**>(&events)), S_OK);
    {
        StreamRig rig(0, owner);
        STATSTG stat{};
        EXPECT_EQ(rig.stream->Stat(&stat, STATFLAG_DEFAULT), VFW_E_FILE_TOO_SHORT);
        rig.context.readFailure = E_ACCESSDENIED;
        BYTE b = 0;
        ULONG got = 0;
        EXPECT_EQ(rig.stream->Read(&b, 1, &got), E_ACCESSDENIED);
        const auto found = EngineEvents(events);
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(static_cast<HRESULT>(found[0].first), VFW_E_FILE_TOO_SHORT);
        EXPECT_NE(found[0].second.find(L"Unable to read file \"talk.wmv\""), std::wstring::npos)
            << found[0].second;
        EXPECT_EQ(rig.stream->ErrorText(), found[0].second);
    }
    events->Release();
    graph->Release();
    owner->Release();
}

}  // namespace
