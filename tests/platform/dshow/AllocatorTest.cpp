// CMemAllocator and CMediaSample: property negotiation, commit/decommit, the blocking
// GetBuffer, deferred freeing, lifetime while samples are out, and sample properties.
#include <gtest/gtest.h>

#include "platform/dshow/streams.h"

#include "tests/platform/dshow/TestMediaTypes.h"

namespace {

// An allocator with one reference, released at the end of the scope.
struct Allocator {
    Allocator()
    {
        HRESULT hr = S_OK;
        auto* object = new CMemAllocator(L"test allocator", nullptr, &hr);
        object->NonDelegatingQueryInterface(IID_IMemAllocator, reinterpret_cast<void**>(&p));
    }
    ~Allocator()
    {
        if (p) {
            p->Release();
        }
    }
    HRESULT Set(LONG count, LONG size, LONG align = 1, LONG prefix = 0)
    {
        ALLOCATOR_PROPERTIES request{count, size, align, prefix};
        ALLOCATOR_PROPERTIES actual{};
        return p->SetProperties(&request, &actual);
    }
    IMemAllocator* p = nullptr;
};

struct GetBufferCall {
    IMemAllocator* allocator;
    IMediaSample* sample = nullptr;
    HRESULT hr = E_PENDING;
    HANDLE thread = nullptr;

    static DWORD WINAPI Run(LPVOID pv)
    {
        auto* call = static_cast<GetBufferCall*>(pv);
        call->hr = call->allocator->GetBuffer(&call->sample, nullptr, nullptr, 0);
        return 0;
    }
    void Start() { thread = CreateThread(nullptr, 0, Run, this, 0, nullptr); }
    bool FinishesWithin(DWORD ms) { return WaitForSingleObject(thread, ms) == WAIT_OBJECT_0; }
    ~GetBufferCall()
    {
        if (thread) {
            WaitForSingleObject(thread, 5000);
            CloseHandle(thread);
        }
        if (sample) {
            sample->Release();
        }
    }
};

struct PropertiesCase {
    const char* name;
    ALLOCATOR_PROPERTIES request;
    HRESULT hr;
    ALLOCATOR_PROPERTIES actual;
};

const PropertiesCase kPropertiesCases[] = {
    {"plain", {4, 100, 1, 0}, S_OK, {4, 100, 1, 0}},
    {"alignment 0 means 1", {4, 100, 0, 0}, S_OK, {4, 100, 1, 0}},
    {"size rounded to alignment", {4, 100, 16, 0}, S_OK, {4, 112, 16, 0}},
    {"prefix counts in the rounding", {4, 100, 16, 8}, S_OK, {4, 104, 16, 8}},
    {"alignment not a power of two", {4, 100, 3, 0}, VFW_E_BADALIGN, {}},
    {"negative count", {-1, 100, 1, 0}, E_INVALIDARG, {}},
    {"negative prefix", {1, 100, 1, -4}, E_INVALIDARG, {}},
    {"absurd size", {1, 0x7FFFFFF0, 1, 0}, E_INVALIDARG, {}},
};

TEST(Allocator, SetPropertiesTable)
{
    for (const PropertiesCase& c : kPropertiesCases) {
        Allocator allocator;
        ALLOCATOR_PROPERTIES request = c.request;
        ALLOCATOR_PROPERTIES actual{};
        EXPECT_EQ(allocator.p->SetProperties(&request, &actual), c.hr) << c.name;
        if (c.hr == S_OK) {
            EXPECT_EQ(actual.cBuffers, c.actual.cBuffers) << c.name;
            EXPECT_EQ(actual.cbBuffer, c.actual.cbBuffer) << c.name;
            EXPECT_EQ(actual.cbAlign, c.actual.cbAlign) << c.name;
            EXPECT_EQ(actual.cbPrefix, c.actual.cbPrefix) << c.name;
        }
    }
}

TEST(Allocator, StateErrors)
{
    Allocator allocator;
    IMediaSample* sample = nullptr;
    EXPECT_EQ(allocator.p->Commit(), VFW_E_SIZENOTSET);
    EXPECT_EQ(allocator.p->GetBuffer(&sample, nullptr, nullptr, 0), VFW_E_NOT_COMMITTED);
    EXPECT_EQ(sample, nullptr);
    ASSERT_EQ(allocator.Set(2, 64), S_OK);
    ASSERT_EQ(allocator.p->Commit(), S_OK);
    EXPECT_EQ(allocator.Set(2, 128), VFW_E_ALREADY_COMMITTED);
    ASSERT_EQ(allocator.p->GetBuffer(&sample, nullptr, nullptr, 0), S_OK);
    ASSERT_EQ(allocator.p->Decommit(), S_OK);
    EXPECT_EQ(allocator.Set(2, 128), VFW_E_BUFFERS_OUTSTANDING);
    sample->Release();
    EXPECT_EQ(allocator.Set(2, 128), S_OK);
    EXPECT_EQ(allocator.p->Commit(), S_OK);
    ASSERT_EQ(allocator.p->GetBuffer(&sample, nullptr, nullptr, 0), S_OK);
    EXPECT_EQ(sample->GetSize(), 128);
    sample->Release();
}

TEST(Allocator, BuffersAreAlignedAndDistinct)
{
    Allocator allocator;
    ASSERT_EQ(allocator.Set(3, 100, 64, 16), S_OK);
    ASSERT_EQ(allocator.p->Commit(), S_OK);
    IMediaSample* samples[3] = {};
    BYTE* pointers[3] = {};
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(allocator.p->GetBuffer(&samples[i], nullptr, nullptr, 0), S_OK);
        ASSERT_EQ(samples[i]->GetPointer(&pointers[i]), S_OK);
        EXPECT_EQ((reinterpret_cast<UINT_PTR>(pointers[i]) - 16) % 64, 0u)
            << "the prefix starts on the alignment";
        EXPECT_GE(samples[i]->GetSize(), 100);
        pointers[i][-16] = 1;  // the prefix is ours to write
    }
    EXPECT_NE(pointers[0], pointers[1]);
    EXPECT_NE(pointers[1], pointers[2]);
    for (IMediaSample* sample : samples) {
        sample->Release();
    }
}

