// A plain main frame that stands in for the player shell's frame: menu and accelerators 128,
// the view with the two video windows, the command line's open request, hand-over, File Open,
// Open URL, Play, Pause and Stop, the network reader's announcements, and the position in its
// title.
#pragma once

#include "platform/framework/frame/FrameworkFrame.h"
#include "player/core/DeferredClose.h"
#include "player/core/PlayerShell.h"

#include <string>

class InetWMAAsyncReader;
class VideoReader;

class InterimFrame : public CFrameWnd, public IPlayerShell {
    DECLARE_DYNCREATE(InterimFrame)

public:
    InterimFrame() = default;
    ~InterimFrame() override;

    // IPlayerShell
    HWND GetWindow() override { return m_hWnd; }
    double GetDuration() override;
    void UpdatePosition() override;
    BOOL IsPaneVisible(UINT) override { return FALSE; }
    void SetPaneSize(UINT, int, int) override {}
    HACCEL GetAccelTable() override { return m_hAccelTable; }
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
    std::wstring GetShortcutText(unsigned) override { return std::wstring(); }
    void OnSpeedEdit() override {}
    void ApplySpeed() override {}
    void ClampSpeed() override {}

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnUpdateFrameTitle(BOOL addToTitle) override;

    int OnCreate(LPCREATESTRUCT cs);
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    void OnClose();
    void OnEnable(BOOL enable);
    void OnWindowPosChanged(WINDOWPOS* position);
    BOOL OnCopyData(CWnd* from, COPYDATASTRUCT* data);
    LRESULT OnOpenCommandLine(WPARAM, LPARAM);
    LRESULT OnAsyncError(WPARAM, LPARAM);
    LRESULT OnPlayEnd(WPARAM, LPARAM);
    LRESULT OnHandOverOpen(WPARAM, LPARAM);
    LRESULT OnPlacePanes(WPARAM, LPARAM);
    LRESULT OnInetStatus(WPARAM, LPARAM);
    void OnFileOpenURL();
    void OnAppAbout();

    // Opens a URL through the opening dialog and takes its reader; true when it opened.
    bool OpenURL(const std::wstring& url, bool play);

protected:
    DECLARE_MESSAGE_MAP()

private:
    // The engine reader of the open presentation's current block (null when none is open).
    VideoReader* Reader();
    // The network reader of the open URL (null when none is open).
    InetWMAAsyncReader* NetReader();
    void OpenAndMaybePlay(const std::wstring& path, bool play);
    std::wstring StartNetReader(InetWMAAsyncReader* reader);

    bool m_showingError = false;
    DeferredClose m_deferredClose;
    std::wstring m_handOverPath;
    bool m_handOverPlay = false;
};

// The network reader's announcement of new status items.
constexpr UINT WM_APP_INET_STATUS = WM_APP + 7;
// Private message: open the path handed over by another copy (after the sender is answered).
constexpr UINT WM_APP_HANDOVER_OPEN = WM_APP + 11;
// Private message: put the view's video windows over the frame again.
constexpr UINT WM_APP_PLACE_PANES = WM_APP + 12;
// Opens a presentation for the document (the interim reader over the engine).
