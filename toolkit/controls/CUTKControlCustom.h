// A command-bar control that hosts an application's own child window (a slider, a meter...):
// it reserves the window's size plus borders in the layout, moves the window into the bar
// window at its rectangle, shows it only while the control is visible there, enables it with
// the control and hands mouse movement over the window on to the bar for hot tracking.
#pragma once

#include "toolkit/common/CUTKHookManagerHookAble.h"
#include "toolkit/controls/CUTKControlButton.h"

class CUTKCommandBars;

class CUTKControlCustom : public CUTKControlButton, public CUTKHookManagerHookAble {
    DECLARE_SERIAL(CUTKControlCustom)

public:
    // Behaviour in vertical bars ("VerticalOptions").
    enum : int { verticalHide = 0, verticalShow = 1, verticalHideWindow = 2 };

    CUTKControlCustom();
    ~CUTKControlCustom() override;

    void SetEnabled(BOOL enabled) override;                                // 24
    void SetRect(CRect rcControl) override;                                // 30
    void SetHideFlags(DWORD hideFlags) override;                           // 36
    CSize GetSize(CDC* pDC) override;                                      // 38
    void Draw(CDC* pDC) override;                                          // 39
    void OnCalcDynamicSize(DWORD layoutFlags) override;                    // 40
    void DoPropExchange(CUTKPropExchange* px) override;                    // 42
    void Copy(CUTKControl* source, BOOL recursive = FALSE) override;       // 51
    void OnClick(BOOL keyboard = FALSE, CPoint pt = CPoint(0, 0)) override; // 52
    void OnRemoved() override;                                             // 74
    void OnActionChanged(int property) override;                           // 79
    CUTKControl* Clone(BOOL recursive = FALSE) override;                   // 82

    int OnHookMessage(HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam,
                      LRESULT& result) override;

    // The hosted window (not owned) and its size in the layout.
    void SetControl(HWND window);
    HWND GetControl() const { return m_window; }
    void SetSize(CSize size) { m_controlSize = size; }
    CSize GetControlSize() const { return m_controlSize; }
    void SetBorders(int left, int top, int right, int bottom);
    CRect GetBorders() const { return m_borders; }
    void SetVerticalPositionOption(int option) { m_verticalOptions = option; }
    int GetVerticalPositionOption() const { return m_verticalOptions; }
    void SetControlID(int id) { m_controlId = id; }
    int GetControlID() const { return m_controlId; }

    void UpdateWindowVisibility();
    // The child of the site window with that control id, else of the first bar that has one.
    static HWND FindControlWindow(CUTKCommandBars* commandBars, int id);

    HWND m_window = nullptr;
    CRect m_borders{0, 0, 0, 0};       // "Borders"
    BOOL m_shownInLayout = TRUE;
    CSize m_controlSize{0, 0};         // "ControlSize"
    int m_verticalOptions = verticalHide; // "VerticalOptions"
    int m_controlId = 0;               // "ControlId"

private:
    BOOL HasLiveWindow() const { return m_window != nullptr && ::IsWindow(m_window); }
};