TEST(Allocator, GetBufferBlocksUntilASampleReturns)
{
    Allocator allocator;
    ASSERT_EQ(allocator.Set(1, 16), S_OK);
    ASSERT_EQ(allocator.p->Commit(), S_OK);
    IMediaSample* first = nullptr;
    ASSERT_EQ(allocator.p->GetBuffer(&first, nullptr, nullptr, 0), S_OK);

    IMediaSample* none = nullptr;
    EXPECT_EQ(allocator.p->GetBuffer(&none, nullptr, nullptr, AM_GBF_NOWAIT), VFW_E_TIMEOUT);

    GetBufferCall call{allocator.p};
    call.Start();
    EXPECT_FALSE(call.FinishesWithin(100)) << "still blocked after 100 ms";
    first->Release();
    ASSERT_TRUE(call.FinishesWithin(1000)) << "finished within 1 s";
    EXPECT_EQ(call.hr, S_OK);
    EXPECT_EQ(call.sample, first) << "the one buffer came back";
}

TEST(Allocator, DecommitWakesWaiters)
{
    Allocator allocator;
    ASSERT_EQ(allocator.Set(1, 16), S_OK);
    ASSERT_EQ(allocator.p->Commit(), S_OK);
    IMediaSample* first = nullptr;
    ASSERT_EQ(allocator.p->GetBuffer(&first, nullptr, nullptr, 0), S_OK);
    GetBufferCall a{allocator.p};
    GetBufferCall b{allocator.p};
    a.Start();
    b.Start();
    EXPECT_FALSE(a.FinishesWithin(100));
    ASSERT_EQ(allocator.p->Decommit(), S_OK);
    ASSERT_TRUE(a.FinishesWithin(1000));
    ASSERT_TRUE(b.FinishesWithin(1000));
    EXPECT_EQ(a.hr, VFW_E_NOT_COMMITTED);
    EXPECT_EQ(b.hr, VFW_E_NOT_COMMITTED);
    // The outstanding sample stays usable after the decommit.
    BYTE* data = nullptr;
    ASSERT_EQ(first->GetPointer(&data), S_OK);
    data[0] = 0x5A;
    first->Release();
}

TEST(Allocator, OutstandingSamplesKeepThePoolAlive)
{
    const LONG before = CBaseObject::ObjectsActive();
    IMediaSample* sample = nullptr;
    {
        Allocator allocator;
        ASSERT_EQ(allocator.Set(2, 32), S_OK);
        ASSERT_EQ(allocator.p->Commit(), S_OK);
        ASSERT_EQ(allocator.p->GetBuffer(&sample, nullptr, nullptr, 0), S_OK);
        allocator.p->Decommit();
    }
    EXPECT_EQ(CBaseObject::ObjectsActive(), before + 1) << "the sample holds the allocator";
    BYTE* data = nullptr;
    ASSERT_EQ(sample->GetPointer(&data), S_OK);
    data[31] = 1;
    EXPECT_EQ(sample->Release(), 0u);
    EXPECT_EQ(CBaseObject::ObjectsActive(), before);
}

struct TimeCase {
    const char* name;
    bool setStart;
    bool setStop;
    HRESULT hr;
    REFERENCE_TIME start;
    REFERENCE_TIME stop;
};

const TimeCase kTimeCases[] = {
    {"no times", false, false, VFW_E_SAMPLE_TIME_NOT_SET, 0, 0},
    {"start only", true, false, VFW_S_NO_STOP_TIME, 1000, 1001},
    {"start and stop", true, true, S_OK, 1000, 5000},
};

