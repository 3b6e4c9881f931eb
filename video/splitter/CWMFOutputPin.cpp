// The splitter's output pin: buffer pool, sample marking, output queue and seeking.
#include "video/splitter/CWMFOutputPin.h"

#include "video/splitter/OutputQueueRestart.h"

#include "video/splitter/CWMFSplitterFlt.h"
#include "video/DXVideoFunc.h"
#include "video/EngineGlobals.h"
#include "video/EngineText.h"

#include <uuids.h>
#include <vfwmsgs.h>

#include <new>

namespace {

constexpr DWORD kSeekingCaps = AM_SEEKING_CanSeekAbsolute | AM_SEEKING_CanSeekForwards |
                               AM_SEEKING_CanSeekBackwards | AM_SEEKING_CanGetStopPos |
                               AM_SEEKING_CanGetDuration;
// The pool of one pin never takes more than this, however large its samples are.
constexpr LONGLONG kMaxPoolBytes = 64LL * 1024 * 1024;
// Buffer size when the file does not tell its largest sample: buffers of 0 bytes could never
// be committed, so the stream would not play at all.
constexpr DWORD kUnknownSampleSize = 512 * 1024;

long Clamp(long value, long low, long high)
{
    return value < low ? low : (value > high ? high : value);
}

}  // namespace

CWMFOutputPin::CWMFOutputPin(CCritSec* lock, CWMFSplitterFlt* ownerFilter, const wchar_t* name)
    : CBaseOutputPin(L"CWMFOutputPin", ownerFilter, lock, nullptr, name),
      m_ownerFilter(ownerFilter)
{
}

CWMFOutputPin::~CWMFOutputPin()
{
    delete m_outputQueue;
}

STDMETHODIMP CWMFOutputPin::NonDelegatingQueryInterface(REFIID iid, void** out)
{
    if (out == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IMediaSeeking) {
        return GetInterface(static_cast<IMediaSeeking*>(this), out);
    }
    return CBaseOutputPin::NonDelegatingQueryInterface(iid, out);
}

STDMETHODIMP_(ULONG) CWMFOutputPin::NonDelegatingAddRef()
{
    const LONG count = InterlockedIncrement(&m_cRef);
    if (count == 2) {
        m_ownerFilter->AddRef();  // somebody besides the filter holds the pin now
    }
    return static_cast<ULONG>(count);
}

STDMETHODIMP_(ULONG) CWMFOutputPin::NonDelegatingRelease()
{
    CWMFSplitterFlt* filter = m_ownerFilter;
    const LONG count = InterlockedDecrement(&m_cRef);
    if (count == 0) {
        delete this;
    } else if (count == 1) {
        // Refcounting base: the pin's last outside reference was the filter's. This may
        // destroy the filter, which then releases this pin: no member use.
        filter->Release();
    }
    return static_cast<ULONG>(count);
}

long CWMFOutputPin::BufferCount(const AM_MEDIA_TYPE& type, DWORD maxSampleSize, long requested)
{
    long count = 0;
    if (type.majortype == MEDIATYPE_Video) {
        double fps = DXVideoFunc::FrameRateOf(type);
        if (!(fps > 0)) {
            fps = 25;
        }
        count = Clamp(static_cast<long>(fps * 15 > 100000 ? 100000 : fps * 15), 32, 512);
    } else if (type.majortype == MEDIATYPE_Audio) {
        const WAVEFORMATEX* format = DXVideoFunc::WaveFormatOf(type);
        long n = 32;
        if (maxSampleSize > 0 && format != nullptr) {
            n = static_cast<long>(static_cast<LONGLONG>(format->nAvgBytesPerSec) * 15 /
                                  static_cast<LONGLONG>(maxSampleSize));
        }
        count = Clamp(n, 75, 512);
    } else {
        count = Clamp(requested, 32, 512);
    }
    if (maxSampleSize > 0 && static_cast<LONGLONG>(count) * maxSampleSize > kMaxPoolBytes) {
        count = static_cast<long>(kMaxPoolBytes / maxSampleSize);
        if (count < 2) {
            count = 2;
        }
    }
    return count;
}

HRESULT CWMFOutputPin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    ALLOCATOR_PROPERTIES wanted = *request;
    const DWORD size = m_maxSampleSize > 0 ? m_maxSampleSize : kUnknownSampleSize;
    wanted.cbBuffer = static_cast<long>(size);
    wanted.cBuffers = BufferCount(m_streamType, size, request->cBuffers);
    ALLOCATOR_PROPERTIES actual = {};
    const HRESULT hr = allocator->SetProperties(&wanted, &actual);
    if (FAILED(hr)) {
        LOG_UNEXPECTED_HR(hr, L"SetProperties");
    }
    if (m_ownerFilter->LogDetails()) {
        LOG_INFO(FormatText(L"DecideBufferSize(%i): %i, %i bytes", m_streamNumber,
                            static_cast<int>(actual.cBuffers), static_cast<int>(actual.cbBuffer)));
    }
    return hr;
}

