// CUTKMouseManager: one per user-interface thread. Keeps the command bars that track (open
// menus and popups, a menu bar in keyboard or mouse mode), watches the thread's mouse input
// through a WH_MOUSE hook so that a click outside the open menus closes them, holds the windows
// whose clicks do not count as outside, and watches one window for the mouse leaving it.
#pragma once

#include <windows.h>

#include "platform/framework/CArray.h"
#include "platform/framework/CTypedPtrArray.h"
#include "platform/framework/window/CNoTrackObject.h"

class CUTKCommandBar;

class CUTKMouseManager : public CNoTrackObject {
public:
    // The tracking bars, oldest first.
    class CTrackArray : public CTypedPtrArray<CPtrArray, CUTKCommandBar*> {
    public:
        // Index of the bar, -1 when absent.
        int Find(const CUTKCommandBar* bar) const;
    };
    // Windows whose area does not count as outside the tracked bars.
    class CTrustedArray : public CArray<HWND, HWND> {
    public:
        int Find(HWND wnd) const;
    };

    // Id and period of the mouse-leave watch timer.
    static constexpr UINT_PTR kMouseLeaveTimerId = 113341;
    static constexpr UINT kMouseLeavePeriod = 50;

    // Installs the thread's mouse hook (for the calling thread).
    CUTKMouseManager();
    ~CUTKMouseManager() override;

    // A bar enters tracking: the previously selected bar loses its hot control first when it
    // is the first tracked bar. Added once only.
    void AddTrackedBar(CUTKCommandBar* bar);
    // A bar leaves tracking. When no bar is tracked any more the cursor position is refreshed.
    // The ignore-button-up flag is cleared in any case.
    void RemoveTrackedBar(CUTKCommandBar* bar);
    // Closes every tracked bar (each OnTrackLost removes its bar from the list).
    void SendTrackLost();
    // With nested tracking (the first bar track-locked), closes the bars opened inside it.
    void SendTrackLostRecurse();
    // Raises (TRUE) or lowers (FALSE) the track-lock count of every tracked bar.
    void LockTrackRecurse(BOOL lock);
    // TRUE when bars are tracked and this bar is not part of the current tracking (null, locked
    // or not tracked): its mouse input, hover effects and tooltips are to be ignored.
    BOOL IsTrackedLock(const CUTKCommandBar* bar) const;
    // Asked by the modal tracking loop for each message: TRUE when it is a click that ends
    // tracking (outside the tracked bars, not on a trusted or IME window).
    BOOL PreviewTrackingClick(CUTKCommandBar* trackingBar, const MSG* msg);

    void AddTrustedWindow(HWND wnd);
    void RemoveTrustedWindow(HWND wnd);

    // Watches the window for the mouse leaving it (WM_MOUSELEAVE, posted); the previously
    // watched window gets WM_MOUSELEAVE at once.
    void TrackMouseLeave(HWND wnd);
    // Forgets the last mouse position and sets the cursor where it is, so that the system
    // produces a fresh mouse move.
    void RefreshCursorPosition();
    static BOOL IsTopParentActive(HWND wnd);

    // The capture (tracking lock) count: raised while one object owns the mouse (tear-off,
    // resize, dock drag, an open combo list, a focused edit field).
    void LockTracking() { ++m_nLock; }
    void UnlockTracking() { --m_nLock; }
    int GetLockCount() const { return m_nLock; }
    BOOL IsMouseLocked() const { return m_nLock > 0; }

    const CTrackArray& GetTrackArray() const { return m_arrTracked; }
    int GetTrackedCount() const { return static_cast<int>(m_arrTracked.GetSize()); }
    BOOL IsTracked(const CUTKCommandBar* bar) const { return m_arrTracked.Find(bar) != -1; }
    const CTrustedArray& GetTrustedArray() const { return m_arrTrusted; }

    CUTKCommandBar* GetSelected() const { return m_pSelected; }
    void SetSelected(CUTKCommandBar* bar) { m_pSelected = bar; }
    HWND GetMouseLeaveWnd() const { return m_hwndLeave; }
    BOOL IsMenusExpanded() const { return m_bMenusExpanded; }
    void SetMenusExpanded(BOOL expanded) { m_bMenusExpanded = expanded; }
    BOOL IsIgnoreLButtonUp() const { return m_bIgnoreLButtonUp; }
    void SetIgnoreLButtonUp(BOOL ignore) { m_bIgnoreLButtonUp = ignore; }
    HHOOK GetHook() const { return m_hHook; }

    // The process-wide last mouse position seen by the hooks of all threads ((-1, -1) when
    // forgotten). One atomic value, so x and y always belong together.
    static POINT GetLastMousePosition();
    static void SetLastMousePosition(POINT pt);

    // The hook's decision for one mouse message (window-free apart from the bar calls):
    // TRUE when the message is to be swallowed. Public so that tests can feed it directly.
    BOOL OnHookMouse(UINT message, POINT ptScreen);

    // Window-free rule of the click test once the bar under the point is known: the click is
    // outside when no tracked bar holds it, or the holding bar is track-locked while the
    // tracking bar is not.
    static BOOL IsClickOutside(int holderLockCount, BOOL holderFound, int trackingLockCount);

    // Access to the tracked bar used here; kept in one place so that the bar's header is
    // needed by one file only.
    static int GetBarTrackLock(const CUTKCommandBar* bar);
    static HWND GetBarHwnd(const CUTKCommandBar* bar);
    static int IsPointInBar(CUTKCommandBar* bar, POINT ptScreen);
    static void BarTrackLost(CUTKCommandBar* bar);
    static void BarResetSelection(CUTKCommandBar* bar);
    static void BarMouseMove(CUTKCommandBar* bar, POINT ptClient);
    static void BarAddTrackLock(CUTKCommandBar* bar, int delta);

private:
    static LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK MouseLeaveTimerProc(HWND wnd, UINT message, UINT_PTR id, DWORD time);
    void OnTrackedMouse(UINT message, POINT ptScreen);
    BOOL IsInTrustedWindow(POINT ptScreen) const;
    static BOOL IsImeWindow(HWND wnd);
    // The newest tracked bar that holds the point, or null.
    CUTKCommandBar* HitTestTracked(POINT ptScreen);

    int m_nLock = 0;
    CTrackArray m_arrTracked;
    HHOOK m_hHook = nullptr;
    CUTKCommandBar* m_pSelected = nullptr;
    HWND m_hwndLeave = nullptr;
    BOOL m_bMenusExpanded = FALSE;
    CTrustedArray m_arrTrusted;
    BOOL m_bIgnoreLButtonUp = FALSE;
};

// The calling thread's mouse manager, made on first use and freed with the thread's data.
CUTKMouseManager* GetThreadMouseManager();
