// The program-wide pointers to the shell's frame, view and tray control.
#include "player/core/PlayerShell.h"

#include "WinNT_SP/Include_VS2005/Sett.h"

#include <atomic>

namespace {

std::atomic<IPlayerShell*> g_frame{nullptr};
std::atomic<IPlayerView*> g_view{nullptr};
std::atomic<HWND> g_hiddenOwner{nullptr};

// Taskbar mode only: minimises and restores the main window.
class TaskbarTray final : public ITrayControl {
public:
    void ReadSettings() override
    {
        const TypedValue& v = AppSettings().Item(SETT_MinimizeToTray);
        m_trayMode = v.IsSet() && v.GetInt(0) != 0;
    }
    BOOL IsTrayMode() override { return m_trayMode ? TRUE : FALSE; }
    BOOL MinimizeApp() override
    {
        IPlayerShell* frame = MainFrame();
        return frame ? ShowWindow(frame->GetWindow(), SW_MINIMIZE) : FALSE;
    }
    BOOL RestoreApp() override
    {
        IPlayerShell* frame = MainFrame();
        if (!frame) {
            return FALSE;
        }
        HWND window = frame->GetWindow();
        ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
        SetForegroundWindow(window);
        return TRUE;
    }
    BOOL ApplyTrayMode() override { return TRUE; }

private:
    bool m_trayMode = false;
};

TaskbarTray g_taskbarTray;
std::atomic<ITrayControl*> g_tray{&g_taskbarTray};

}  // namespace

IPlayerShell* MainFrame() { return g_frame.load(); }
void SetMainFrame(IPlayerShell* frame) { g_frame.store(frame); }
IPlayerView* MainView() { return g_view.load(); }
void SetMainView(IPlayerView* view) { g_view.store(view); }
ITrayControl& Tray() { return *g_tray.load(); }
void SetTray(ITrayControl* tray) { g_tray.store(tray ? tray : &g_taskbarTray); }
HWND HiddenOwnerWindow() { return g_hiddenOwner.load(); }
void SetHiddenOwnerWindow(HWND window) { g_hiddenOwner.store(window); }
