// Filters and pins without a graph: interfaces, pin enumeration and lookup, the unconnected
// state, connection with type agreement and refusal, allocator requirements, and disconnection.
#include <gtest/gtest.h>

#include "platform/dshow/streams.h"

#include "tests/platform/dshow/TestMediaTypes.h"
#include "tests/platform/dshow/TestSinkFilter.h"
#include "tests/platform/dshow/TestSourceFilter.h"
#include "tests/platform/dshow/TestSourcePin.h"

namespace {

using dshowtest::MakePcmType;

class PinConnectionTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_before = CBaseObject::ObjectsActive();
        m_source = new TestSourceFilter(MakePcmType(8000, 2, 16), 3200, 5);
        m_source->NonDelegatingAddRef();
        m_sink = new TestSinkFilter();
        m_sink->NonDelegatingAddRef();
    }

    void TearDown() override
    {
        m_source->Stop();
        m_sink->Stop();
        m_source->Pin()->Disconnect();
        m_sink->Pin()->Disconnect();
        m_source->NonDelegatingRelease();
        m_sink->NonDelegatingRelease();
        EXPECT_EQ(CBaseObject::ObjectsActive(), m_before) << "something was left alive";
    }

    IPin* Out() { return m_source->Pin(); }
    IPin* In() { return m_sink->Pin(); }

    LONG m_before = 0;
    TestSourceFilter* m_source = nullptr;
    TestSinkFilter* m_sink = nullptr;
};

TEST_F(PinConnectionTest, FilterInterfaces)
{
    const IID* iids[] = {&IID_IBaseFilter, &IID_IMediaFilter, &IID_IPersist, &IID_IAMovieSetup,
                         &IID_IUnknown};
    for (const IID* iid : iids) {
        IUnknown* unk = nullptr;
        EXPECT_EQ(m_source->QueryInterface(*iid, reinterpret_cast<void**>(&unk)), S_OK);
        if (unk) {
            unk->Release();
        }
    }
    IUnknown* none = reinterpret_cast<IUnknown*>(1);
    EXPECT_EQ(m_source->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&none)),
              E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    IUnknown* seeking = nullptr;
    EXPECT_EQ(m_sink->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&seeking)), S_OK)
        << "renderers pass seeking upstream";
    if (seeking) {
        seeking->Release();
    }

    CLSID clsid = GUID_NULL;
    EXPECT_EQ(m_source->GetClassID(&clsid), S_OK);
    EXPECT_TRUE(clsid == CLSID_TestSource);
    FILTER_INFO info{};
    EXPECT_EQ(m_source->QueryFilterInfo(&info), S_OK);
    EXPECT_EQ(info.achName[0], L'\0');
    EXPECT_EQ(info.pGraph, nullptr);
    FILTER_STATE state = State_Running;
    EXPECT_EQ(m_source->GetState(0, &state), S_OK);
    EXPECT_EQ(state, State_Stopped);
    CRefTime now;
    EXPECT_EQ(m_source->StreamTime(now), VFW_E_NO_CLOCK);
    EXPECT_EQ(m_source->NotifyEvent(EC_COMPLETE, S_OK, 0), S_FALSE) << "no graph, no event";
}

