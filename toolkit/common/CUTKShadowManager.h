// CUTKShadowManager: drop shadows of popup bars and other floating windows. A shadow is a
// small top-level window along the right or bottom edge of its owner, an alpha-blended layered
// window when the system allows it, a solid 2-pixel strip otherwise. Shadows watch their owner
// through the hook manager: they hide and show with it and die with it. Reference counted: the
// paint manager holds one reference, every shadow another.
#pragma once

#include "toolkit/common/CUTKHookManagerHookAble.h"

#include "platform/framework/CList.h"
#include "platform/framework/window/FrameworkWindows.h"

class CUTKShadowManager : public CCmdTarget {
public:
    using PFNUPDATELAYEREDWINDOW = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF,
                                                 BLENDFUNCTION*, DWORD);

    // Draw shadows even when the system's drop-shadow setting is off or alpha blending is not
    // possible, with the lighter alpha.
    static constexpr int optionAlways = 0x1;
    // Cut new shadows against the exclusion rectangle given to SetShadow.
    static constexpr int optionClipExclusion = 0x2;

    class CShadowWnd : public CWnd, public CUTKHookManagerHookAble {
    public:
        CShadowWnd(CUTKShadowManager* manager, HWND owner, LPVOID group, BOOL rectangleShadow);
        ~CShadowWnd() override;

        int OnHookMessage(HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam,
                          LRESULT& result) override;

        // Renders the layered strip for the window's present size.
        void UpdateLayered(int cx, int cy);
        // Cuts the rectangle (screen coordinates) out of the shadow's window region.
        void ExcludeRect(const CRect& rect);

        int m_kind = 0;
        BOOL m_regionSet = FALSE;
        HWND m_owner = nullptr;
        LPVOID m_group = nullptr;
        BOOL m_rectangleShadow = FALSE;
        CUTKShadowManager* m_manager = nullptr;

        BOOL OnEraseBkgnd(CDC* pDC);
        LRESULT OnNcHitTest(CPoint point);
        void OnPaint();
        void OnSize(UINT nType, int cx, int cy);

        DECLARE_MESSAGE_MAP()
    };

    class CShadowList : public CList<CShadowWnd*, CShadowWnd*> {
    public:
        CShadowList() : CList<CShadowWnd*, CShadowWnd*>(10) {}
    };

    CUTKShadowManager();
    ~CUTKShadowManager() override;

    // Shadows along the bottom and right edges of the bar (and the corner pixel of a shaped
    // bar). Shadows of one group stay off each other's owners.
    void SetShadow(CWnd* bar, const CRect& exclusionRect, LPVOID group);
    // Shadows of a rectangle (a control that opened the popup bar, in screen coordinates) that
    // die with the bar; only when both option bits are set.
    void SetRectShadow(int left, int top, int right, int bottom, CWnd* owner);
    void SetShadowForControl(int left, int top, int right, int bottom, CWnd* popupBar)
    {
        SetRectShadow(left, top, right, bottom, popupBar);
    }
    // The owner grew by dx, dy: its edge shadows move and stretch with it.
    void OffsetShadow(CWnd* owner, int dx, int dy);
    void RemoveShadow(CWnd* owner);
    void DestroyShadow(CShadowWnd* shadow);

    const CShadowList& GetShadows() const noexcept { return *m_shadows; }
    // The strip thickness for the present settings.
    int GetThickness() const noexcept;

    // Fields the themes set and the tests inspect.
    BOOL m_saveBits = TRUE;
    PFNUPDATELAYEREDWINDOW m_updateLayeredWindow = nullptr;
    BOOL m_alphaShadows = FALSE;
    int m_options = 0;
    COLORREF m_shadowColor = RGB(0, 0, 0);

private:
    CShadowWnd* CreateShadow(int kind, const CRect& barRect, const CRect& exclusionRect,
                             HWND owner, BOOL rectangleShadow, LPVOID group);

    CShadowList* m_shadows = nullptr;
};
