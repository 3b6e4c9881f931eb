// Scroll-bar drawing in three looks: the "SCROLLBAR" visual style, a flat face with Marlett
// arrows, and the classic frame controls (also the fallback when visual styles are off).
#include "toolkit/controls/CUTKScrollBarPaintManager.h"

#include <windows.h>
#include <uxtheme.h>
#include <vsstyle.h>

#include <algorithm>

#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKFontDC.h"
#include "toolkit/controls/CUTKScrollBase.h"
#include "toolkit/themes/CUTKPaintManager.h"

namespace {

// A rectangle [start, end) along the bar's axis, the bar's full thickness across it.
CRect AxisRect(const UTK_SCROLLBAR_POSINFO& s, int start, int end)
{
    if (s.vertical)
        return CRect(s.pxLeft, start, s.pxRight, end);
    return CRect(start, s.pxLeft, end, s.pxRight);
}

COLORREF Color(int index) { return GetColorManager()->GetColor(index); }

int TrackState(BOOL enabled, BOOL pressed, BOOL hot)
{
    if (!enabled)
        return 4;
    if (pressed)
        return 3;
    return hot ? 2 : 1;
}

}  // namespace

CUTKScrollBarPaintManager::CUTKScrollBarPaintManager(CUTKPaintManager* paintManager)
    : m_pPaintManager(paintManager)
{
    m_themeScrollBar.OpenThemeData(nullptr, L"SCROLLBAR");
    m_cxHScroll = ::GetSystemMetrics(SM_CXHSCROLL);
    m_cyHScroll = ::GetSystemMetrics(SM_CYHSCROLL);
    m_cyVScroll = ::GetSystemMetrics(SM_CYVSCROLL);
    m_cxVScroll = ::GetSystemMetrics(SM_CXVSCROLL);
}

CUTKScrollBarPaintManager::~CUTKScrollBarPaintManager() { m_themeScrollBar.CloseThemeData(); }

void CUTKScrollBarPaintManager::RefreshMetrics()
{
    m_themeScrollBar.OpenThemeData(nullptr, L"SCROLLBAR");
    m_cxHScroll = ::GetSystemMetrics(SM_CXHSCROLL);
    m_cyHScroll = ::GetSystemMetrics(SM_CYHSCROLL);
    m_cyVScroll = ::GetSystemMetrics(SM_CYVSCROLL);
    m_cxVScroll = ::GetSystemMetrics(SM_CXVSCROLL);
}

void CUTKScrollBarPaintManager::DrawArrowGlyph(CDC* dc, CRect rc, BOOL horizontal, BOOL first,
                                               BOOL enabled)
{
    const int side = std::min(rc.Width(), rc.Height());
    if (side < 6)
        return;
    CFont font;
    if (!font.CreateFont(side - 4, 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, 0, 0, 0, 0,
                         L"MARLETT"))
        return;
    const wchar_t glyph = horizontal ? (first ? L'3' : L'4') : (first ? L'5' : L'6');
    // The font is selected out before it is destroyed (the DC scope ends first).
    CUTKFontDC fontDC(dc, &font);
    const COLORREF ink = enabled ? RGB(0, 0, 0) : ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF oldColor = dc->SetTextColor(ink);
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    dc->TextOut((rc.Width() - side) / 2 + rc.left + 2, (rc.Height() - side) / 2 + rc.top + 2,
                &glyph, 1);
    dc->SetBkMode(oldMode);
    dc->SetTextColor(oldColor);
}

