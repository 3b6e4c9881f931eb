// A test double of the engine library: exports the two entry points and answers the player's
// reader calls, writing each call to the player's trace log through the callback object. With
// ORVANE_FAKE_ENGINE=null its create entry returns null; built with FAKE_ONE_EXPORT it exports
// only the create entry.
#include "QVRInterfaces.h"

#include <cstring>

namespace {

QVRInstance* g_callback = nullptr;

class FakeReader final : public IQVRVideoReader {
public:
    const wchar_t* Open(BOOL, const wchar_t* name, QVR_READ_CALLBACK read, QVR_SEEK_CALLBACK seek,
                        void* mainContext, void*, void*) override
    {
        BYTE header[16] = {};
        HRESULT hr = S_OK;
        seek(0, FILE_BEGIN, static_cast<READER_CB_PARAMS*>(mainContext), &hr);
        const DWORD got = read(header, sizeof header, static_cast<READER_CB_PARAMS*>(mainContext),
                               &hr);
        // The first bytes of an ASF file: the header object's GUID.
        static const BYTE kAsf[4] = {0x30, 0x26, 0xB2, 0x75};
        const bool asf = got == sizeof header && memcmp(header, kAsf, 4) == 0;
        g_callback->Log(0, L"FakeEngine: Open %s (%s)", name, asf ? L"ASF" : L"not ASF");
        return asf ? nullptr : L"Not a Windows Media file.";
    }
    const wchar_t* GetInfo(void* out) override
    {
        const double durations[3] = {20.0, 20.0, 20.0};
        memcpy(static_cast<BYTE*>(out) + QVR_READER_INFO_AUDIO_DURATION, durations,
               sizeof durations);
        return nullptr;
    }
    IQVRAudioFormat* GetAudioFormat() override { return nullptr; }
    IQVRVideoFormat* GetVideoFormat(int) override { return nullptr; }
    IWMReader* GetWMReader() override { return nullptr; }
    const wchar_t* SetReadRange(LONGLONG, LONGLONG) override { return nullptr; }
    const wchar_t* ShowVideo(BOOL) override { return nullptr; }
    const wchar_t* FindFrame(LONGLONG, LONGLONG, LONGLONG, BOOL, BOOL, LONGLONG*) override
    {
        return nullptr;
    }
    const wchar_t* GetFrameTime(LONGLONG, BOOL*, LONGLONG*) override { return nullptr; }
    const wchar_t* Play(double speed, BOOL, IBaseFilter*, long, BOOL) override
    {
        g_callback->Log(0, L"FakeEngine: Play x%g", speed);
        g_callback->OnPosition(1.5);
        return nullptr;
    }
    const wchar_t* Stop(BOOL, double* position) override
    {
        g_callback->Log(0, L"FakeEngine: Stop");
        if (position) {
            *position = 0;
        }
        return nullptr;
    }
    const wchar_t* Pause() override { return nullptr; }
    const wchar_t* Resume() override { return nullptr; }
};

class FakeVideo final : public IQVRVideo {
public:
    IQVRVideoReader* CreateReader() override { return new FakeReader; }
    void ReleaseReader(IQVRVideoReader* reader) override
    {
        delete static_cast<FakeReader*>(reader);
    }
    IQVRNetReceiver* CreateNetReceiver() override { return nullptr; }
    void ReleaseNetReceiver(IQVRNetReceiver*) override {}
    IQVRAudioFormat* CreateAudioFormat() override { return nullptr; }
    void ReleaseAudioFormat(IQVRAudioFormat*) override {}
    IQVRVideoFormat* CreateVideoFormat() override { return nullptr; }
    void ReleaseVideoFormat(IQVRVideoFormat*) override {}
    int SetSettingsText(int kind, const wchar_t* text) override
    {
        g_callback->Log(0, L"FakeEngine: SetSettingsText %i [%s]", kind, text ? text : L"(null)");
        return 0;
    }
    void SetVideoWindows(HWND camera, HWND screen) override
    {
        g_callback->Log(0, L"FakeEngine: SetVideoWindows %i %i", camera ? 1 : 0, screen ? 1 : 0);
    }
    IQVRSettDlg* CreateSettingsDlg(int, const wchar_t*, HWND, QVRSettDlgHost*) override
    {
        return nullptr;
    }
    BOOL PreTranslateMessage(HWND, MSG*) override { return FALSE; }
    void OnMainWindowMoved() override {}
    void DumpGraphs(CReleaseModeDebug*) override {}
    void SetVolume(long, BOOL) override {}
    BOOL CanFullScreen() override { return TRUE; }
    BOOL IsFullScreen() override { return FALSE; }
    const wchar_t* SetFullScreen(BOOL on) override
    {
        return on ? L"No full screen here." : nullptr;
    }
    void Destroy() override { delete this; }

private:
    ~FakeVideo() = default;
};

IQVRVideo* g_engine = nullptr;

}  // namespace

extern "C" __declspec(dllexport) IQVRVideo* CreateVideoInterface(QVRInstance* callback)
{
    g_callback = callback;
    wchar_t mode[16] = {};
    GetEnvironmentVariableW(L"ORVANE_FAKE_ENGINE", mode, 16);
    if (wcscmp(mode, L"null") == 0) {
        return nullptr;
    }
    g_engine = new FakeVideo;
    if (callback) {
        callback->Log(0, L"FakeEngine: created");
    }
    return g_engine;
}

#ifndef FAKE_ONE_EXPORT
extern "C" __declspec(dllexport) void ReleaseVideoInterface()
{
    if (g_callback) {
        // The callback object must still be alive here: the player releases the engine first.
        g_callback->Log(0, L"FakeEngine: released");
    }
    if (g_engine) {
        g_engine->Destroy();
        g_engine = nullptr;
    }
}
#endif
