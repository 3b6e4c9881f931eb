// Finds the exact times of video samples without touching the playback graph: opens the
// presentation a second time with a synchronous Windows Media reader over its own stream and
// answers which sample comes after or before a time, and whether a sample is a key frame.
// Times are 100-ns counts; -1 means that no sample qualified, which is not an error.
#pragma once

#include "Common/QVRInterfaces.h"

#include <wmsdkidl.h>

#include <string>

#include "platform/base/CComPtr.h"

class CWMFileStream;

class KeyScanner {
public:
    KeyScanner();
    ~KeyScanner();
    KeyScanner(const KeyScanner&) = delete;
    KeyScanner& operator=(const KeyScanner&) = delete;

    std::wstring Open(const wchar_t* name, READER_CB_PARAMS* context, QVR_READ_CALLBACK read,
                      QVR_SEEK_CALLBACK seek);
    void Close();
    // The first sample with from < time < end.
    std::wstring NextFrame(LONGLONG* frameTime, WORD streamNumber, LONGLONG end, LONGLONG from,
                           BOOL keyOnly);
    // The last sample with lower <= time < from, read back one second at a time.
    std::wstring PrevFrame(LONGLONG* frameTime, WORD streamNumber, LONGLONG lower, LONGLONG from,
                           BOOL keyOnly);
    // The first sample at or after time, and whether it is a key frame.
    std::wstring FrameProp(LONGLONG* frameTime, WORD streamNumber, LONGLONG time, BOOL* isKey);

private:
    // Reads the stream's samples in [start, start + duration) (duration 0: to the end) and
    // hands each to visit, which returns false to stop.
    template <class Visit>
    std::wstring Scan(WORD streamNumber, LONGLONG start, LONGLONG duration,
                      const std::wstring& rangeText, Visit visit);

    CComPtr<CWMFileStream> m_stream;
    CComPtr<IWMSyncReader> m_syncReader;
};
