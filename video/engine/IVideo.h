// The engine object handed to the player: creates and frees presentation readers and format
// records, keeps the playback settings text and the last graph dump, and owns the view
// controller that puts the video into the player's windows or full screen, and the playback
// settings page, and the network receivers that play what the player's network reader pushes.
#pragma once

#include "video/display/CPlaySettingDlg.h"
#include "Common/QVRInterfaces.h"
#include "video/display/ViewController.h"

#include <set>
#include <string>

class CQVRNetReceiver;
class IVideoReader;

class IVideo final : public IQVRVideo {
public:
    IVideo();
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
    ViewController& View() { return m_view; }
    HWND HiddenWindow() const { return m_hiddenWindow; }

private:
    CPlaySettingDlg m_settingsDlg;
    std::wstring m_settingsText;
    ViewController m_view;
    HWND m_hiddenWindow = nullptr;
    wchar_t m_fullScreenError[1024] = {};  // one buffer: the same pointer every call
    std::set<IVideoReader*> m_readers;  // created here and not yet released
    std::set<CQVRNetReceiver*> m_receivers;
};
