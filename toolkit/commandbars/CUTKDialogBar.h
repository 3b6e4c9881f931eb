// CUTKDialogBar: a toolbar that hosts one child window (a dialog or any window) in its client
// area instead of buttons. It docks and floats like a toolbar, has an optional caption strip with
// a caption control that can open a popup and a hide button, is resized by its edges, keeps
// separate client sizes docked and floating, and draws its caption active while the keyboard
// focus is inside it.
#pragma once

#include <windows.h>

#include "toolkit/commandbars/CUTKPopupBar.h"
#include "toolkit/commandbars/CUTKToolBar.h"
#include "toolkit/controls/CUTKControlButton.h"
#include "toolkit/controls/CUTKControlPopup.h"

class CUTKDialogBar : public CUTKToolBar {
    DECLARE_DYNCREATE(CUTKDialogBar)

public:
    static constexpr int kCaptionPopupId = 9147;
    static constexpr int kCaptionButtonSize = 16;

    // The popup opened from the caption; it opens below the caption control's left edge.
    class CCaptionPopupBar : public CUTKPopupBar {
        DECLARE_DYNCREATE(CCaptionPopupBar)
    public:
        CCaptionPopupBar();
        void UpdateFlags() override;
    };

    // The caption text; with entries in the caption popup it shows a triangle and opens it.
    class CControlCaptionPopup : public CUTKControlPopup {
        DECLARE_DYNCREATE(CControlCaptionPopup)
    public:
        CControlCaptionPopup();
        void AdjustExcludeRect(CRect& rc, BOOL vertical) override;
        BOOL SetPopuped(BOOL popuped) override;
        void Draw(CDC* pDC) override;
        BOOL HasPopup() const { return m_bHasPopup; }
        void SetHasPopup(BOOL b) { m_bHasPopup = b; }

    private:
        BOOL m_bHasPopup = FALSE;
    };

    // The caption's hide button (the Marlett cross).
    class CControlButtonHide : public CUTKControlButton {
        DECLARE_DYNCREATE(CControlButtonHide)
    public:
        CControlButtonHide();
        void OnExecute() override;
        void SetBeginGroup(BOOL beginGroup) override;
        void Draw(CDC* pDC) override;
    };

    CUTKDialogBar();
    ~CUTKDialogBar() override;

    // Both client sizes (docked and floating).
    void SetSize(int cx, int cy);
    void SetCaptionVisible(BOOL bVisible);
    BOOL IsCaptionVisible() const { return m_bCaptionVisible; }
    void SetCaptionPopupEnabled(BOOL bEnabled) { m_bCaptionPopup = bEnabled; }
    void SetCaption(LPCTSTR lpszCaption);
    CString GetCaption() const { return m_strCaption; }
    void SetChild(CWnd* pChildWnd);
    HWND GetChildHwnd() const { return m_hwndChild; }
    void SetResizable(BOOL bResizable) { m_bResizable = bResizable; }
    BOOL IsResizable() const { return m_bResizable; }
    void SetMinimumSize(CSize size) { m_szMin = size; }
    CSize GetMinimumSize() const { return m_szMin; }
    CSize GetDockingClientSize() const { return m_szDockingClient; }
    void SetDockingClientSize(CSize size) { m_szDockingClient = size; }
    CSize GetFloatingClientSize() const { return m_szFloatingClient; }
    void SetFloatingClientSize(CSize size) { m_szFloatingClient = size; }
    int GetCaptionHeight() const { return m_nCaptionHeight; }
    BOOL IsActive() const { return m_bActive; }
    CCaptionPopupBar* GetCaptionPopupBar() const { return m_pCaptionPopup; }

    // The borders round the hosted window; the top one grows by the caption strip.
    void GetClientBorders(CRect& rcBorders);
    void MoveChild(int left, int top, int right, int bottom);
    // From the sizing loop: the new window rectangle dragged by the edge of the hit code.
    void OnResize(int left, int top, int right, int bottom, int nHitTest);

    // The window size for a client size, with the caption strip and its controls placed.
    CSize CalcCaptionLayout(int nLength, DWORD dwMode, int cxClient, int cyClient);

    // ---- overrides ----
    BOOL IsDialogBar() const override { return TRUE; }
    CSize CalcDockingLayout(int nLength, DWORD dwMode, int nWidth = 0) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    BOOL IsPointInBar(CPoint ptScreen) const override;
    LRESULT OnIdleUpdate(BOOL bDisableIfNoHandler, LPARAM lParam) override;
    void Copy(CUTKCommandBar* pCommandBar, BOOL bRecursive = FALSE) override;

    // Window-free rules.
    // Whether the focus window lies inside the bar: the bar itself, a descendant, or a window
    // whose owner (its parent when it has none) is a descendant.
    static BOOL IsFocusInside(HWND hwndBar, HWND hwndFocus);
    // The sizing edge under a screen point of a resizable bar, or 0 to leave it to the toolbar.
    static int ResizeHitTest(CRect rcWindow, CPoint pt, int position, DWORD flags);

protected:
    LRESULT OnSizeMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDialogNcHitTest(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    CUTKControl* FindControl(int nID, CRuntimeClass* pClass) const;
    // The caption strip as the paint manager measures it (drawing off).
    CSize MeasureCaption();

    CRect m_rcBorders{3, 3, 3, 3};
    BOOL m_bResizable = TRUE;
    CSize m_szMin{50, 50};
    BOOL m_bCaptionVisible = TRUE;
    BOOL m_bCaptionPopup = TRUE;
    int m_nCaptionHeight = 0;
    CSize m_szDockingClient{200, 200};   // "DialogBarDockingClientCx/Cy"
    CSize m_szFloatingClient{200, 200};  // "DialogBarFloatingClientCx/Cy"
    HWND m_hwndChild = nullptr;
    CString m_strCaption;
    CCaptionPopupBar* m_pCaptionPopup = nullptr;  // one reference
    BOOL m_bActive = FALSE;
};
