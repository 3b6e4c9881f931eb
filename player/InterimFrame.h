// A plain main frame that stands in for the player shell's frame: menu and accelerators 128,
// the two video windows side by side, the command line's open request, hand-over, File Open,
// Play, Pause and Stop, and the position in its title.
#pragma once

#include "FrameworkWindows.h"
#include "PlayerShell.h"
#include "QVRDoc.h"

#include <string>

class InterimPresentation;

// A video window of the frame: black, named until the engine draws into it.
class InterimVideoPane : public CWnd {
public:
    void OnPaint();

protected:
    DECLARE_MESSAGE_MAP()
};

class InterimFrame : public CWnd, public IPlayerShell, public IPlayerView {
public:
    InterimFrame();
    ~InterimFrame() override;

    BOOL CreateFrame(HWND owner);

    // IPlayerShell
    HWND GetWindow() override { return m_hWnd; }
    double GetDuration() override;
    void UpdatePosition() override;
    BOOL IsPaneVisible(UINT) override { return FALSE; }
    void SetPaneSize(UINT, int, int) override {}
    HACCEL GetAccelTable() override { return m_accel; }
    int GetSelectedBookmarkCount() override { return 0; }
    BOOL GetQuickSpeedSwitch() override { return FALSE; }
    void OnStop() override;
    void OnPlay() override;
    void OnSpeedLess() override {}
    void OnSpeedMore() override {}
    void OnPause() override;
    void OnGoLeft() override {}
    void OnGoRight() override {}
    void OnGoToStart() override {}
    void OnGoToEnd() override {}
    void OnGoLeftFrame() override {}
    void OnGoRightFrame() override {}
    void ResetSpeed() override;
    void RefreshBookmarks() override {}
    void OnPositionSliderScroll(UINT, HWND) override {}
    void OnAudioLevelData(int, const WAVEFORMATEX*, const BYTE*, long) override {}
    void TrackSpeedMenu(HWND, HWND) override {}

    // IPlayerView
    void ApplyVideoViewMode() override;
    void OnVideoOnlyCamera() override {}
    void OnVideoOnlyScreen() override {}
    void OnVideoCameraUp() override {}
    void OnVideoCameraLeft() override {}

    QVRDoc& Document() { return m_document; }
    BOOL PreTranslateMessage(MSG* msg) override;

    int OnCreate(LPCREATESTRUCT cs);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnSize(UINT type, int cx, int cy);
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    BOOL OnCopyData(CWnd* from, COPYDATASTRUCT* data);
    LRESULT OnOpenCommandLine(WPARAM, LPARAM);
    LRESULT OnAsyncError(WPARAM, LPARAM);
    LRESULT OnPlayEnd(WPARAM, LPARAM);
    LRESULT OnHandOverOpen(WPARAM, LPARAM);
    void OnFileOpen();
    void OnFileNew();
    void OnAppExit();
    void OnAppAbout();

protected:
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()

private:
    InterimPresentation* Presentation();
    void OpenAndMaybePlay(const std::wstring& path, bool play);

    QVRDoc m_document;
    InterimVideoPane m_camera;
    InterimVideoPane m_screen;
    HACCEL m_accel = nullptr;
    bool m_showingError = false;
    std::wstring m_handOverPath;
    bool m_handOverPlay = false;
};

// Private message: open the path handed over by another copy (after the sender is answered).
constexpr UINT WM_APP_HANDOVER_OPEN = WM_APP + 11;
