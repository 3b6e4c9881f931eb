// The engine object handed to the player: creates and frees presentation readers and format
// records, keeps the playback settings text and the last graph dump, and routes the volume
// to the playing reader. The display part (video windows, full screen, settings page, network
// receiver) comes with the view controller; until then those slots answer with the engine's
// error text or nothing.
#pragma once

#include "QVRInterfaces.h"

#include <set>
#include <string>

class IVideoReader;

class IVideo final : public IQVRVideo {
public:
    IVideo() = default;
    ~IVideo();
    IVideo(const IVideo&) = delete;
    IVideo& operator=(const IVideo&) = delete;

    IQVRVideoReader* CreateReader() override;
    void ReleaseReader(IQVRVideoReader* reader) override;
    IQVRNetReceiver* CreateNetReceiver() override;
    void ReleaseNetReceiver(IQVRNetReceiver* receiver) override;
    IQVRAudioFormat* CreateAudioFormat() override;
    void ReleaseAudioFormat(IQVRAudioFormat* record) override;
    IQVRVideoFormat* CreateVideoFormat() override;
    void ReleaseVideoFormat(IQVRVideoFormat* record) override;
    int SetSettingsText(int kind, const wchar_t* text) override;
    void SetVideoWindows(HWND camera, HWND screen) override;
    IQVRSettDlg* CreateSettingsDlg(int kind, const wchar_t* text, HWND parent,
                                   QVRSettDlgHost* host) override;
    BOOL PreTranslateMessage(HWND window, MSG* message) override;
    void OnMainWindowMoved() override;
    void DumpGraphs(CReleaseModeDebug* sink) override;
    void SetVolume(long volume, BOOL mute) override;
    BOOL CanFullScreen() override;
    BOOL IsFullScreen() override;
    const wchar_t* SetFullScreen(BOOL on) override;
    void Destroy() override;

    // A new engine object; NULL when memory runs out.
    static IQVRVideo* Create();
    const std::wstring& SettingsText() const { return m_settingsText; }

private:
    std::wstring m_settingsText;
    wchar_t m_fullScreenError[1024] = {};  // one buffer: the same pointer every call
    std::set<IVideoReader*> m_readers;  // created here and not yet released
};
