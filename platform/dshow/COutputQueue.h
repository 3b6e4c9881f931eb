// Delivery queue between an output pin and the connected input pin. Samples, end of stream,
// new segments and flushes keep their order. With a thread, the caller never blocks on the
// downstream filter: samples are batched and sent with ReceiveMultiple by the queue's thread.
// Without one, each call goes straight downstream on the caller's thread.
#pragma once

#include <windows.h>
#include <strmif.h>

#include <deque>
#include <vector>

#include "platform/dshow/CAMEvent.h"
#include "platform/dshow/CCritSec.h"
#include "platform/base/CComPtr.h"
#include "platform/base/CHandle.h"

#define DEFAULTCACHE 10

class COutputQueue {
public:
    // pInputPin: the connected input pin (a reference is kept). bAuto: ask its ReceiveCanBlock
    // and use a thread only when it may block; otherwise bQueue decides. lBatchSize samples are
    // sent together; with bBatchExact a batch waits until it is full (or SendAnyway, end of
    // stream, new segment); otherwise a part batch goes as soon as the thread is idle.
    // lListSize is accepted for the documented signature only: the list grows as needed, and
    // the sender's allocator is what bounds it. dwPriority is the thread's priority. *phr
    // receives a creation failure.
    COutputQueue(IPin* pInputPin, HRESULT* phr, BOOL bAuto = TRUE, BOOL bQueue = TRUE,
                 LONG lBatchSize = 1, BOOL bBatchExact = FALSE, LONG lListSize = DEFAULTCACHE,
                 DWORD dwPriority = THREAD_PRIORITY_NORMAL, bool bFlushingOpt = false);
    // Ends the thread (after it has delivered what is queued unless a flush is on) and
    // releases every sample still held.
    ~COutputQueue();
    COutputQueue(const COutputQueue&) = delete;
    COutputQueue& operator=(const COutputQueue&) = delete;

    // Takes over the caller's reference to pSample. Returns the first downstream failure (or
    // S_FALSE) since the last flush; samples are then released unsent.
    HRESULT Receive(IMediaSample* pSample);
    // Takes over one reference for each sample; *nSamplesProcessed counts those accepted.
    HRESULT ReceiveMultiple(IMediaSample** ppSamples, long nSamples, long* nSamplesProcessed);
    void EOS();
    void NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate);
    // Drops queued samples and passes BeginFlush downstream at once.
    void BeginFlush();
    // Waits until the thread has stopped delivering, then passes EndFlush downstream.
    void EndFlush();
    // Sends a part batch now.
    void SendAnyway();
    BOOL IsIdle();
    BOOL IsQueued() const { return m_hThread.IsValid(); }
    // The result the downstream pin gave last (S_OK after a flush).
    HRESULT LastResult() const { return m_hr; }

private:
    enum class Kind { Samples, EndOfStream, NewSegment };
    struct Packet {
        Kind kind;
        std::vector<IMediaSample*> samples;
        REFERENCE_TIME start = 0;
        REFERENCE_TIME stop = 0;
        double rate = 1.0;
    };

    static DWORD WINAPI InitialThreadProc(LPVOID pv);
    DWORD ThreadProc();
    // With m_csQueue held: moves the part batch onto the list; false when memory ran out
    // (the samples then stay in the batch).
    bool QueueBatch();
    void FreePackets(std::deque<Packet>& packets);
    // Samples travel as plain arrays (ReceiveMultiple takes one); each entry is one reference.
    static void ReleaseSamples(IMediaSample* const* samples, size_t count);
    static void ReleaseSamples(std::vector<IMediaSample*>& samples);
    void SendPacket(Packet& packet);

    CComPtr<IPin> m_pPin;
    CComPtr<IMemInputPin> m_pInputPin;
    BOOL m_bBatchExact;
    LONG m_lBatchSize;
    CHandle m_hThread;
    CCritSec m_csQueue;            // guards the list, the batch and the flags below
    CAMEvent m_evWork;             // auto reset: something was queued or the queue ends
    CAMEvent m_evIdle;             // manual reset: nothing queued and nothing being sent
    std::deque<Packet> m_List;
    std::vector<IMediaSample*> m_Batch;
    BOOL m_bFlushing = FALSE;
    BOOL m_bTerminate = FALSE;
    BOOL m_bSending = FALSE;       // the thread is inside a downstream call
    Kind m_sendingKind = Kind::Samples;  // what that call delivers
    BOOL m_bThreadWaiting = FALSE; // the thread waits for work (a part batch may go)
    volatile HRESULT m_hr = S_OK;
};