TEST_F(PinConnectionTest, PinEnumerationAndLookup)
{
    IEnumPins* pins = nullptr;
    ASSERT_EQ(m_source->EnumPins(&pins), S_OK);
    IPin* got[2] = {};
    ULONG fetched = 0;
    EXPECT_EQ(pins->Next(2, got, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 1u);
    EXPECT_EQ(got[0], Out());
    got[0]->Release();
    EXPECT_EQ(pins->Next(2, got, nullptr), E_INVALIDARG) << "several pins need a count";
    EXPECT_EQ(pins->Reset(), S_OK);
    EXPECT_EQ(pins->Skip(1), S_OK);
    EXPECT_EQ(pins->Skip(1), S_FALSE);
    m_source->IncrementPinVersion();
    EXPECT_EQ(pins->Next(1, got, &fetched), VFW_E_ENUM_OUT_OF_SYNC);
    IEnumPins* clone = nullptr;
    EXPECT_EQ(pins->Clone(&clone), VFW_E_ENUM_OUT_OF_SYNC);
    EXPECT_EQ(pins->Reset(), S_OK);
    EXPECT_EQ(pins->Next(1, got, &fetched), S_OK);
    got[0]->Release();
    pins->Release();

    IPin* found = nullptr;
    EXPECT_EQ(m_source->FindPin(L"Out", &found), S_OK);
    EXPECT_EQ(found, Out());
    found->Release();
    EXPECT_EQ(m_source->FindPin(L"Nope", &found), VFW_E_NOT_FOUND);
    EXPECT_EQ(found, nullptr);
}

TEST_F(PinConnectionTest, UnconnectedState)
{
    IPin* peer = reinterpret_cast<IPin*>(1);
    EXPECT_EQ(Out()->ConnectedTo(&peer), VFW_E_NOT_CONNECTED);
    EXPECT_EQ(peer, nullptr);
    AM_MEDIA_TYPE type{};
    EXPECT_EQ(Out()->ConnectionMediaType(&type), VFW_E_NOT_CONNECTED);
    EXPECT_EQ(type.pbFormat, nullptr);

    PIN_INFO info{};
    ASSERT_EQ(In()->QueryPinInfo(&info), S_OK);
    EXPECT_EQ(info.dir, PINDIR_INPUT);
    EXPECT_STREQ(info.achName, L"In");
    EXPECT_EQ(info.pFilter, static_cast<IBaseFilter*>(m_sink));
    info.pFilter->Release();
    LPWSTR id = nullptr;
    ASSERT_EQ(Out()->QueryId(&id), S_OK);
    EXPECT_STREQ(id, L"Out");
    CoTaskMemFree(id);
    PIN_DIRECTION dir = PINDIR_INPUT;
    EXPECT_EQ(Out()->QueryDirection(&dir), S_OK);
    EXPECT_EQ(dir, PINDIR_OUTPUT);

    CMediaType good = MakePcmType(8000, 2, 16);
    CMediaType bad = MakePcmType(8000, 1, 8);
    EXPECT_EQ(Out()->QueryAccept(&good), S_OK);
    EXPECT_EQ(Out()->QueryAccept(&bad), S_FALSE);

    IEnumMediaTypes* types = nullptr;
    ASSERT_EQ(Out()->EnumMediaTypes(&types), S_OK);
    AM_MEDIA_TYPE* offered[2] = {};
    ULONG fetched = 0;
    EXPECT_EQ(types->Next(2, offered, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 1u);
    EXPECT_TRUE(CMediaType(*offered[0]) == good);
    DeleteMediaType(offered[0]);
    types->Release();

    EXPECT_EQ(Out()->EndOfStream(), E_UNEXPECTED) << "output pins take no stream control";
    EXPECT_EQ(Out()->BeginFlush(), E_UNEXPECTED);
    EXPECT_EQ(Out()->Disconnect(), S_FALSE);
    EXPECT_EQ(m_source->Pause(), S_OK) << "an unconnected pin is not activated";
    EXPECT_EQ(m_source->Stop(), S_OK);
}

TEST_F(PinConnectionTest, ConnectsWithAgreedTypeAndRequirements)
{
    m_sink->Pin()->SetRequirements(ALLOCATOR_PROPERTIES{6, 1000, 16, 0});
    ASSERT_EQ(Out()->Connect(In(), nullptr), S_OK);
    IPin* peer = nullptr;
    ASSERT_EQ(In()->ConnectedTo(&peer), S_OK);
    EXPECT_EQ(peer, Out());
    peer->Release();
    AM_MEDIA_TYPE type{};
    ASSERT_EQ(In()->ConnectionMediaType(&type), S_OK);
    EXPECT_TRUE(CMediaType(type) == MakePcmType(8000, 2, 16));
    FreeMediaType(type);

    IMemAllocator* allocator = m_source->Pin()->PeekAllocator();
    ASSERT_NE(allocator, nullptr);
    EXPECT_EQ(allocator, m_sink->Pin()->PeekAllocator()) << "the input pin's allocator was used";
    ALLOCATOR_PROPERTIES props{};
    allocator->GetProperties(&props);
    EXPECT_EQ(props.cBuffers, 6) << "the input pin's count wins over the source's 4";
    EXPECT_GE(props.cbBuffer, 3200);
    EXPECT_EQ(props.cbAlign, 16);

    EXPECT_EQ(Out()->Connect(In(), nullptr), VFW_E_ALREADY_CONNECTED);
    ASSERT_EQ(m_source->Pause(), S_OK);
    EXPECT_EQ(Out()->Disconnect(), VFW_E_NOT_STOPPED);
    ASSERT_EQ(m_source->Stop(), S_OK);
    EXPECT_EQ(Out()->Disconnect(), S_OK);
    EXPECT_EQ(In()->Disconnect(), S_OK);
    EXPECT_EQ(m_source->Pin()->PeekAllocator(), nullptr);
}

struct RefusalCase {
    const char* name;
    bool giveType;
    CMediaType type;
    WORD sinkChannels;
    HRESULT hr;
};

TEST_F(PinConnectionTest, RefusalTable)
{
    const RefusalCase cases[] = {
        {"source refuses the given type", true, MakePcmType(8000, 1, 8), 0,
         VFW_E_TYPE_NOT_ACCEPTED},
        {"sink refuses the only offered type", false, CMediaType(), 1, VFW_E_NO_ACCEPTABLE_TYPES},
        {"partial type that matches nothing", true, CMediaType(&MEDIATYPE_Video), 0,
         VFW_E_NO_ACCEPTABLE_TYPES},
    };
    for (const RefusalCase& c : cases) {
        m_sink->Pin()->AcceptChannels(c.sinkChannels);
        EXPECT_EQ(Out()->Connect(In(), c.giveType ? &c.type : nullptr), c.hr) << c.name;
        IPin* peer = nullptr;
        EXPECT_EQ(Out()->ConnectedTo(&peer), VFW_E_NOT_CONNECTED) << c.name;
        EXPECT_EQ(In()->ConnectedTo(&peer), VFW_E_NOT_CONNECTED) << c.name;
        EXPECT_EQ(m_source->Pin()->PeekAllocator(), nullptr) << c.name;
    }
    m_sink->Pin()->AcceptChannels(0);
    CMediaType partial(&MEDIATYPE_Audio);
    EXPECT_EQ(Out()->Connect(In(), &partial), S_OK) << "a partial type that matches connects";
}

TEST_F(PinConnectionTest, SeekingPassThroughIsAggregated)
{
    IMediaSeeking* seeking = nullptr;
    ASSERT_EQ(m_sink->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&seeking)), S_OK);
    // The aggregated object answers for the filter: same identity, same count.
    IUnknown* fromSeeking = nullptr;
    IUnknown* fromFilter = nullptr;
    ASSERT_EQ(seeking->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromSeeking)), S_OK);
    ASSERT_EQ(m_sink->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromFilter)), S_OK);
    EXPECT_EQ(fromSeeking, fromFilter);
    IBaseFilter* filter = nullptr;
    ASSERT_EQ(seeking->QueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&filter)), S_OK);
    EXPECT_EQ(filter, static_cast<IBaseFilter*>(m_sink));
    filter->Release();
    fromSeeking->Release();
    fromFilter->Release();

    LONGLONG duration = 0;
    EXPECT_EQ(seeking->GetDuration(&duration), VFW_E_NOT_CONNECTED) << "nobody upstream yet";
    ASSERT_EQ(Out()->Connect(In(), nullptr), S_OK);
    EXPECT_EQ(seeking->GetDuration(&duration), S_OK);
    EXPECT_EQ(duration, 5 * m_source->Pin()->BufferDuration());
    LONGLONG position = 2 * m_source->Pin()->BufferDuration();
    EXPECT_EQ(seeking->SetPositions(&position, AM_SEEKING_AbsolutePositioning, nullptr,
                                    AM_SEEKING_NoPositioning),
              S_OK);
    EXPECT_EQ(m_source->Pin()->SeekCount(), 1);
    LONGLONG current = 0;
    EXPECT_EQ(seeking->GetPositions(&current, nullptr), S_OK);
    EXPECT_EQ(current, position);
    EXPECT_EQ(seeking->IsFormatSupported(&TIME_FORMAT_FRAME), S_FALSE);
    seeking->Release();
}

