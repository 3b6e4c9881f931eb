// Test source pin: pushes a PCM ramp (channel 0 = frame index, channel 1 its complement) with
// times relative to the seek position, on a CAMThread worker.
#include "tests/platform/dshow/TestSourcePin.h"

#include <cstring>

#include "tests/platform/dshow/TestMediaTypes.h"
#include "tests/platform/dshow/TestSourceFilter.h"

TestSourcePin::TestSourcePin(TestSourceFilter* pFilter, CCritSec* pLock, HRESULT* phr,
                             const CMediaType& type, LONG bufferBytes, int bufferCount,
                             int poolBuffers)
    : CBaseOutputPin(L"Test source pin", pFilter, pLock, phr, L"Out"), CAMThread(phr),
      m_type(type), m_bufferBytes(bufferBytes), m_bufferCount(bufferCount),
      m_poolBuffers(poolBuffers)
{
}

TestSourcePin::~TestSourcePin()
{
    Close();
}

STDMETHODIMP TestSourcePin::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IMediaSeeking) {
        return GetInterface(static_cast<IMediaSeeking*>(this), ppv);
    }
    return CBaseOutputPin::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP_(ULONG) TestSourcePin::NonDelegatingAddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_cRef));
}

STDMETHODIMP_(ULONG) TestSourcePin::NonDelegatingRelease()
{
    const LONG count = InterlockedDecrement(&m_cRef);
    if (count == 0) {
        delete this;
    }
    return static_cast<ULONG>(count);
}

HRESULT TestSourcePin::CheckMediaType(const CMediaType* pmt)
{
    return *pmt == m_type ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT TestSourcePin::GetMediaType(int iPosition, CMediaType* pMediaType)
{
    if (iPosition < 0) {
        return E_INVALIDARG;
    }
    if (iPosition > 0) {
        return VFW_S_NO_MORE_ITEMS;
    }
    return pMediaType->Set(m_type);
}

HRESULT TestSourcePin::DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pProp)
{
    ALLOCATOR_PROPERTIES request = *pProp;
    request.cBuffers = request.cBuffers > m_poolBuffers ? request.cBuffers : m_poolBuffers;
    request.cbBuffer = request.cbBuffer > m_bufferBytes ? request.cbBuffer : m_bufferBytes;
    ALLOCATOR_PROPERTIES actual{};
    const HRESULT hr = pAlloc->SetProperties(&request, &actual);
    if (FAILED(hr)) {
        return hr;
    }
    return actual.cbBuffer < m_bufferBytes ? E_FAIL : S_OK;
}

REFERENCE_TIME TestSourcePin::BufferDuration() const
{
    const WAVEFORMATEX* format = dshowtest::Wave(m_type);
    return static_cast<REFERENCE_TIME>(m_bufferBytes) * 10000000 / format->nAvgBytesPerSec;
}

HRESULT TestSourcePin::Active()
{
    HRESULT hr = CBaseOutputPin::Active();
    if (FAILED(hr)) {
        return hr;
    }
    {
        CAutoLock lock(&m_seekLock);
        m_nextBuffer = m_firstBuffer;
        m_newSegment = true;
    }
    if (!Create()) {
        return E_FAIL;
    }
    return static_cast<HRESULT>(CallWorker(kRun));
}

HRESULT TestSourcePin::Inactive()
{
    // Decommitting first fails a GetDeliveryBuffer the worker may be blocked in.
    const HRESULT hr = CBaseOutputPin::Inactive();
    if (ThreadExists()) {
        CallWorker(kExit);
        Close();
    }
    return hr;
}

DWORD TestSourcePin::ThreadProc()
{
    for (;;) {
        const DWORD command = GetRequest();
        Reply(S_OK);
        if (command == kExit) {
            return 0;
        }
        if (command == kRun) {
            Push();
        }
    }
}

