// The network splitter's output pin.
#include "video/splitter/CWMNetOutputPin.h"

#include "video/splitter/OutputQueueRestart.h"

#include "video/splitter/CWMNetSplitterFlt.h"
#include "video/DXVideoFunc.h"
#include "video/EngineGlobals.h"
#include "video/EngineText.h"

#include <uuids.h>
#include <vfwmsgs.h>

#include <new>

namespace {

long Clamp(long value, long low, long high)
{
    return value < low ? low : (value > high ? high : value);
}

}  // namespace

CWMNetOutputPin::CWMNetOutputPin(CCritSec* lock, CWMNetSplitterFlt* ownerFilter,
                                 const wchar_t* name)
    : CBaseOutputPin(L"CWMNetOutputPin", ownerFilter, lock, nullptr, name),
      m_ownerFilter(ownerFilter)
{
}

CWMNetOutputPin::~CWMNetOutputPin()
{
    delete m_outputQueue;
}

STDMETHODIMP_(ULONG) CWMNetOutputPin::NonDelegatingAddRef()
{
    const LONG count = InterlockedIncrement(&m_cRef);
    if (count == 2) {
        m_ownerFilter->AddRef();  // somebody besides the filter holds the pin now
    }
    return static_cast<ULONG>(count);
}

STDMETHODIMP_(ULONG) CWMNetOutputPin::NonDelegatingRelease()
{
    CWMNetSplitterFlt* filter = m_ownerFilter;
    const LONG count = InterlockedDecrement(&m_cRef);
    if (count == 0) {
        delete this;
    } else if (count == 1) {
        filter->Release();  // may destroy the filter, which then releases this pin
    }
    return static_cast<ULONG>(count);
}

long CWMNetOutputPin::BufferCount(const AM_MEDIA_TYPE& type, long requested)
{
    if (type.majortype == MEDIATYPE_Video) {
        double fps = DXVideoFunc::FrameRateOf(type);
        if (!(fps > 0)) {
            fps = 25;
        }
        return Clamp(static_cast<long>(fps * 15 > 100000 ? 100000 : fps * 15), 32, 512);
    }
    if (type.majortype == MEDIATYPE_Audio) {
        return 75;
    }
    return Clamp(requested, 32, 512);
}

HRESULT CWMNetOutputPin::DecideBufferSize(IMemAllocator* allocator,
                                          ALLOCATOR_PROPERTIES* request)
{
    // Small to begin with: the largest sample is not known before it arrives, and the filter
    // grows the buffers then.
    ALLOCATOR_PROPERTIES wanted = *request;
    wanted.cbBuffer = kInitialBufferBytes;
    wanted.cBuffers = BufferCount(streamType, request->cBuffers);
    if (wanted.cbAlign <= 0) {
        wanted.cbAlign = 1;
    }
    LOG_INFO(FormatText(L"DecideBufferSize(%i): %i, %i bytes", static_cast<int>(streamNumber),
                        static_cast<int>(wanted.cBuffers), static_cast<int>(wanted.cbBuffer)));
    ALLOCATOR_PROPERTIES actual = {};
    return allocator->SetProperties(&wanted, &actual);
}

HRESULT CWMNetOutputPin::Active()
{
    m_firstSample = TRUE;
    if (!IsConnected()) {
        return S_OK;
    }
    HRESULT hr = CBaseOutputPin::Active();
    if (FAILED(hr)) {
        return hr;
    }
    return RestartOutputQueue(m_outputQueue, GetConnected(), TRUE, FALSE, 1);
}

HRESULT CWMNetOutputPin::Inactive()
{
    // Decommitting the allocator first wakes a push waiting for a buffer.
    const HRESULT hr = CBaseOutputPin::Inactive();
    COutputQueue* queue = m_outputQueue;
    m_outputQueue = nullptr;
    delete queue;
    return hr;
}

HRESULT CWMNetOutputPin::CheckMediaType(const CMediaType* type)
{
    if (type == nullptr) {
        return E_POINTER;
    }
    return *type == streamType ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CWMNetOutputPin::GetMediaType(int position, CMediaType* type)
{
    if (position != 0) {
        return VFW_S_NO_MORE_ITEMS;
    }
    return type->Set(streamType);
}

HRESULT CWMNetOutputPin::Deliver(IMediaSample* sample)
{
    COutputQueue* queue = m_outputQueue;
    if (queue == nullptr) {
        return S_FALSE;
    }
    sample->AddRef();  // the queue releases it after sending
    return queue->Receive(sample);
}

HRESULT CWMNetOutputPin::DeliverEndOfStream()
{
    if (m_outputQueue != nullptr) {
        m_outputQueue->EOS();
    }
    return S_OK;
}

HRESULT CWMNetOutputPin::DeliverBeginFlush()
{
    if (m_outputQueue != nullptr) {
        m_outputQueue->BeginFlush();
    }
    return S_OK;
}

HRESULT CWMNetOutputPin::DeliverEndFlush()
{
    if (m_outputQueue != nullptr) {
        m_outputQueue->EndFlush();
    }
    return S_OK;
}

HRESULT CWMNetOutputPin::DeliverSample(DWORD readerFlags, IMediaSample* sample,
                                       LONGLONG startTime)
{
    if (startTime < 0) {
        sample->SetPreroll(TRUE);
    }
    if (readerFlags & WM_SF_CLEANPOINT) {
        sample->SetSyncPoint(TRUE);
    }
    if (m_firstSample) {
        m_firstSample = FALSE;
    } else if (streamType.majortype == MEDIATYPE_Audio) {
        readerFlags &= ~static_cast<DWORD>(WM_SF_DISCONTINUITY);
    }
    if (readerFlags & (WM_SF_DISCONTINUITY | WM_SF_DATALOSS)) {
        sample->SetDiscontinuity(TRUE);
    }
    const HRESULT hr = Deliver(sample);
    if (m_outputQueue != nullptr) {
        m_outputQueue->SendAnyway();
    }
    return hr;
}

HRESULT CWMNetOutputPin::GetConnectionAllocator(IMemAllocator** out)
{
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = m_pAllocator;
    if (m_pAllocator == nullptr) {
        return VFW_E_NO_ALLOCATOR;
    }
    m_pAllocator->AddRef();
    return S_OK;
}
