// The player's application object: brings the program up in a fixed order, brings it down in
// the reverse sense, filters idle processing, routes the framework's message boxes and help
// requests, and answers the playback-state questions of the rest of the program.
#pragma once

#include "platform/framework/frame/FrameworkFrame.h"
#include "player/core/HiddenParent.h"

#include <mmsystem.h>

#include <string>

class InterimFrame;

class QVRApp : public CWinApp {
public:
    QVRApp();
    ~QVRApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL IsIdleMessage(MSG* msg) override;
    int DoMessageBox(LPCTSTR prompt, UINT type, UINT helpId) override;
    void WinHelpInternal(DWORD_PTR data, UINT command) override;

    void OnAppAbout();
    void RefreshAudioDevices();
    void DeleteNetReader();

    // Playback-state questions.
    BOOL IsPlaying() const;
    int GetPlayState() const;
    int GetSpeedState() const;
    double GetDuration() const;
    double GetPosition() const;
    std::wstring GetCommandTooltip(UINT id) const;
    std::wstring GetCommandShortcut(UINT id) const;
    std::wstring GetStatusText() const;
    void AddThreadErrorText(const wchar_t* text);

    UINT DeviceChangeMessage() const { return m_deviceChangeMessage; }
    const std::wstring& Title() const { return m_title; }

protected:
    DECLARE_MESSAGE_MAP()

private:
    BOOL StartUp();
    void SetDefaultFolder();
    void LogSystem();
    void PlaceMainWindow();
    void ShowMainWindow();

    std::wstring m_title;
    int m_parkedShowState = SW_SHOW;
    BOOL m_saveSettings = FALSE;
    HICON m_smallIcon = nullptr;
    HICON m_largeIcon = nullptr;
    UINT m_deviceChangeMessage = 0;
    HiddenParent m_hiddenParent;
    InterimFrame* m_frame = nullptr;
    bool m_handedOver = false;
};

// Kinds 0 (wave in) and 1 (wave out); any other kind returns MMSYSERR_ERROR without a call.
MMRESULT WaveDeviceMessage(int kind, UINT_PTR device, UINT message, DWORD_PTR param1,
                           DWORD_PTR param2);
