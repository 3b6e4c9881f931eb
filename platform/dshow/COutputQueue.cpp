// Output queue: the list holds packets (a batch of samples, an end of stream or a new segment)
// that the thread sends downstream in order; flushing empties it and waits for the thread.
#include "platform/dshow/COutputQueue.h"

#include <new>

#include "platform/dshow/CAutoLock.h"

COutputQueue::COutputQueue(IPin* pInputPin, HRESULT* phr, BOOL bAuto, BOOL bQueue,
                           LONG lBatchSize, BOOL bBatchExact, LONG, DWORD dwPriority,
                           bool)
    : m_pPin(pInputPin), m_bBatchExact(bBatchExact), m_lBatchSize(lBatchSize > 0 ? lBatchSize : 1),
      m_evWork(FALSE, phr), m_evIdle(TRUE, phr)
{
    m_evIdle.Set();
    if (!pInputPin) {
        if (phr) {
            *phr = E_POINTER;
        }
        return;
    }
    const HRESULT hr = m_pPin->QueryInterface(IID_IMemInputPin,
                                              reinterpret_cast<void**>(&m_pInputPin));
    if (FAILED(hr)) {
        if (phr) {
            *phr = hr;
        }
        return;
    }
    if (bAuto) {
        bQueue = m_pInputPin->ReceiveCanBlock() == S_OK;
    }
    if (!bQueue) {
        return;
    }
    try {
        m_Batch.reserve(static_cast<size_t>(m_lBatchSize));
    } catch (const std::bad_alloc&) {
        if (phr) {
            *phr = E_OUTOFMEMORY;
        }
        return;
    }
    DWORD id = 0;
    m_hThread.Attach(CreateThread(nullptr, 0, InitialThreadProc, this, 0, &id));
    if (!m_hThread) {
        if (phr) {
            *phr = HRESULT_FROM_WIN32(GetLastError());
        }
        return;
    }
    SetThreadPriority(m_hThread, static_cast<int>(dwPriority));
}

COutputQueue::~COutputQueue()
{
    if (m_hThread) {
        {
            CAutoLock lock(&m_csQueue);
            QueueBatch();
            m_bTerminate = TRUE;
        }
        m_evWork.Set();
        WaitForSingleObject(m_hThread, INFINITE);
        m_hThread.Close();
    }
    FreePackets(m_List);
    ReleaseSamples(m_Batch);
}

DWORD WINAPI COutputQueue::InitialThreadProc(LPVOID pv)
{
    return static_cast<COutputQueue*>(pv)->ThreadProc();
}

DWORD COutputQueue::ThreadProc()
{
    for (;;) {
        Packet packet;
        {
            CAutoLock lock(&m_csQueue);
            while (m_List.empty()) {
                if (!m_bBatchExact && !m_Batch.empty() && !m_bFlushing && QueueBatch()) {
                    break;
                }
                if (m_bTerminate) {
                    m_evIdle.Set();
                    return 0;
                }
                m_evIdle.Set();
                m_bThreadWaiting = TRUE;
                m_csQueue.Unlock();
                m_evWork.Wait();
                m_csQueue.Lock();
                m_bThreadWaiting = FALSE;
            }
            packet = std::move(m_List.front());
            m_List.pop_front();
            m_bSending = TRUE;
            m_sendingKind = packet.kind;
        }
        SendPacket(packet);
        CAutoLock lock(&m_csQueue);
        m_bSending = FALSE;
    }
}

void COutputQueue::SendPacket(Packet& packet)
{
    switch (packet.kind) {
    case Kind::Samples: {
        if (m_hr == S_OK && !m_bFlushing) {
            long done = 0;
            const HRESULT hr = m_pInputPin->ReceiveMultiple(
                packet.samples.data(), static_cast<long>(packet.samples.size()), &done);
            if (hr != S_OK) {
                m_hr = hr;
            }
        }
        ReleaseSamples(packet.samples);
        break;
    }
    case Kind::EndOfStream:
        m_pPin->EndOfStream();
        break;
    case Kind::NewSegment:
        m_pPin->NewSegment(packet.start, packet.stop, packet.rate);
        break;
    }
}

bool COutputQueue::QueueBatch()
{
    if (m_Batch.empty()) {
        return true;
    }
    try {
        m_List.push_back(Packet{Kind::Samples, {}});
    } catch (const std::bad_alloc&) {
        // The samples stay in the batch: a later call or the destructor deals with them.
        return false;
    }
    m_List.back().samples.swap(m_Batch);
    try {
        m_Batch.reserve(static_cast<size_t>(m_lBatchSize));
    } catch (const std::bad_alloc&) {
        // Only an optimisation: push_back reports the shortage itself.
    }
    m_evIdle.Reset();
    m_evWork.Set();
    return true;
}

void COutputQueue::FreePackets(std::deque<Packet>& packets)
{
    for (Packet& packet : packets) {
        ReleaseSamples(packet.samples);
    }
    packets.clear();
}

void COutputQueue::ReleaseSamples(IMediaSample* const* samples, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        // The queue's own references, kept in a plain array for ReceiveMultiple.
        samples[i]->Release();
    }
}