HRESULT CWMFOutputPin::Active()
{
    m_newSegmentPending = TRUE;
    m_firstSample = TRUE;
    if (!IsConnected()) {
        return S_OK;
    }
    HRESULT hr = CBaseOutputPin::Active();
    if (FAILED(hr)) {
        return hr;
    }
    return RestartOutputQueue(m_outputQueue, GetConnected(), FALSE, TRUE, 10);
}

HRESULT CWMFOutputPin::Inactive()
{
    const HRESULT hr = CBaseOutputPin::Inactive();
    delete m_outputQueue;
    m_outputQueue = nullptr;
    return hr;
}

HRESULT CWMFOutputPin::CheckMediaType(const CMediaType* type)
{
    if (type == nullptr) {
        return E_POINTER;
    }
    return *type == m_streamType ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CWMFOutputPin::GetMediaType(int position, CMediaType* type)
{
    if (position != 0) {
        return VFW_S_NO_MORE_ITEMS;
    }
    return type->Set(m_streamType);
}

HRESULT CWMFOutputPin::Deliver(IMediaSample* sample)
{
    COutputQueue* queue = m_outputQueue;
    if (queue == nullptr) {
        return S_FALSE;
    }
    if (m_newSegmentPending) {
        sample->SetDiscontinuity(TRUE);
        m_newSegmentPending = FALSE;
        LONGLONG start = 0;
        LONGLONG stop = -1;
        double rate = 1.0;
        m_ownerFilter->GetPositions(&start, &stop, &rate);
        queue->NewSegment(start, stop >= 0 ? stop : 0x7FFFFFFFFFFFFFFFLL, rate);
    }
    sample->AddRef();  // the queue releases it after sending
    return queue->Receive(sample);
}

HRESULT CWMFOutputPin::DeliverEndOfStream()
{
    if (m_outputQueue != nullptr) {
        m_outputQueue->EOS();
    }
    return S_OK;
}

HRESULT CWMFOutputPin::DeliverBeginFlush()
{
    if (m_outputQueue != nullptr) {
        m_outputQueue->BeginFlush();
    }
    return S_OK;
}

HRESULT CWMFOutputPin::DeliverEndFlush()
{
    if (m_outputQueue != nullptr) {
        m_outputQueue->EndFlush();
    }
    m_newSegmentPending = TRUE;
    return S_OK;
}

STDMETHODIMP CWMFOutputPin::Notify(IBaseFilter*, Quality)
{
    return S_OK;
}

WORD CWMFOutputPin::GetStreamNumber(IWMStreamConfig** config)
{
    if (config != nullptr) {
        *config = m_streamConfig;
        if (m_streamConfig != nullptr) {
            m_streamConfig->AddRef();
        }
    }
    return m_streamNumber;
}

void CWMFOutputPin::SetStream(WORD streamNumber, IWMStreamConfig* config)
{
    m_streamNumber = streamNumber;
    m_streamConfig = config;
}

HRESULT CWMFOutputPin::SetStreamMediaType(const AM_MEDIA_TYPE& type)
{
    return m_streamType.Set(type);
}

HRESULT CWMFOutputPin::DeliverSample(DWORD readerFlags, IMediaSample* sample, LONGLONG startTime)
{
    if (startTime < 0) {
        sample->SetPreroll(TRUE);
    }
    if (readerFlags & WM_SF_CLEANPOINT) {
        sample->SetSyncPoint(TRUE);
    }
    if (m_firstSample) {
        m_firstSample = FALSE;
    } else if (IsAudio()) {
        readerFlags &= ~static_cast<DWORD>(WM_SF_DISCONTINUITY);
    }
    if (readerFlags & (WM_SF_DISCONTINUITY | WM_SF_DATALOSS)) {
        sample->SetDiscontinuity(TRUE);
    }
    const HRESULT hr = Deliver(sample);
    SendAnyway();
    return hr;
}

void CWMFOutputPin::SendAnyway()
{
    if (m_outputQueue != nullptr) {
        m_outputQueue->SendAnyway();
    }
}

STDMETHODIMP CWMFOutputPin::GetCapabilities(DWORD* capabilities)
{
    if (capabilities == nullptr) {
        return E_POINTER;
    }
    *capabilities = kSeekingCaps;
    return S_OK;
}

STDMETHODIMP CWMFOutputPin::CheckCapabilities(DWORD* capabilities)
{
    if (capabilities == nullptr) {
        return E_POINTER;
    }
    return (*capabilities & ~kSeekingCaps) != 0 ? S_FALSE : S_OK;
}

STDMETHODIMP CWMFOutputPin::IsFormatSupported(const GUID* format)
{
    if (format == nullptr) {
        return E_POINTER;
    }
    return *format == TIME_FORMAT_MEDIA_TIME ? S_OK : S_FALSE;
}

STDMETHODIMP CWMFOutputPin::QueryPreferredFormat(GUID* format)
{
    if (format == nullptr) {
        return E_POINTER;
    }
    *format = TIME_FORMAT_MEDIA_TIME;
    return S_OK;
}

STDMETHODIMP CWMFOutputPin::GetTimeFormat(GUID* format)
{
    return QueryPreferredFormat(format);
}

STDMETHODIMP CWMFOutputPin::IsUsingTimeFormat(const GUID* format)
{
    if (format == nullptr) {
        return E_POINTER;
    }
    return *format == TIME_FORMAT_MEDIA_TIME ? S_OK : S_FALSE;
}

STDMETHODIMP CWMFOutputPin::SetTimeFormat(const GUID* format)
{
    if (format == nullptr) {
        return E_POINTER;
    }
    return *format == TIME_FORMAT_MEDIA_TIME ? S_OK : E_INVALIDARG;
}

STDMETHODIMP CWMFOutputPin::GetDuration(LONGLONG* duration)
{
    if (duration == nullptr) {
        return E_POINTER;
    }
    *duration = m_ownerFilter->Duration();
    return S_OK;
}

STDMETHODIMP CWMFOutputPin::GetStopPosition(LONGLONG* stop)
{
    if (stop == nullptr) {
        return E_POINTER;
    }
    LONGLONG value = -1;
    m_ownerFilter->GetPositions(nullptr, &value, nullptr);
    *stop = value >= 0 ? value : m_ownerFilter->Duration();
    return S_OK;
}

STDMETHODIMP CWMFOutputPin::GetCurrentPosition(LONGLONG*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CWMFOutputPin::ConvertTimeFormat(LONGLONG* target, const GUID* targetFormat,
                                              LONGLONG source, const GUID* sourceFormat)
{
    if (target == nullptr) {
        return E_POINTER;
    }
    if ((targetFormat != nullptr && *targetFormat != TIME_FORMAT_MEDIA_TIME) ||
        (sourceFormat != nullptr && *sourceFormat != TIME_FORMAT_MEDIA_TIME)) {
        return E_INVALIDARG;
    }
    *target = source;
    return S_OK;
}

STDMETHODIMP CWMFOutputPin::SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop,
                                         DWORD stopFlags)
{
    if (current == nullptr && stop == nullptr) {
        return S_OK;
    }
    const DWORD c = currentFlags & AM_SEEKING_PositioningBitsMask;
    const DWORD s = stopFlags & AM_SEEKING_PositioningBitsMask;
    if (c == 0 && s == 0) {
        return S_OK;
    }
    LONGLONG start = 0;
    LONGLONG oldStop = -1;
    m_ownerFilter->GetPositions(&start, &oldStop, nullptr);
    LONGLONG newStart = start;
    if (current != nullptr) {
        if (c == AM_SEEKING_AbsolutePositioning) {
            newStart = *current;
        } else if (c == AM_SEEKING_RelativePositioning) {
            newStart = start + *current;
        }
    }
    LONGLONG newStop = oldStop;
    if (stop != nullptr) {
        if (s == AM_SEEKING_AbsolutePositioning) {
            newStop = *stop;
        } else if (s == AM_SEEKING_IncrementalPositioning) {
            newStop = newStart + *stop;
        } else if (s == AM_SEEKING_RelativePositioning) {
            newStop = (oldStop >= 0 ? oldStop : m_ownerFilter->Duration()) + *stop;
        }
    }
    if (c != 0 && current != nullptr) {
        return m_ownerFilter->SetPositions(this, newStart, newStop);
    }
    if (s != 0 && stop != nullptr) {
        m_ownerFilter->SetStopPosition(newStop);
        return S_OK;
    }
    return S_FALSE;
}

STDMETHODIMP CWMFOutputPin::GetPositions(LONGLONG* current, LONGLONG* stop)
{
    if (current == nullptr || stop == nullptr) {
        return E_POINTER;
    }
    m_ownerFilter->GetPositions(current, nullptr, nullptr);
    return GetStopPosition(stop);
}

STDMETHODIMP CWMFOutputPin::GetAvailable(LONGLONG* earliest, LONGLONG* latest)
{
    if (earliest != nullptr) {
        *earliest = 0;
    }
    if (latest != nullptr) {
        *latest = m_ownerFilter->Duration();
    }
    return S_OK;
}

STDMETHODIMP CWMFOutputPin::SetRate(double rate)
{
    return m_ownerFilter->SetRate(rate);
}

STDMETHODIMP CWMFOutputPin::GetRate(double* rate)
{
    if (rate == nullptr) {
        return E_POINTER;
    }
    m_ownerFilter->GetPositions(nullptr, nullptr, rate);
    return S_OK;
}

STDMETHODIMP CWMFOutputPin::GetPreroll(LONGLONG* preroll)
{
    if (preroll == nullptr) {
        return E_POINTER;
    }
    *preroll = 0;
    return S_OK;
}
