// Themed drawing of image buttons and the right-click notice.
#include "WinNT_SP/Include_VS2005/ui/ButtonEx.h"

#include "WinNT_SP/Include_VS2005/ui/VisualStyles.h"

#include <commctrl.h>
#include <vsstyle.h>

BEGIN_MESSAGE_MAP(ButtonEx, CButton)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_WM_RBUTTONUP()
END_MESSAGE_MAP()

POINT ButtonEx::ImagePosition(DWORD style, const RECT& content, SIZE image, bool pressed)
{
    POINT p;
    const DWORD horizontal = style & (BS_LEFT | BS_RIGHT);
    if (horizontal == BS_LEFT) {
        p.x = content.left;
    } else if (horizontal == BS_RIGHT) {
        p.x = content.right - image.cx;
    } else {
        p.x = content.left + (content.right - content.left - image.cx) / 2;
    }
    const DWORD vertical = style & (BS_TOP | BS_BOTTOM);
    if (vertical == BS_TOP) {
        p.y = content.top;
    } else if (vertical == BS_BOTTOM) {
        p.y = content.bottom - image.cy;
    } else {
        p.y = content.top + (content.bottom - content.top - image.cy) / 2;
    }
    if (pressed) {
        ++p.x;
        ++p.y;
    }
    return p;
}

void ButtonEx::OnCustomDraw(NMHDR* header, LRESULT* result)
{
    *result = CDRF_DODEFAULT;
    const DWORD style = static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_STYLE));
    if (!(style & (BS_ICON | BS_BITMAP)) || !IsThemingActive()) {
        return;
    }
    auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(header);
    if (draw->dwDrawStage != CDDS_PREERASE && draw->dwDrawStage != CDDS_PREPAINT) {
        return;
    }
    if (draw->dwDrawStage == CDDS_PREERASE) {
        VisualStyles::DrawThemeParentBackground()(m_hWnd, draw->hdc, &draw->rc);
    }
    const bool disabled = !::IsWindowEnabled(m_hWnd);
    const bool checkedPushLike = (style & BS_PUSHLIKE) &&
                                 ::SendMessageW(m_hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    int state = PBS_NORMAL;
    if (disabled) {
        state = PBS_DISABLED;
    } else if (draw->uItemState & CDIS_SELECTED) {
        state = PBS_PRESSED;
    } else if (draw->uItemState & CDIS_HOT) {
        state = PBS_HOT;
    } else if (checkedPushLike) {
        state = PBS_PRESSED;
    } else if ((style & 0xF) == BS_DEFPUSHBUTTON) {
        state = PBS_DEFAULTED;
    }
    RECT content = draw->rc;
    if (HTHEME theme = VisualStyles::OpenThemeData()(m_hWnd, L"BUTTON")) {
        VisualStyles::DrawThemeBackground()(theme, draw->hdc, BP_PUSHBUTTON, state, &draw->rc,
                                            nullptr);
        VisualStyles::GetThemeBackgroundContentRect()(theme, draw->hdc, BP_PUSHBUTTON, state,
                                                      &draw->rc, &content);
        VisualStyles::CloseThemeData()(theme);
    }
    const bool pressed = state == PBS_PRESSED || checkedPushLike;
    const UINT disabledFlag = disabled ? DSS_DISABLED : 0;
    if (style & BS_BITMAP) {
        HBITMAP bitmap =
            reinterpret_cast<HBITMAP>(::SendMessageW(m_hWnd, BM_GETIMAGE, IMAGE_BITMAP, 0));
        BITMAP info;
        if (bitmap && GetObjectW(bitmap, sizeof(info), &info)) {
            const POINT p =
                ImagePosition(style, content, {info.bmWidth, info.bmHeight}, pressed);
            DrawStateW(draw->hdc, nullptr, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, p.x, p.y,
                       info.bmWidth, info.bmHeight, DST_BITMAP | disabledFlag);
        }
    } else {
        HICON icon = reinterpret_cast<HICON>(::SendMessageW(m_hWnd, BM_GETIMAGE, IMAGE_ICON, 0));
        ICONINFO ii;
        if (icon && GetIconInfo(icon, &ii)) {
            BITMAP info = {};
            SIZE size = {0, 0};
            if (ii.hbmColor && GetObjectW(ii.hbmColor, sizeof(info), &info)) {
                size = {info.bmWidth, info.bmHeight};
            } else if (ii.hbmMask && GetObjectW(ii.hbmMask, sizeof(info), &info)) {
                size = {info.bmWidth, info.bmHeight / 2};
            }
            if (ii.hbmColor) {
                DeleteObject(ii.hbmColor);
            }
            if (ii.hbmMask) {
                DeleteObject(ii.hbmMask);
            }
            const POINT p = ImagePosition(style, content, size, pressed);
            DrawStateW(draw->hdc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, p.x, p.y,
                       size.cx, size.cy, DST_ICON | disabledFlag);
        }
    }
    if (draw->uItemState & CDIS_FOCUS) {
        DrawFocusRect(draw->hdc, &content);
    }
    *result = CDRF_SKIPDEFAULT;
}

void ButtonEx::OnRButtonUp(UINT, CPoint)
{
    NMHDR header;
    header.hwndFrom = m_hWnd;
    header.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hWnd));
    header.code = NM_RCLICK;
    ::SendMessageW(::GetParent(m_hWnd), WM_NOTIFY, header.idFrom,
                   reinterpret_cast<LPARAM>(&header));
}
