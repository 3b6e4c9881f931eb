// The key-frame scanner over the synchronous reader; samples are read compressed.
#include "video/reader/KeyScanner.h"

#include "video/splitter/CWMFileStream.h"
#include "video/EngineText.h"
#include "video/splitter/WmReaderFactory.h"
#include "platform/base/TimeUnits.h"

#include <nserror.h>

#include <new>

namespace {



}  // namespace

KeyScanner::KeyScanner() = default;

KeyScanner::~KeyScanner()
{
    Close();
}

void KeyScanner::Close()
{
    if (m_syncReader != nullptr) {
        m_syncReader->Close();
        m_syncReader.Release();
    }
    m_stream.Release();
}

std::wstring KeyScanner::Open(const wchar_t* name, READER_CB_PARAMS* context,
                              QVR_READ_CALLBACK read, QVR_SEEK_CALLBACK seek)
{
    Close();
    // The new stream holds one reference: the creator's.
    m_stream.Attach(new (std::nothrow) CWMFileStream(nullptr, name, context, 0, read, seek));
    if (m_stream == nullptr) {
        return CALL_FAILURE(L"new", E_OUTOFMEMORY, L"CWMFileStream");
    }
    std::wstring bindError;
    HRESULT hr = WmReaderFactory::CreateSyncReader(&m_syncReader, &bindError);
    if (!bindError.empty()) {
        return bindError;
    }
    if (FAILED(hr)) {
        return CALL_FAILURE(L"WMCreateSyncReader", hr, L"");
    }
    if (m_syncReader == nullptr) {
        return CALL_FAILURE(L"WMCreateSyncReader", E_OUTOFMEMORY, L"");
    }
    hr = m_syncReader->OpenStream(m_stream);
    if (FAILED(hr)) {
        // A reader that never opened is no use to a query: leave the scanner closed.
        m_syncReader.Release();
        return CALL_FAILURE(L"OpenStream", hr, name);
    }
    return std::wstring();
}

template <class Visit>
std::wstring KeyScanner::Scan(WORD streamNumber, LONGLONG start, LONGLONG duration,
                              const std::wstring& rangeText, Visit visit)
{
    const std::wstring number = FormatText(L"%i", static_cast<int>(streamNumber));
    HRESULT hr = m_syncReader->SetReadStreamSamples(streamNumber, TRUE);
    if (FAILED(hr)) {
        return CALL_FAILURE(L"SetReadStreamSamples", hr, number.c_str());
    }
    hr = m_syncReader->SetRange(static_cast<QWORD>(start), duration);
    if (FAILED(hr)) {
        return CALL_FAILURE(L"SetRange", hr, rangeText.c_str());
    }
    for (;;) {
        CComPtr<INSSBuffer> sample;
        QWORD time = 0;
        QWORD sampleDuration = 0;
        DWORD flags = 0;
        hr = m_syncReader->GetNextSample(streamNumber, &sample, &time, &sampleDuration, &flags,
                                         nullptr, nullptr);
        sample.Release();
        if (hr == NS_E_NO_MORE_SAMPLES) {
            return std::wstring();
        }
        if (FAILED(hr)) {
            return CALL_FAILURE(L"GetNextSample", hr, number.c_str());
        }
        if (!visit(static_cast<LONGLONG>(time), flags)) {
            return std::wstring();
        }
    }
}

std::wstring KeyScanner::NextFrame(LONGLONG* frameTime, WORD streamNumber, LONGLONG end,
                                   LONGLONG from, BOOL keyOnly)
{
    *frameTime = -1;
    if (m_syncReader == nullptr || streamNumber == 0) {
        return CALL_FAILURE(L"NextFrame", E_INVALIDARG,
                            FormatText(L"%i", static_cast<int>(streamNumber)).c_str());
    }
    if (from < 0 || end - from < 0) {
        return CALL_FAILURE(L"NextFrame", E_INVALIDARG, L"");
    }
    if (end == from) {
        return std::wstring();  // nothing lies strictly between; a reader range of 0 means all
    }
    const std::wstring range =
        FormatText(L"%g - %g sec", RefTimeToSeconds(from), RefTimeToSeconds(end - from));
    return Scan(streamNumber, from, end - from, range, [&](LONGLONG time, DWORD flags) {
        if (time > from && time < end && (!keyOnly || (flags & WM_SF_CLEANPOINT))) {
            *frameTime = time;
            return false;
        }
        return time < end;
    });
}

std::wstring KeyScanner::PrevFrame(LONGLONG* frameTime, WORD streamNumber, LONGLONG lower,
                                   LONGLONG from, BOOL keyOnly)
{
    *frameTime = -1;
    if (m_syncReader == nullptr || streamNumber == 0) {
        return CALL_FAILURE(L"PrevFrame", E_INVALIDARG,
                            FormatText(L"%i", static_cast<int>(streamNumber)).c_str());
    }
    if (from <= lower) {
        return std::wstring();
    }
    LONGLONG windowEnd = from;
    LONGLONG windowStart = from - kRefTimePerSecond < lower ? lower : from - kRefTimePerSecond;
    while (windowEnd - windowStart > 0) {
        LONGLONG best = -1;
        const std::wstring range = FormatText(L"%g - %g sec", RefTimeToSeconds(windowStart),
                                              RefTimeToSeconds(windowEnd - windowStart));
        const LONGLONG end = windowEnd;
        std::wstring error = Scan(streamNumber, windowStart, windowEnd - windowStart, range,
                                  [&](LONGLONG time, DWORD flags) {
                                      if (time >= lower && time < end &&
                                          (!keyOnly || (flags & WM_SF_CLEANPOINT))) {
                                          best = time;
                                      }
                                      return time < end;
                                  });
        if (!error.empty()) {
            return error;
        }
        if (best != -1) {
            *frameTime = best;
            return std::wstring();
        }
        windowEnd = windowStart;
        windowStart = windowStart - kRefTimePerSecond < lower ? lower
                                                              : windowStart - kRefTimePerSecond;
    }
    return std::wstring();
}

std::wstring KeyScanner::FrameProp(LONGLONG* frameTime, WORD streamNumber, LONGLONG time,
                                   BOOL* isKey)
{
    *frameTime = -1;
    *isKey = FALSE;
    if (m_syncReader == nullptr || streamNumber == 0) {
        return CALL_FAILURE(L"FrameProp", E_INVALIDARG,
                            FormatText(L"%i", static_cast<int>(streamNumber)).c_str());
    }
    if (time < 0) {
        return CALL_FAILURE(L"FrameProp", E_INVALIDARG, L"");
    }
    const std::wstring range = FormatText(L"%g sec", RefTimeToSeconds(time));
    return Scan(streamNumber, time, 0, range, [&](LONGLONG sampleTime, DWORD flags) {
        if (sampleTime >= time) {
            *frameTime = sampleTime;
            *isKey = (flags & WM_SF_CLEANPOINT) ? TRUE : FALSE;
            return false;
        }
        return true;
    });
}
