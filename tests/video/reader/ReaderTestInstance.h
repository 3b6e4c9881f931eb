// The player's callback object for the reader tests: records log lines (as the engine's test
// instance does), position notices, end-of-play notices and asynchronous errors, from any
// thread, and can wait for them while pumping the calling thread's messages (the position
// timer ticks through them).
#pragma once

#include "tests/video/TestInstance.h"

#include <mutex>
#include <string>
#include <vector>

class ReaderTestInstance : public TestInstance {
public:
    ReaderTestInstance();
    ~ReaderTestInstance();
    ReaderTestInstance(const ReaderTestInstance&) = delete;
    ReaderTestInstance& operator=(const ReaderTestInstance&) = delete;

    void OnAsyncError(HRESULT code, const wchar_t* text) override;
    void OnPosition(double seconds) override;
    BOOL OnPlayEnd(double seconds) override;

    // Pumps messages until an end-of-play notice arrived; false after the time-out.
    bool WaitPlayEnd(DWORD milliseconds);
    bool WaitAsyncError(DWORD milliseconds);
    // Pumps messages for a while.
    static void Pump(DWORD milliseconds);
    void Clear();

    std::mutex lock;
    std::vector<double> positions;
    std::vector<double> playEnds;
    std::vector<std::wstring> errors;

private:
    QVRInstance* m_previous;
};
