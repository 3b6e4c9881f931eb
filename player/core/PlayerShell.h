// What the player core calls of the shell: the main frame's handlers and values (with the
// keyboard shortcut texts and the speed menu's actions), the view's layout commands and the tray
// control. The shell's frame implements these; until the full shell exists the interim frame
// does, and tests put fakes in their place. The program registers its windows only through
// SetMainFrame, SetMainView and SetTray.
#pragma once

#include "WinNT_SP/Include_VS2005/WindowHelpers.h"  // WM_APP_NET_STATUS

#include <windows.h>
#include <mmreg.h>

#include <string>

class IPlayerShell {
public:
    virtual HWND GetWindow() = 0;
    virtual double GetDuration() = 0;  // the length the position display shows
    virtual void UpdatePosition() = 0;
    virtual BOOL IsPaneVisible(UINT paneId) = 0;
    virtual void SetPaneSize(UINT paneId, int width, int height) = 0;
    virtual HACCEL GetAccelTable() = 0;
    virtual int GetSelectedBookmarkCount() = 0;
    virtual BOOL GetQuickSpeedSwitch() = 0;  // "QuickSpeedSwitch" of the playback options

    virtual void OnStop() = 0;
    virtual void OnPlay() = 0;
    virtual void OnSpeedLess() = 0;
    virtual void OnSpeedMore() = 0;
    virtual void OnPause() = 0;
    virtual void OnGoLeft() = 0;
    virtual void OnGoRight() = 0;
    virtual void OnGoToStart() = 0;
    virtual void OnGoToEnd() = 0;
    virtual void OnGoLeftFrame() = 0;
    virtual void OnGoRightFrame() = 0;
    virtual void ResetSpeed() = 0;
    virtual void RefreshBookmarks() = 0;
    // The slider is the frame's current position slider for the duration of the call.
    virtual void OnPositionSliderScroll(UINT code, HWND slider) = 0;
    // Called on the engine's streaming thread.
    virtual void OnAudioLevelData(int source, const WAVEFORMATEX* format, const BYTE* data,
                                  long bytes) = 0;
    // The speed popup under the button, without the list-editing entry.
    virtual void TrackSpeedMenu(HWND button, HWND owner) = 0;
    // The shortcut text of a command from the shell's keyboard shortcuts (empty: none).
    virtual std::wstring GetShortcutText(unsigned commandId) = 0;
    // What the speed menu's choices ask of the frame: the list editor, the running speed taken
    // over by the engine, the chosen speed clamped before playing starts (then OnPlay).
    virtual void OnSpeedEdit() = 0;
    virtual void ApplySpeed() = 0;
    virtual void ClampSpeed() = 0;

protected:
    ~IPlayerShell() = default;
};

class IPlayerView {
public:
    virtual void ApplyVideoViewMode() = 0;
    virtual void OnVideoOnlyCamera() = 0;
    virtual void OnVideoOnlyScreen() = 0;
    virtual void OnVideoCameraUp() = 0;
    virtual void OnVideoCameraLeft() = 0;

protected:
    ~IPlayerView() = default;
};

class ITrayControl {
public:
    virtual void ReadSettings() = 0;
    virtual BOOL IsTrayMode() = 0;
    virtual BOOL MinimizeApp() = 0;
    virtual BOOL RestoreApp() = 0;
    virtual BOOL ApplyTrayMode() = 0;

protected:
    ~ITrayControl() = default;
};

// Program-wide pointers; null while the object does not exist.
IPlayerShell* MainFrame();
void SetMainFrame(IPlayerShell* frame);
IPlayerView* MainView();
void SetMainView(IPlayerView* view);
// The hidden owner window of the main frame (null before it exists).
HWND HiddenOwnerWindow();
void SetHiddenOwnerWindow(HWND window);
// Never null: a plain taskbar control stands in until the shell installs its own.
ITrayControl& Tray();
void SetTray(ITrayControl* tray);

// Messages posted or sent to the main frame.
constexpr UINT WM_APP_ASYNC_ERROR = WM_APP + 4;
constexpr UINT WM_APP_THREAD_ERROR = WM_APP + 5;
constexpr UINT WM_APP_PLAY_END = WM_APP + 6;
constexpr UINT WM_APP_OPEN_CMDLINE = WM_APP + 10;

constexpr UINT PANE_VIDEO = 4001;