TEST(MediaSample, TimesTable)
{
    Allocator allocator;
    ASSERT_EQ(allocator.Set(1, 16), S_OK);
    ASSERT_EQ(allocator.p->Commit(), S_OK);
    for (const TimeCase& c : kTimeCases) {
        IMediaSample* sample = nullptr;
        ASSERT_EQ(allocator.p->GetBuffer(&sample, nullptr, nullptr, 0), S_OK);
        REFERENCE_TIME start = 1000;
        REFERENCE_TIME stop = 5000;
        if (c.setStart) {
            sample->SetTime(&start, c.setStop ? &stop : nullptr);
        }
        REFERENCE_TIME gotStart = -1;
        REFERENCE_TIME gotStop = -1;
        EXPECT_EQ(sample->GetTime(&gotStart, &gotStop), c.hr) << c.name;
        if (SUCCEEDED(c.hr)) {
            EXPECT_EQ(gotStart, c.start) << c.name;
            EXPECT_EQ(gotStop, c.stop) << c.name;
        }
        sample->Release();
    }
}

TEST(MediaSample, PropertiesAndReuse)
{
    Allocator allocator;
    ASSERT_EQ(allocator.Set(1, 16), S_OK);
    ASSERT_EQ(allocator.p->Commit(), S_OK);
    REFERENCE_TIME start = 10;
    REFERENCE_TIME stop = 20;
    IMediaSample* sample = nullptr;
    ASSERT_EQ(allocator.p->GetBuffer(&sample, &start, &stop, 0), S_OK);
    REFERENCE_TIME a = 0;
    REFERENCE_TIME b = 0;
    EXPECT_EQ(sample->GetTime(&a, &b), S_OK) << "GetBuffer stamps the given times";
    EXPECT_EQ(a, 10);

    EXPECT_EQ(sample->SetActualDataLength(17), VFW_E_BUFFER_OVERFLOW);
    EXPECT_EQ(sample->SetActualDataLength(-1), VFW_E_BUFFER_OVERFLOW);
    EXPECT_EQ(sample->SetActualDataLength(16), S_OK);
    LONGLONG m0 = 0;
    LONGLONG m1 = 0;
    EXPECT_EQ(sample->GetMediaTime(&m0, &m1), VFW_E_MEDIA_TIME_NOT_SET);
    m0 = 4000;
    m1 = 8000;
    EXPECT_EQ(sample->SetMediaTime(&m0, &m1), S_OK);
    EXPECT_EQ(sample->IsSyncPoint(), S_FALSE);
    sample->SetSyncPoint(TRUE);
    sample->SetPreroll(TRUE);
    sample->SetDiscontinuity(TRUE);
    EXPECT_EQ(sample->IsSyncPoint(), S_OK);
    EXPECT_EQ(sample->IsPreroll(), S_OK);
    EXPECT_EQ(sample->IsDiscontinuity(), S_OK);

    AM_MEDIA_TYPE* type = nullptr;
    EXPECT_EQ(sample->GetMediaType(&type), S_FALSE);
    CMediaType pcm = dshowtest::MakePcmType(8000, 1, 16);
    ASSERT_EQ(sample->SetMediaType(&pcm), S_OK);
    ASSERT_EQ(sample->GetMediaType(&type), S_OK);
    EXPECT_TRUE(CMediaType(*type) == pcm);
    DeleteMediaType(type);

    IMediaSample2* sample2 = nullptr;
    ASSERT_EQ(sample->QueryInterface(IID_IMediaSample2, reinterpret_cast<void**>(&sample2)), S_OK);
    AM_SAMPLE2_PROPERTIES props{};
    ASSERT_EQ(sample2->GetProperties(sizeof(props), reinterpret_cast<BYTE*>(&props)), S_OK);
    EXPECT_EQ(props.lActual, 16);
    EXPECT_EQ(props.tStart, 10);
    EXPECT_EQ(props.tStop, 20);
    EXPECT_TRUE(props.dwSampleFlags & AM_SAMPLE_SPLICEPOINT);
    EXPECT_TRUE(props.dwSampleFlags & AM_SAMPLE_TYPECHANGED);
    EXPECT_NE(props.pMediaType, nullptr);
    props.cbData = sizeof(props);
    props.lActual = 99;
    EXPECT_EQ(sample2->SetProperties(sizeof(props), reinterpret_cast<BYTE*>(&props)),
              VFW_E_BUFFER_OVERFLOW);
    sample2->Release();
    sample->Release();

    // The same buffer handed out again carries nothing of its last trip.
    ASSERT_EQ(allocator.p->GetBuffer(&sample, nullptr, nullptr, 0), S_OK);
    EXPECT_EQ(sample->IsSyncPoint(), S_FALSE);
    EXPECT_EQ(sample->IsDiscontinuity(), S_FALSE);
    EXPECT_EQ(sample->GetTime(&a, &b), VFW_E_SAMPLE_TIME_NOT_SET);
    EXPECT_EQ(sample->GetMediaTime(&m0, &m1), VFW_E_MEDIA_TIME_NOT_SET);
    EXPECT_EQ(sample->GetMediaType(&type), S_FALSE);
    sample->Release();
}

}  // namespace