void CUTKScrollBarPaintManager::DrawScrollBar(CDC* dc, CUTKScrollBase* scrollBar)
{
    if (dc == nullptr || scrollBar == nullptr)
        return;
    const UTK_SCROLLBAR_POSINFO& s = scrollBar->GetScrollBarPosInfo();
    const UTK_SCROLLBAR_TRACKINFO* track = scrollBar->GetTrackInfo();
    int hot = UTK_HTNONE;
    int pressed = UTK_HTNONE;
    if (track != nullptr)
        pressed = (track->thumb || track->inside) ? s.hotPart : UTK_HTNONE;
    else
        hot = s.hotPart;
    if (s.pxRight - s.pxLeft < 1)
        return;

    const long long range = static_cast<long long>(s.posMax) - s.posMin + 1;
    const BOOL enabled = range > s.page && scrollBar->IsScrollBarEnabled();
    const BOOL thumbShown = enabled && s.pxThumbBottom <= s.pxDownArrow;

    const CRect rcUp = AxisRect(s, s.pxTop, s.pxUpArrow);
    const CRect rcDown = AxisRect(s, s.pxDownArrow, s.pxBottom);
    const CRect rcTrack = AxisRect(s, s.pxUpArrow, s.pxDownArrow);
    CRect rcPageUp = rcTrack;
    CRect rcThumb;
    CRect rcPageDown;
    if (thumbShown) {
        rcPageUp = AxisRect(s, s.pxUpArrow, s.pxThumbTop);
        rcThumb = AxisRect(s, s.pxThumbTop, s.pxThumbBottom);
        rcPageDown = AxisRect(s, s.pxThumbBottom, s.pxDownArrow);
    }

    const int style = scrollBar->GetScrollBarStyle();
    if (style == 3 && m_themeScrollBar.IsThemeOpen() && m_themeScrollBar.IsAppThemed()) {
        const int firstBase = s.vertical ? ABS_UPNORMAL : ABS_LEFTNORMAL;
        const int secondBase = s.vertical ? ABS_DOWNNORMAL : ABS_RIGHTNORMAL;
        auto arrowState = [&](int base, int part) {
            if (!enabled)
                return base + 3;
            if (pressed == part)
                return base + 2;
            return hot == part ? base + 1 : base;
        };
        if (!rcUp.IsRectEmpty())
            m_themeScrollBar.DrawThemeBackground(dc->GetSafeHdc(), SBP_ARROWBTN,
                                                 arrowState(firstBase, UTK_HTSCROLLUP), &rcUp,
                                                 nullptr);
        if (!rcDown.IsRectEmpty())
            m_themeScrollBar.DrawThemeBackground(dc->GetSafeHdc(), SBP_ARROWBTN,
                                                 arrowState(secondBase, UTK_HTSCROLLDOWN),
                                                 &rcDown, nullptr);
        if (rcTrack.IsRectEmpty())
            return;
        const int lowerPart = s.vertical ? SBP_LOWERTRACKVERT : SBP_LOWERTRACKHORZ;
        const int upperPart = s.vertical ? SBP_UPPERTRACKVERT : SBP_UPPERTRACKHORZ;
        if (!rcPageUp.IsRectEmpty())
            m_themeScrollBar.DrawThemeBackground(
                dc->GetSafeHdc(), lowerPart,
                TrackState(enabled, pressed == UTK_HTSCROLLUPPAGE, hot == UTK_HTSCROLLUPPAGE),
                &rcPageUp, nullptr);
        if (!rcPageDown.IsRectEmpty())
            m_themeScrollBar.DrawThemeBackground(
                dc->GetSafeHdc(), upperPart,
                TrackState(enabled, pressed == UTK_HTSCROLLDOWNPAGE, hot == UTK_HTSCROLLDOWNPAGE),
                &rcPageDown, nullptr);
        if (!rcThumb.IsRectEmpty()) {
            const int state =
                TrackState(enabled, pressed == UTK_HTSCROLLTHUMB, hot == UTK_HTSCROLLTHUMB);
            m_themeScrollBar.DrawThemeBackground(
                dc->GetSafeHdc(), s.vertical ? SBP_THUMBBTNVERT : SBP_THUMBBTNHORZ, state,
                &rcThumb, nullptr);
            if (s.pxThumbBottom - s.pxThumbTop > 13)
                m_themeScrollBar.DrawThemeBackground(
                    dc->GetSafeHdc(), s.vertical ? SBP_GRIPPERVERT : SBP_GRIPPERHORZ, state,
                    &rcThumb, nullptr);
        }
        return;
    }

    if (style == 2) {
        auto flatArrow = [&](CRect rc, BOOL first, int part) {
            if (rc.IsRectEmpty())
                return;
            dc->FillSolidRect(&rc, Color(15));
            if (pressed == part)
                dc->Draw3dRect(&rc, Color(16), Color(20));
            else
                dc->Draw3dRect(&rc, Color(20), Color(16));
            DrawArrowGlyph(dc, rc, !s.vertical, first, enabled);
        };
        flatArrow(rcUp, TRUE, UTK_HTSCROLLUP);
        flatArrow(rcDown, FALSE, UTK_HTSCROLLDOWN);
    } else {
        auto frameArrow = [&](CRect rc, UINT kind, int part) {
            if (rc.IsRectEmpty())
                return;
            UINT state = kind;
            if (pressed == part)
                state |= DFCS_PUSHED;
            if (!enabled)
                state |= DFCS_INACTIVE;
            dc->DrawFrameControl(&rc, DFC_SCROLL, state);
        };
        frameArrow(rcUp, s.vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT, UTK_HTSCROLLUP);
        frameArrow(rcDown, s.vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT, UTK_HTSCROLLDOWN);
    }

    if (rcTrack.IsRectEmpty())
        return;
    CWnd* parent = scrollBar->GetParentWindow();
    HWND parentWnd = parent != nullptr ? parent->GetSafeHwnd() : nullptr;
    HBRUSH trackBrush = nullptr;
    if (parentWnd != nullptr)
        trackBrush = reinterpret_cast<HBRUSH>(
            ::DefWindowProcW(parentWnd, WM_CTLCOLORSCROLLBAR,
                             reinterpret_cast<WPARAM>(dc->GetSafeHdc()),
                             reinterpret_cast<LPARAM>(parentWnd)));
    if (trackBrush == nullptr)
        trackBrush = ::GetSysColorBrush(COLOR_SCROLLBAR);
    ::FillRect(dc->GetSafeHdc(), &rcTrack, trackBrush);
    if (pressed == UTK_HTSCROLLUPPAGE && !rcPageUp.IsRectEmpty())
        dc->InvertRect(&rcPageUp);
    if (pressed == UTK_HTSCROLLDOWNPAGE && !rcPageDown.IsRectEmpty())
        dc->InvertRect(&rcPageDown);
    if (!rcThumb.IsRectEmpty()) {
        CRect rc = rcThumb;
        dc->FillSolidRect(&rc, Color(15));
        if (style == 2)
            dc->Draw3dRect(&rc, Color(20), Color(16));
        else
            dc->DrawEdge(&rc, EDGE_RAISED, BF_RECT | BF_ADJUST);
    }
}

int CUTKScrollBarPaintManager::GetBaseTheme() const
{
    return m_pPaintManager != nullptr ? m_pPaintManager->GetBaseTheme() : 0;
}