HRESULT TestSourcePin::FillBuffer(IMediaSample* pSample, int index)
{
    BYTE* data = nullptr;
    HRESULT hr = pSample->GetPointer(&data);
    if (FAILED(hr)) {
        return hr;
    }
    const WAVEFORMATEX* format = dshowtest::Wave(m_type);
    const LONG frames = m_bufferBytes / format->nBlockAlign;
    const LONGLONG firstFrame = static_cast<LONGLONG>(index) * frames;
    for (LONG f = 0; f < frames; ++f) {
        BYTE* frame = data + f * format->nBlockAlign;
        if (format->wBitsPerSample == 16) {
            const short value = dshowtest::SourceValue(firstFrame + f);
            std::memcpy(frame, &value, sizeof(value));
            if (format->nChannels > 1) {
                const short other = static_cast<short>(~value);
                std::memcpy(frame + 2, &other, sizeof(other));
            }
        } else {
            std::memset(frame, static_cast<int>((firstFrame + f) & 0xFF), format->nBlockAlign);
        }
    }
    hr = pSample->SetActualDataLength(m_bufferBytes);
    if (FAILED(hr)) {
        return hr;
    }
    REFERENCE_TIME start = (index - m_firstBuffer) * BufferDuration();
    REFERENCE_TIME stop = start + BufferDuration();
    pSample->SetTime(&start, &stop);
    LONGLONG mediaStart = firstFrame;
    LONGLONG mediaStop = firstFrame + frames;
    pSample->SetMediaTime(&mediaStart, &mediaStop);
    pSample->SetSyncPoint(TRUE);
    pSample->SetDiscontinuity(index == m_firstBuffer);
    return S_OK;
}

void TestSourcePin::Push()
{
    bool newSegment;
    {
        CAutoLock lock(&m_seekLock);
        newSegment = m_newSegment;
        m_newSegment = false;
    }
    if (newSegment) {
        DeliverNewSegment(m_firstBuffer * BufferDuration(), m_bufferCount * BufferDuration(), 1.0);
    }
    while (!CheckRequest(nullptr)) {
        if (m_nextBuffer >= m_bufferCount) {
            DeliverEndOfStream();
            return;
        }
        IMediaSample* sample = nullptr;
        if (FAILED(GetDeliveryBuffer(&sample, nullptr, nullptr, 0))) {
            return;
        }
        HRESULT hr = FillBuffer(sample, m_nextBuffer);
        if (SUCCEEDED(hr)) {
            hr = Deliver(sample);
        }
        sample->Release();
        ++m_nextBuffer;
        // S_FALSE: downstream flushes or stops; wait for the next command.
        if (hr != S_OK) {
            return;
        }
    }
}

STDMETHODIMP TestSourcePin::GetCapabilities(DWORD* pCapabilities)
{
    if (!pCapabilities) {
        return E_POINTER;
    }
    *pCapabilities = AM_SEEKING_CanSeekAbsolute | AM_SEEKING_CanSeekForwards |
                     AM_SEEKING_CanSeekBackwards | AM_SEEKING_CanGetDuration |
                     AM_SEEKING_CanGetStopPos;
    return S_OK;
}

STDMETHODIMP TestSourcePin::CheckCapabilities(DWORD* pCapabilities)
{
    if (!pCapabilities) {
        return E_POINTER;
    }
    DWORD mine = 0;
    GetCapabilities(&mine);
    return (*pCapabilities & ~mine) ? S_FALSE : S_OK;
}

STDMETHODIMP TestSourcePin::IsFormatSupported(const GUID* pFormat)
{
    if (!pFormat) {
        return E_POINTER;
    }
    return *pFormat == TIME_FORMAT_MEDIA_TIME ? S_OK : S_FALSE;
}

STDMETHODIMP TestSourcePin::QueryPreferredFormat(GUID* pFormat)
{
    if (!pFormat) {
        return E_POINTER;
    }
    *pFormat = TIME_FORMAT_MEDIA_TIME;
    return S_OK;
}

STDMETHODIMP TestSourcePin::GetTimeFormat(GUID* pFormat)
{
    return QueryPreferredFormat(pFormat);
}