void COutputQueue::ReleaseSamples(std::vector<IMediaSample*>& samples)
{
    ReleaseSamples(samples.data(), samples.size());
    samples.clear();
}

HRESULT COutputQueue::Receive(IMediaSample* pSample)
{
    long done = 0;
    return ReceiveMultiple(&pSample, 1, &done);
}

HRESULT COutputQueue::ReceiveMultiple(IMediaSample** ppSamples, long nSamples,
                                      long* nSamplesProcessed)
{
    if (!ppSamples || !nSamplesProcessed) {
        return E_POINTER;
    }
    *nSamplesProcessed = 0;
    if (!m_pInputPin) {
        ReleaseSamples(ppSamples, static_cast<size_t>(nSamples));
        return E_UNEXPECTED;
    }
    if (!m_hThread) {
        const HRESULT hr = m_pInputPin->ReceiveMultiple(ppSamples, nSamples, nSamplesProcessed);
        ReleaseSamples(ppSamples, static_cast<size_t>(nSamples));
        m_hr = hr;
        return hr;
    }
    CAutoLock lock(&m_csQueue);
    if (m_bFlushing || m_hr != S_OK) {
        ReleaseSamples(ppSamples, static_cast<size_t>(nSamples));
        return m_bFlushing ? S_FALSE : m_hr;
    }
    long i = 0;
    try {
        for (; i < nSamples; ++i) {
            m_Batch.push_back(ppSamples[i]);
            ++*nSamplesProcessed;
            if (static_cast<LONG>(m_Batch.size()) >= m_lBatchSize && !QueueBatch()) {
                throw std::bad_alloc();
            }
        }
        if (!m_bBatchExact && !m_Batch.empty() && m_bThreadWaiting) {
            QueueBatch();
        }
    } catch (const std::bad_alloc&) {
        // Samples not taken over are released here, as the caller gave them up; when
        // push_back failed, sample i was not taken over either.
        const long first = (i < nSamples && *nSamplesProcessed == i) ? i : i + 1;
        if (first < nSamples) {
            ReleaseSamples(ppSamples + first, static_cast<size_t>(nSamples - first));
        }
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

void COutputQueue::EOS()
{
    if (!m_hThread) {
        if (m_pPin) {
            m_pPin->EndOfStream();
        }
        return;
    }
    CAutoLock lock(&m_csQueue);
    if (m_bFlushing) {
        return;
    }
    try {
        if (!QueueBatch()) {
            throw std::bad_alloc();
        }
        m_List.push_back(Packet{Kind::EndOfStream, {}});
    } catch (const std::bad_alloc&) {
        m_hr = E_OUTOFMEMORY;
        return;
    }
    m_evIdle.Reset();
    m_evWork.Set();
}

void COutputQueue::NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate)
{
    if (!m_hThread) {
        if (m_pPin) {
            m_pPin->NewSegment(tStart, tStop, dRate);
        }
        return;
    }
    CAutoLock lock(&m_csQueue);
    if (m_bFlushing) {
        return;
    }
    Packet packet{Kind::NewSegment, {}};
    packet.start = tStart;
    packet.stop = tStop;
    packet.rate = dRate;
    try {
        if (!QueueBatch()) {
            throw std::bad_alloc();
        }
        m_List.push_back(std::move(packet));
    } catch (const std::bad_alloc&) {
        m_hr = E_OUTOFMEMORY;
        return;
    }
    m_evIdle.Reset();
    m_evWork.Set();
}

void COutputQueue::BeginFlush()
{
    if (m_hThread) {
        std::deque<Packet> dropped;
        {
            CAutoLock lock(&m_csQueue);
            m_bFlushing = TRUE;
            dropped.swap(m_List);
            ReleaseSamples(m_Batch);
        }
        FreePackets(dropped);
    }
    m_hr = S_OK;
    // Downstream drops what it holds and unblocks a Receive the thread may be stuck in.
    if (m_pPin) {
        m_pPin->BeginFlush();
    }
}

void COutputQueue::EndFlush()
{
    if (m_hThread) {
        bool endOfStreamInFlight = false;
        {
            CAutoLock lock(&m_csQueue);
            endOfStreamInFlight = m_bSending && m_sendingKind == Kind::EndOfStream;
        }
        // The thread may be finishing a send that began before the flush. Not an end of
        // stream though: a renderer may hold that until its sound has played out, which a
        // flush does not cut short, only a state change; and the stop comes after the flush.
        // Nothing else was queued since the flush began, so only that call is in progress.
        if (!endOfStreamInFlight) {
            m_evIdle.Wait();
        }
    }
    if (m_pPin) {
        m_pPin->EndFlush();
    }
    CAutoLock lock(&m_csQueue);
    m_bFlushing = FALSE;
    m_hr = S_OK;
}

void COutputQueue::SendAnyway()
{
    if (!m_hThread) {
        return;
    }
    CAutoLock lock(&m_csQueue);
    if (!QueueBatch()) {
        m_hr = E_OUTOFMEMORY;
    }
}

BOOL COutputQueue::IsIdle()
{
    if (!m_hThread) {
        return TRUE;
    }
    CAutoLock lock(&m_csQueue);
    return m_List.empty() && m_Batch.empty() && !m_bSending;
}
