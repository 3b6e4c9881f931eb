// The test double of the engine, in the test process or behind the engine library's exports
// (tests/player/FakeEngine.cpp): format records that echo their text into the description, and
// presentation readers that read through the player's callbacks and report canned results. With
// a trace callback it writes the calls a program run is checked by to the player's trace log.
#pragma once

#include "Common/QVRInterfaces.h"

#include <string>
#include <vector>

namespace orvane::test {

class FormatDouble final : public IQVRAudioFormat, public IQVRVideoFormat {
public:
    std::wstring text;
    std::wstring description[4];
    int loads = 0;

    const wchar_t* GetText() override { return text.c_str(); }
    void SetFromMediaProps(IUnknown*) override { Load(L"props"); }
    void SetText(const wchar_t* t) override { Load(t); }
    void GetDescription(wchar_t* block) override;
    DWORD GetSamplesPerSec() override { return 0; }
    DWORD GetAvgBytesPerSec() override { return 0; }
    DWORD GetChannels() override { return 0; }
    double GetFrameRate() override { return 0; }
    void GetFrameSize(int*, int*) override {}

private:
    void Load(const wchar_t* t);
};

class ReaderDouble final : public IQVRVideoReader {
public:
    // Set up by the test before the open.
    QVRInstance* trace = nullptr;  // receives "FakeEngine: ..." lines and the play position
    bool checkAsf = false;         // the open reads the file's start and refuses a non-ASF file
    const wchar_t* openError = nullptr;
    double durations[3] = {10.0, 12.3456789, 7.0};
    const wchar_t* title = L"Engine title";
    bool withAudio = true, withCamera = true, withScreen = false;
    FormatDouble audio, camera, screen;

    // Recorded.
    std::vector<unsigned char> firstBytes;  // 8 bytes read through the main access at open
    LONGLONG scanEnd = 0;                   // scan access seeked to its end
    QVR_READ_CALLBACK read = nullptr;
    QVR_SEEK_CALLBACK seek = nullptr;
    READER_CB_PARAMS* main = nullptr;
    READER_CB_PARAMS* scan = nullptr;
    void* tags = nullptr;
    BOOL stopArgument = FALSE;
    long playVolume = 1;
    double playSpeed = 0;
    bool playFilter = false;

    const wchar_t* Open(BOOL, const wchar_t*, QVR_READ_CALLBACK r, QVR_SEEK_CALLBACK s,
                        void* m, void* sc, void* t) override;
    const wchar_t* GetInfo(void* out) override;
    IQVRAudioFormat* GetAudioFormat() override { return withAudio ? &audio : nullptr; }
    IQVRVideoFormat* GetVideoFormat(int i) override;
    IWMReader* GetWMReader() override { return nullptr; }
    LONGLONG findResult = 5;  // -1: no frame; otherwise relative to "from" when findRelative
    bool findRelative = false;
    LONGLONG rangeStart = -1, rangeLength = -1;
    int shows = 0;
    const wchar_t* SetReadRange(LONGLONG start, LONGLONG length) override
    {
        rangeStart = start;
        rangeLength = length;
        return nullptr;
    }
    const wchar_t* ShowVideo(BOOL) override
    {
        ++shows;
        return L"";
    }
    const wchar_t* FindFrame(LONGLONG, LONGLONG, LONGLONG from, BOOL, BOOL, LONGLONG* t) override
    {
        *t = (findRelative && findResult != -1) ? from + findResult : findResult;
        return nullptr;
    }
    const wchar_t* frameTimeError = L"no frames";
    LONGLONG frameTimeOffset = 0;
    const wchar_t* GetFrameTime(LONGLONG time, BOOL* found, LONGLONG* frame) override
    {
        if (frameTimeError) {
            return frameTimeError;
        }
        *found = TRUE;
        *frame = time + frameTimeOffset;
        return nullptr;
    }
    const wchar_t* Play(double speed, BOOL, IBaseFilter* f, long volume, BOOL) override;
    double stopPosition = 4.5;
    const wchar_t* Stop(BOOL unused, double* position) override;
    const wchar_t* pauseError = L"cannot pause";
    const wchar_t* Pause() override { return pauseError; }
    const wchar_t* Resume() override { return nullptr; }
};

class EngineDouble final : public IQVRVideo {
public:
    QVRInstance* trace = nullptr;  // handed to the readers too
    bool checkAsf = false;
    bool formatRecords = true;     // false: no format records to create
    BOOL canFullScreen = FALSE;
    const wchar_t* fullScreenRefusal = nullptr;  // the text of a refused full screen
    double stopPosition = 4.5;
    const wchar_t* pauseError = L"cannot pause";
    bool failReaders = false;
    std::vector<ReaderDouble*> readers;  // every reader handed out
    int readersAlive = 0;
    int formatsCreated = 0, formatsReleased = 0;
    const wchar_t* nextOpenError = nullptr;
    bool withAudio = true, withCamera = true, withScreen = false;
    LONGLONG findResult = 5;
    bool findRelative = false;
    double durations[3] = {10.0, 12.3456789, 7.0};
    const wchar_t* title = L"Engine title";
    ~EngineDouble();

    IQVRVideoReader* CreateReader() override;
    void ReleaseReader(IQVRVideoReader* reader) override;
    IQVRNetReceiver* CreateNetReceiver() override { return nullptr; }
    void ReleaseNetReceiver(IQVRNetReceiver*) override {}
    IQVRAudioFormat* CreateAudioFormat() override;
    void ReleaseAudioFormat(IQVRAudioFormat* record) override;
    IQVRVideoFormat* CreateVideoFormat() override;
    void ReleaseVideoFormat(IQVRVideoFormat* record) override;
    int SetSettingsText(int kind, const wchar_t* text) override;
    void SetVideoWindows(HWND camera, HWND screen) override;
    IQVRSettDlg* CreateSettingsDlg(int, const wchar_t*, HWND, QVRSettDlgHost*) override
    {
        return nullptr;
    }
    BOOL PreTranslateMessage(HWND, MSG*) override { return FALSE; }
    void OnMainWindowMoved() override {}
    void DumpGraphs(CReleaseModeDebug*) override {}
    void SetVolume(long, BOOL) override {}
    BOOL CanFullScreen() override { return canFullScreen; }
    BOOL IsFullScreen() override { return FALSE; }
    const wchar_t* SetFullScreen(BOOL on) override { return on ? fullScreenRefusal : nullptr; }
    void Destroy() override {}
};

}  // namespace orvane::test