STDMETHODIMP TestSourcePin::IsUsingTimeFormat(const GUID* pFormat)
{
    return IsFormatSupported(pFormat);
}

STDMETHODIMP TestSourcePin::SetTimeFormat(const GUID* pFormat)
{
    if (!pFormat) {
        return E_POINTER;
    }
    return *pFormat == TIME_FORMAT_MEDIA_TIME ? S_OK : E_INVALIDARG;
}

STDMETHODIMP TestSourcePin::GetDuration(LONGLONG* pDuration)
{
    if (!pDuration) {
        return E_POINTER;
    }
    *pDuration = m_bufferCount * BufferDuration();
    return S_OK;
}

STDMETHODIMP TestSourcePin::GetStopPosition(LONGLONG* pStop)
{
    return GetDuration(pStop);
}

STDMETHODIMP TestSourcePin::GetCurrentPosition(LONGLONG*)
{
    return E_NOTIMPL;
}

STDMETHODIMP TestSourcePin::ConvertTimeFormat(LONGLONG* pTarget, const GUID* pTargetFormat,
                                              LONGLONG Source, const GUID* pSourceFormat)
{
    if (!pTarget) {
        return E_POINTER;
    }
    if ((pTargetFormat && *pTargetFormat != TIME_FORMAT_MEDIA_TIME) ||
        (pSourceFormat && *pSourceFormat != TIME_FORMAT_MEDIA_TIME)) {
        return E_INVALIDARG;
    }
    *pTarget = Source;
    return S_OK;
}

STDMETHODIMP TestSourcePin::SetPositions(LONGLONG* pCurrent, DWORD dwCurrentFlags,
                                         LONGLONG* pStop, DWORD)
{
    const DWORD positioning = dwCurrentFlags & AM_SEEKING_PositioningBitsMask;
    if (!pCurrent || positioning == AM_SEEKING_NoPositioning) {
        return S_OK;
    }
    REFERENCE_TIME target = *pCurrent;
    if (positioning == AM_SEEKING_RelativePositioning) {
        target += m_firstBuffer * BufferDuration();
    }
    int first = static_cast<int>(target / BufferDuration());
    first = first < 0 ? 0 : (first > m_bufferCount ? m_bufferCount : first);
    InterlockedIncrement(&m_seekCount);

    const bool running = ThreadExists();
    if (running) {
        DeliverBeginFlush();
        CallWorker(kStop);
        DeliverEndFlush();
    }
    {
        CAutoLock lock(&m_seekLock);
        m_firstBuffer = first;
        m_nextBuffer = first;
        m_newSegment = true;
    }
    if (dwCurrentFlags & AM_SEEKING_ReturnTime) {
        *pCurrent = first * BufferDuration();
    }
    if (pStop) {
        GetDuration(pStop);
    }
    if (running) {
        CallWorker(kRun);
    }
    return S_OK;
}

STDMETHODIMP TestSourcePin::GetPositions(LONGLONG* pCurrent, LONGLONG* pStop)
{
    if (pCurrent) {
        *pCurrent = m_firstBuffer * BufferDuration();
    }
    if (pStop) {
        GetDuration(pStop);
    }
    return S_OK;
}

STDMETHODIMP TestSourcePin::GetAvailable(LONGLONG* pEarliest, LONGLONG* pLatest)
{
    if (pEarliest) {
        *pEarliest = 0;
    }
    if (pLatest) {
        GetDuration(pLatest);
    }
    return S_OK;
}

STDMETHODIMP TestSourcePin::SetRate(double dRate)
{
    return dRate == 1.0 ? S_OK : E_INVALIDARG;
}

STDMETHODIMP TestSourcePin::GetRate(double* pdRate)
{
    if (!pdRate) {
        return E_POINTER;
    }
    *pdRate = 1.0;
    return S_OK;
}

STDMETHODIMP TestSourcePin::GetPreroll(LONGLONG* pllPreroll)
{
    if (!pllPreroll) {
        return E_POINTER;
    }
    *pllPreroll = 0;
    return S_OK;
}
