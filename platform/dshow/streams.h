// DirectShow base classes for the engine's own filters: include this one header.
//
// What a derived filter overrides (R = required, O = optional) and what is held meanwhile.
// "filter lock" is the lock the filter gives CBaseFilter (CTransformFilter::m_csFilter);
// "receive lock" is CTransformFilter::m_csReceive, held around each sample on the streaming
// thread.
//
//   CBaseFilter          R GetPinCount, GetPin ................. any thread, no lock assumed
//                        O Stop, Pause, Run, JoinFilterGraph .... graph thread; take the filter
//                          lock and call the base version
//   CBasePin             R CheckMediaType ....................... filter lock (connection)
//                        O GetMediaType, SetMediaType, CheckConnect, BreakConnect,
//                          CompleteConnect ...................... filter lock (connection)
//                        O Active, Inactive, Run ................ filter lock (state change)
//                        O NonDelegatingAddRef/Release: a pin may count its own references
//                          and delete itself at 0; by default they are the filter's
//   CBaseOutputPin       R DecideBufferSize ..................... filter lock (connection)
//                        O DecideAllocator, InitAllocator, Deliver*, GetDeliveryBuffer
//   CBaseInputPin        O Receive (call the base first: it checks the streaming state and
//                          fills m_SampleProps), EndOfStream, BeginFlush, EndFlush
//   CTransformFilter     R Transform(in, out), CheckInputType, CheckTransform,
//                          DecideBufferSize, GetMediaType ...... receive lock for Transform,
//                                                                 filter lock for the rest
//                        O StartStreaming ....................... filter lock + receive lock
//                        O StopStreaming ........................ filter lock + receive lock
//                        O SetMediaType, CheckConnect, BreakConnect, CompleteConnect
//                                                                 filter lock (connection)
//                        O Receive, EndOfStream ................. receive lock
//                        O BeginFlush, EndFlush ................. filter lock
//                        O NewSegment ........................... streaming thread, no lock
//                        O AlterQuality ......................... no lock
//   CTransInPlaceFilter  R Transform(sample), CheckInputType .... as above
//
// Lock order, outermost first:
//   1. the filter lock (state changes, connection, flushing);
//   2. the receive lock (one sample or end of stream at a time);
//   3. locks inside the library (allocator pool, output queue, pin references).
// The streaming thread holds only the receive lock and must never wait for the filter lock:
// Stop holds the filter lock and waits for the receive lock. Stop first decommits the input
// allocator, which makes an upstream thread blocked in GetBuffer fail and let go. Flushes
// run under the filter lock without the receive lock, so that a Receive blocked downstream is
// released by the flush passing through. Never wait in GetDeliveryBuffer (or in a downstream
// Receive) with the filter lock held: Stop needs that lock to decommit the allocator that
// would wake the wait, so the two would block each other.
//
// Delivery: Deliver* calls go straight to the peer on the caller's thread; COutputQueue puts
// a thread of its own between a pin and its peer and keeps samples, segments, end of stream
// and flushes in order. CTransInPlaceFilter::Transform gets the received sample itself when
// both pins share the allocator, else a copy in an output buffer.
//
// Ownership: a filter owns its pins; pins hold no reference on the filter (their AddRef is
// the filter's). Connected pins hold a reference on their peer. A filter keeps its graph and
// event sink without references. Samples hold a reference on their allocator while they are
// out of its pool.
#pragma once

#include <windows.h>
#include <dshow.h>
#include <mmreg.h>
#include <amvideo.h>
#include <evcode.h>
#include <uuids.h>
#include <vfwmsgs.h>

#include "platform/dshow/CAMEvent.h"
#include "platform/dshow/CAMThread.h"
#include "platform/dshow/CAutoLock.h"
#include "platform/dshow/CBaseAllocator.h"
#include "platform/dshow/CBaseFilter.h"
#include "platform/dshow/CBaseInputPin.h"
#include "platform/dshow/CBaseObject.h"
#include "platform/dshow/CBaseOutputPin.h"
#include "platform/dshow/CBasePin.h"
#include "platform/dshow/CCritSec.h"
#include "platform/dshow/CEnumMediaTypes.h"
#include "platform/dshow/CEnumPins.h"
#include "platform/dshow/CMediaSample.h"
#include "platform/dshow/CMediaType.h"
#include "platform/dshow/CMemAllocator.h"
#include "platform/dshow/COutputQueue.h"
#include "platform/dshow/CPosPassThru.h"
#include "platform/dshow/CRefTime.h"
#include "platform/dshow/CTransInPlaceFilter.h"
#include "platform/dshow/CTransInPlaceInputPin.h"
#include "platform/dshow/CTransInPlaceOutputPin.h"
#include "platform/dshow/CTransformFilter.h"
#include "platform/dshow/CTransformInputPin.h"
#include "platform/dshow/CTransformOutputPin.h"
#include "platform/dshow/CUnknown.h"

// Argument checks used throughout filter code: return ret when p is NULL.
#define CheckPointer(p, ret) \
    do {                     \
        if (!(p)) {          \
            return (ret);    \
        }                    \
    } while (0)

// Object names are for debugging only.
#define NAME(x) L##x