TEST_F(PinConnectionTest, SameDirectionIsRefused)
{
    TestSourceFilter* other = new TestSourceFilter(MakePcmType(8000, 2, 16), 3200, 5);
    other->NonDelegatingAddRef();
    EXPECT_EQ(Out()->Connect(other->Pin(), nullptr), VFW_E_INVALID_DIRECTION);
    CMediaType type = MakePcmType(8000, 2, 16);
    EXPECT_EQ(Out()->ReceiveConnection(other->Pin(), &type), VFW_E_INVALID_DIRECTION);
    other->NonDelegatingRelease();
}

TEST_F(PinConnectionTest, SourcePinCountsItsOwnReferences)
{
    const LONG own = m_source->Pin()->OwnReferences();
    ULONG filterCount = m_source->AddRef();
    m_source->Release();
    Out()->AddRef();
    EXPECT_EQ(m_source->Pin()->OwnReferences(), own + 1);
    EXPECT_EQ(m_source->AddRef(), filterCount) << "the filter's count did not move";
    m_source->Release();
    Out()->Release();

    // A base pin's references are its filter's.
    filterCount = m_sink->AddRef();
    m_sink->Release();
    In()->AddRef();
    EXPECT_EQ(m_sink->AddRef(), filterCount + 1);
    m_sink->Release();
    In()->Release();
}

}  // namespace
