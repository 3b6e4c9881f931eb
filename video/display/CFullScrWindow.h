// A window over a whole monitor for one video stream in full screen. The stream's renderer
// draws into it through its video board; keys and activation changes that end full screen
// post the board's leave message; the mouse cursor hides after a pause without movement.
#pragma once

#include "platform/framework/window/FrameworkWindows.h"

#include <memory>
#include <string>

class CFullScrPanel;
class ViewController;

class CFullScrWindow : public CDialog {
public:
    static constexpr UINT kCursorDelay = 5000;
    static constexpr UINT kPanelDelay = 3000;

    // Kind 1 camera, 2 screen; the monitor comes from the playback settings text.
    CFullScrWindow(ViewController* controller, HWND normalWindow, int kind,
                   const wchar_t* settingsText);
    ~CFullScrWindow() override;

    std::wstring Show(BOOL show);
    void OnTimer(UINT_PTR id);
    BOOL IsShown() const { return m_shown; }
    BOOL IsCursorHidden() const { return m_cursorHidden; }
    const RECT& MonitorRect() const { return m_monitorRect; }
    UINT_PTR CursorTimerId() const { return m_cursorTimerId; }
    UINT_PTR PanelTimerId() const { return m_panelTimerId; }
    CFullScrPanel* Panel() const { return m_panel.get(); }
    BOOL IsCursorOverPanel() const;
    // The window that owns the thread's key and mouse hooks (the first one made), or NULL.
    static CFullScrWindow* HookOwner() { return s_hookOwner; }

    BOOL OnInitDialog() override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCancel() override;

private:
    void LeaveFullScreen();
    void ShowCursorAndArm();
    void RevealCursor();
    void OnCursorTimer();
    void OnMouseMove(POINT point);
    void ShowPanelAndArm();
    void OnPanelTimer();
    void InstallHooks();
    void RemoveHooks();
    static LRESULT CALLBACK KeyHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam);

    // One set of hooks serves the thread's full-screen windows: the first one's.
    static CFullScrWindow* s_hookOwner;
    static HHOOK s_keyHook;
    static HHOOK s_mouseHook;

    int m_kind;
    UINT_PTR m_panelTimerId;
    UINT_PTR m_cursorTimerId;
    ViewController* m_controller;
    HWND m_normalWindow;
    std::unique_ptr<CFullScrPanel> m_panel;
    BOOL m_shown = FALSE;
    BOOL m_hideCursor = TRUE;
    BOOL m_cursorHidden = FALSE;
    POINT m_lastMouse{-1, -1};
    RECT m_monitorRect{};
};
