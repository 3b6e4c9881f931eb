// A video surface made of a window somebody else owns: the board subclasses the window,
// paints it black while no video is drawn, hands moves, sizes and paints to the view
// controller, offers the video context menu and turns a double-click into full screen.
#pragma once

#include <windows.h>

class ViewController;

class CVideoBoard {
public:
    static constexpr UINT kLeaveFullScreen = WM_USER + 111;
    static constexpr UINT_PTR kRepaintTimer = 1;

    CVideoBoard();
    virtual ~CVideoBoard();
    CVideoBoard(const CVideoBoard&) = delete;
    CVideoBoard& operator=(const CVideoBoard&) = delete;

    void SetController(ViewController* controller) { m_controller = controller; }
    // FALSE when the window is already a board's: chaining two boards would make the shared
    // procedure call itself for ever.
    BOOL Attach(HWND window);
    void Detach();
    void SetFill(BOOL fill);
    BOOL GetFill() const { return m_fill; }
    void StartRepaintTimer();
    HWND Window() const { return m_window; }

    // The board subclassing a window, or NULL.
    static CVideoBoard* FromWindow(HWND window);

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnPaint();

private:
    static LRESULT CALLBACK SharedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnContextMenu(HWND owner, POINT at);
    LRESULT PassOn(UINT message, WPARAM wParam, LPARAM lParam);

    ViewController* m_controller = nullptr;
    HWND m_window = nullptr;
    WNDPROC m_previousProc = nullptr;
    LONG_PTR m_previousUserData = 0;
    HBRUSH m_brush = nullptr;
    BOOL m_fill = TRUE;
};
