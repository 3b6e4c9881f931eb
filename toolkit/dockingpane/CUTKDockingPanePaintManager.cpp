#include "toolkit/dockingpane/CUTKDockingPanePaintManager.h"

#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKDrawHelpers.h"
#include "toolkit/common/CUTKFontDC.h"
#include "toolkit/common/CUTKPenDC.h"
#include "toolkit/common/CUTKResourceManager.h"
#include "toolkit/common/NonClientMetrics.h"
#include "toolkit/common/UTKDrawFunctions.h"
#include "toolkit/dockingpane/CUTKDockingPaneCaptionButton.h"
#include "toolkit/dockingpane/DockingCaptionOwner.h"
#include "toolkit/tabmanager/CUTKTabManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"
#include "toolkit/tabmanager/TabIconSeam.h"

#include <algorithm>

namespace {

// Visual-styles parts and states by number (the SDK's vssym32 values).
constexpr int kExplorerHeaderClose = 2;  // EBP_HEADERCLOSE
constexpr int kExplorerHeaderPin = 3;    // EBP_HEADERPIN
constexpr int kPushButton = 1;           // BP_PUSHBUTTON
constexpr int kToolbarButton = 1;        // TP_BUTTON
constexpr int kSmallCloseButton = 19;    // WP_SMALLCLOSEBUTTON
constexpr int kTextColor = 3803;         // TMT_TEXTCOLOR

int TextHeight(CFont* font)
{
    HWND desktop = ::GetDesktopWindow();
    HDC screen = ::GetWindowDC(desktop);
    if (screen == nullptr) {
        return 0;
    }
    CDC dc;
    dc.Attach(screen);
    int height = 0;
    {
        CUTKFontDC scope(&dc, font);
        height = dc.GetTextExtent(CString(L" ")).cy;
    }
    dc.Detach();
    ::ReleaseDC(desktop, screen);
    return height;
}

}  // namespace

CUTKDockingPanePaintManager::CUTKDockingPanePaintManager()
{
    m_clrSplitter.SetStandardValue(GetColorManager()->GetColor(COLOR_BTNSHADOW));
    m_clrSplitterFace.SetStandardValue(GetColorManager()->GetColor(COLOR_BTNFACE));
    m_clrDisabledCaptionText.SetStandardValue(GetColorManager()->GetColor(COLOR_GRAYTEXT));

    m_pPaneTabPaintManager = new CUTKTabPaintManager();
    m_pPaneTabPaintManager->SetLayout(CUTKTabPaintManager::layoutSizeToFit);
    m_pPaneTabPaintManager->SetPosition(CUTKTabPaintManager::positionBottom);
    m_pPaneTabPaintManager->m_nClientFrame = 1;
    m_pPaneTabPaintManager->m_bBoldSelected = FALSE;
    m_pPaneTabPaintManager->m_nToolTipBehaviour = 1;

    m_pPanelTabPaintManager = new CUTKTabPaintManager();
    m_pPanelTabPaintManager->SetLayout(CUTKTabPaintManager::layoutCompressed);
    m_pPanelTabPaintManager->m_nClientFrame = 2;
    m_pPanelTabPaintManager->m_bBoldSelected = FALSE;
    m_pPanelTabPaintManager->m_bFillBackground = FALSE;
    m_pPanelTabPaintManager->m_bInvertGradient = TRUE;
}

CUTKDockingPanePaintManager::~CUTKDockingPanePaintManager()
{
    m_pPaneTabPaintManager->InternalRelease();
    m_pPanelTabPaintManager->InternalRelease();
}

BOOL CUTKDockingPanePaintManager::IsThemeInUse(CUTKWinThemeWrapper& theme)
{
    return theme.IsThemeOpen() && theme.IsAppThemed();
}

BOOL CUTKDockingPanePaintManager::IsWindowThemeActive()
{
    return IsThemeInUse(m_themeWindow);
}

COLORREF CUTKDockingPanePaintManager::GetColor(int index) const
{
    if (index >= 0 && index < kColorCount) {
        return m_arrColor[index];
    }
    return static_cast<COLORREF>(index);
}

void CUTKDockingPanePaintManager::SetColors(int count, const int* indexes,
                                            const COLORREF* colors)
{
    for (int i = 0; i < count; ++i) {
        if (indexes[i] >= 0 && indexes[i] < kColorCount) {
            m_arrColor[indexes[i]] = colors[i];
        }
    }
}

int CUTKDockingPanePaintManager::GetCurrentSystemTheme() const
{
    CUTKColorManager* colors = GetColorManager();
    if (m_nSchemeSetting == 7) {
        return colors->IsLunaColorsDisabled() ? 0 : colors->GetCurrentSystemTheme();
    }
    if (m_nSchemeSetting == 6) {
        return colors->GetDetectedWinTheme();
    }
    return m_nSchemeSetting;
}

void CUTKDockingPanePaintManager::RefreshMetrics()
{
    RefreshGlobalColors();
    for (int i = 0; i < kColorCount; ++i) {
        m_arrColor[i] = GetColorManager()->GetColor(i);
    }
    m_clrSplitter.SetStandardValue(GetColor(COLOR_BTNSHADOW));
    m_clrSplitterFace.SetStandardValue(GetColor(COLOR_BTNFACE));
    m_clrDisabledCaptionText.SetStandardValue(GetColor(COLOR_GRAYTEXT));
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    m_clrSplitterGradient.SetStandardValue(
        face, CUTKColorManager::MixColors(face, ::GetSysColor(COLOR_WINDOW), 205), 0.5f);

    if (m_bUseSystemCaptionFont) {
        LOGFONTW font = {};
        NonClientMetrics metrics;
        if (metrics.IsValid()) {
            font = metrics.lfSmCaptionFont;
        } else {
            // Never an unfilled record: the icon-title font stands in.
            (void)GetIconLogFont(&font);
        }
        if (!m_bBoldCaption) {
            font.lfWeight = FW_NORMAL;
        }
        font.lfCharSet = GetResourceManager()->GetFontCharset();
        SetCaptionFont(&font, TRUE);
    }
    m_pPaneTabPaintManager->RefreshMetrics();
    m_pPanelTabPaintManager->RefreshMetrics();
    m_nTabsHeight = std::max(TextHeight(m_pPaneTabPaintManager->GetFont()) + 10, 24);

    m_themeExplorer.OpenThemeData(nullptr, L"EXPLORERBAR");
    m_themeButton.OpenThemeData(nullptr, L"BUTTON");
    m_themeToolbar.OpenThemeData(nullptr, L"TOOLBAR");
    m_themeWindow.OpenThemeData(nullptr, L"WINDOW");
    m_bLunaColorsInEffect = FALSE;
}

void CUTKDockingPanePaintManager::SetCaptionFont(const LOGFONT* font, BOOL useSystemFont)
{
    m_bUseSystemCaptionFont = useSystemFont;
    if (font == nullptr) {
        return;
    }
    LOGFONT caption = *font;
    if (m_bUseTahomaFont && caption.lfCharSet <= SYMBOL_CHARSET && useSystemFont &&
        FontExists(L"Tahoma")) {
        lstrcpynW(caption.lfFaceName, L"Tahoma", LF_FACESIZE);
    }
    m_fntTitle.DeleteObject();
    m_fntTitle.CreateFontIndirect(&caption);

    LOGFONT vertical = caption;
    vertical.lfEscapement = 2700;
    vertical.lfOrientation = 900;
    if (vertical.lfHeight >= -10 && vertical.lfHeight <= -1) {
        vertical.lfHeight = -11;
    }
    CString face;
    GetDefaultFaceName(face, m_bUseTahomaFont);
    lstrcpynW(vertical.lfFaceName, face, LF_FACESIZE);
    m_fntTitleVertical.DeleteObject();
    m_fntTitleVertical.CreateFontIndirect(&vertical);

    m_nCaptionFontHeight = std::max(TextHeight(&m_fntTitle), 13) + m_nTextCaptionMargin;
}

int CUTKDockingPanePaintManager::GetCaptionBand() const
{
    return m_rcCaptionMargin.top + m_rcCaptionMargin.bottom + m_nCaptionFontHeight;
}

void CUTKDockingPanePaintManager::AdjustCaptionRect(DockingCaptionOwner* container, CRect& rect)
{
    if (!container->IsCaptionVisible()) {
        return;
    }
    if (container->IsCaptionVertical()) {
        rect.left += GetCaptionBand();
    } else {
        rect.top += GetCaptionBand();
    }
}

void CUTKDockingPanePaintManager::GetCaptionRect(DockingCaptionOwner* container, CRect& rect)
{
    if (!container->IsCaptionVisible()) {
        rect.SetRectEmpty();
        return;
    }
    rect = container->GetOwnerClientRect();
    if (container->IsCaptionVertical()) {
        rect.right = rect.left + GetCaptionBand();
    } else {
        rect.bottom = rect.top + GetCaptionBand();
    }
}

CRect CUTKDockingPanePaintManager::GetCaptionGripperRect(DockingCaptionOwner* container)
{
    (void)container;
    return CRect();
}

void CUTKDockingPanePaintManager::AdjustClientRect(DockingCaptionOwner* container, CRect& rect,
                                                   BOOL apply)
{
    const CPoint corner = rect.TopLeft();
    AdjustCaptionRect(container, rect);
    CUTKTabManager* tabs = container->GetTabManager();
    if (!container->IsTabsVisible() || tabs == nullptr) {
        return;
    }
    if (apply) {
        CRect strip = rect;
        strip.OffsetRect(-corner.x, -corner.y);
        HWND window = container->GetOwnerWindow();
        HDC dc = ::GetDC(window);
        CDC client;
        client.Attach(dc);
        m_pPaneTabPaintManager->RepositionTabControl(tabs, &client, strip);
        client.Detach();
        ::ReleaseDC(window, dc);
    }
    m_pPaneTabPaintManager->AdjustClientRect(tabs, rect);
}

CRect CUTKDockingPanePaintManager::GetSidePanelCaptionRect(DockingCaptionOwner* panel)
{
    CRect rect = panel->GetOwnerClientRect();
    rect.DeflateRect(1, 1);
    switch (panel->GetDockedSide()) {
    case 1:
        rect.left = rect.right - m_nCaptionFontHeight;
        break;
    case 2:
        rect.bottom = rect.top + m_nCaptionFontHeight;
        break;
    case 3:
        rect.top = rect.bottom - m_nCaptionFontHeight;
        break;
    default:
        rect.right = rect.left + m_nCaptionFontHeight;
        break;
    }
    return rect;
}

void CUTKDockingPanePaintManager::AdjustSidePanelCaptionRect(DockingCaptionOwner* panel,
                                                             CRect& rect)
{
    switch (panel->GetDockedSide()) {
    case 1:
        rect.right -= m_nCaptionFontHeight;
        break;
    case 2:
        rect.top += m_nCaptionFontHeight;
        break;
    case 3:
        rect.bottom -= m_nCaptionFontHeight;
        break;
    default:
        rect.left += m_nCaptionFontHeight;
        break;
    }
}

void CUTKDockingPanePaintManager::AdjustSidePanelClientRect(DockingCaptionOwner* panel,
                                                            CRect& rect)
{
    rect.DeflateRect(3, 3);
    AdjustSidePanelCaptionRect(panel, rect);
}

void CUTKDockingPanePaintManager::DrawPane(CDC* dc, DockingCaptionOwner* container, CRect rect)
{
    dc->FillSolidRect(&rect, GetColor(COLOR_BTNFACE));
    dc->SetBkMode(TRANSPARENT);
    if (container->IsTabsVisible() && container->GetTabManager() != nullptr) {
        CRect strip = rect;
        AdjustCaptionRect(container, strip);
        m_pPaneTabPaintManager->DrawTabControl(container->GetTabManager(), dc, strip);
    }
    if (container->IsCaptionVisible()) {
        DrawCaption(dc, container, rect);
    }
}

void CUTKDockingPanePaintManager::DrawSidePanel(CDC* dc, DockingCaptionOwner* panel, CRect rect)
{
    (void)dc;
    (void)panel;
    (void)rect;
}

void CUTKDockingPanePaintManager::DrawFloatingFrame(CDC* dc, DockingCaptionOwner* frame,
                                                    CRect rect)
{
    (void)dc;
    (void)frame;
    (void)rect;
}

BOOL CUTKDockingPanePaintManager::IsCaptionEnabled(DockingCaptionOwner* owner) const
{
    int bits = 0;
    if (owner != nullptr && owner->GetCaptionPaneEnabled(&bits)) {
        return (bits & DockingCaptionOwner::paneEnabled) != 0;
    }
    return TRUE;
}

void CUTKDockingPanePaintManager::DrawCaptionButtons(CDC* dc, CaptionButtons* buttons,
                                                     CRect& caption, COLORREF color, int size,
                                                     int gap, BOOL vertical)
{
    if (buttons == nullptr) {
        return;
    }
    CRect square;
    if (vertical) {
        const int left = (caption.left + caption.right) / 2 - size / 2;
        square.SetRect(left, caption.bottom - size, left + size, caption.bottom);
    } else {
        const int top = (caption.top + caption.bottom) / 2 - size / 2;
        square.SetRect(caption.right - size, top, caption.right, top + size);
    }
    for (size_t i = 0; i < buttons->size(); ++i) {
        CUTKDockingPaneCaptionButton* button = (*buttons)[i];
        if (i == 0) {
            int bits = 0;
            DockingCaptionOwner* owner = button->GetOwner();
            if (owner != nullptr && owner->GetCaptionPaneEnabled(&bits) &&
                (bits & DockingCaptionOwner::paneActionsEnabled) == 0) {
                color = m_clrDisabledCaptionText;
            }
        }
        if (!button->IsVisible()) {
            button->SetRect(CRect());
            continue;
        }
        button->SetRect(square);
        DrawCaptionButton(dc, button, color);
        if (vertical) {
            square.OffsetRect(0, -(size + gap));
        } else {
            square.OffsetRect(-(size + gap), 0);
        }
    }
    if (vertical) {
        caption.bottom = square.bottom;
    } else {
        caption.right = square.right;
    }
}

void CUTKDockingPanePaintManager::DrawStyle1(CDC* dc, CUTKDockingPaneCaptionButton* button,
                                             CPoint& centre)
{
    CRect rect = button->GetRect();
    if (button->IsPressed()) {
        dc->Draw3dRect(&rect, GetColor(COLOR_BTNTEXT), GetColor(COLOR_BTNHIGHLIGHT));
        centre.Offset(1, 1);
    } else if (button->IsHot()) {
        dc->Draw3dRect(&rect, GetColor(COLOR_BTNHIGHLIGHT), GetColor(COLOR_BTNTEXT));
    }
}

void CUTKDockingPanePaintManager::DrawCaptionButton(CDC* dc, CUTKDockingPaneCaptionButton* button,
                                                    COLORREF color)
{
    CRect rect = button->GetRect();
    CPoint centre = rect.CenterPoint();
    const BOOL pressed = button->IsPressed();
    const BOOL hot = button->IsHot();
    const int id = button->GetID();
    int style = m_nCaptionButtonStyle;
    if ((style == 3 && !IsThemeInUse(m_themeExplorer)) ||
        (style == 4 && !IsThemeInUse(m_themeButton)) ||
        (style == 5 && !IsThemeInUse(m_themeToolbar)) ||
        (style == 6 && !IsThemeInUse(m_themeWindow))) {
        style = 1;
    }
    if (style == 3) {
        if (id == CUTKDockingPaneCaptionButton::idClose ||
            id == CUTKDockingPaneCaptionButton::idAutoHide) {
            DockingCaptionOwner* owner = button->GetOwner();
            BOOL active = TRUE;
            if (owner != nullptr && (owner->GetOwnerType() == DockingCaptionOwner::typeTabbedContainer ||
                                     owner->GetOwnerType() == DockingCaptionOwner::typeMiniFrame)) {
                active = m_bHighlightActiveCaption && owner->IsActive();
            }
            int part = kExplorerHeaderClose;
            int state = pressed ? 3 : ((active || hot) ? 2 : 1);
            if (id == CUTKDockingPaneCaptionButton::idAutoHide) {
                part = kExplorerHeaderPin;
                state = pressed ? 3 : (hot ? 2 : 1);
                if ((button->GetState() & CUTKDockingPaneCaptionButton::stateHidden) == 0) {
                    state += 3;
                }
            }
            if (SUCCEEDED(m_themeExplorer.DrawThemeBackground(dc->m_hDC, part, state, &rect,
                                                              nullptr))) {
                return;
            }
        }
        style = IsThemeInUse(m_themeButton) ? 4 : 1;
    }
    switch (style) {
    case 0: {
        CRect frame = rect;
        dc->DrawFrameControl(&frame, DFC_BUTTON,
                             DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0));
        if (pressed) {
            centre.Offset(1, 1);
        }
        break;
    }
    case 2: {
        CUTKDrawHelpers* helpers = GetDrawHelpers();
        if (hot || pressed) {
            if (hot) {
                if (m_bLunaColorsInEffect) {
                    helpers->GradientFill(dc, &rect, RGB(255, 242, 200), RGB(255, 212, 151), FALSE);
                } else {
                    dc->FillSolidRect(&rect, GetColor(31));
                }
                dc->Draw3dRect(&rect, GetColor(32), GetColor(32));
                color = m_bLunaColorsInEffect ? RGB(0, 0, 0) : GetColor(45);
            }
            if (pressed) {
                if (m_bLunaColorsInEffect) {
                    helpers->GradientFill(dc, &rect, RGB(254, 142, 75), RGB(255, 207, 139), FALSE);
                } else {
                    dc->FillSolidRect(&rect, GetColor(33));
                }
                dc->Draw3dRect(&rect, GetColor(32), GetColor(32));
                color = m_bLunaColorsInEffect ? RGB(0, 0, 0) : GetColor(47);
            }
        }
        break;
    }
    case 4: {
        const int state = pressed ? 3 : (hot ? 2 : 1);
        if (pressed || hot) {
            (void)m_themeButton.DrawThemeBackground(dc->m_hDC, kPushButton, state, &rect, nullptr);
        }
        COLORREF text = color;
        if (SUCCEEDED(m_themeButton.GetThemeColor(kPushButton, state, kTextColor, &text))) {
            color = text;
        }
        break;
    }
    case 5:
        if (pressed || hot) {
            (void)m_themeToolbar.DrawThemeBackground(dc->m_hDC, kToolbarButton, pressed ? 3 : 2,
                                                     &rect, nullptr);
        }
        break;
    case 6:
        if (id == CUTKDockingPaneCaptionButton::idClose) {
            DockingCaptionOwner* owner = button->GetOwner();
            const BOOL active = owner == nullptr || owner->IsActive();
            const int state = pressed ? 3 : (hot ? 2 : (active ? 1 : 4));
            (void)m_themeWindow.DrawThemeBackground(dc->m_hDC, kSmallCloseButton, state, &rect,
                                                    nullptr);
            return;
        }
        DrawStyle1(dc, button, centre);
        break;
    default:
        DrawStyle1(dc, button, centre);
        break;
    }
    DrawCaptionButtonGlyph(dc, button, centre.x, centre.y, color);
}

void CUTKDockingPanePaintManager::DrawCaptionButtonGlyph(CDC* dc,
                                                         CUTKDockingPaneCaptionButton* button,
                                                         int x, int y, COLORREF color)
{
    switch (button->GetID()) {
    case CUTKDockingPaneCaptionButton::idClose: {
        CUTKPenDC pen(dc->m_hDC, color);
        const int lines[4][4] = {{x - 4, y - 4, x + 3, y + 3},
                                 {x - 4, y + 2, x + 3, y - 5},
                                 {x - 3, y - 4, x + 4, y + 3},
                                 {x - 3, y + 2, x + 4, y - 5}};
        for (const auto& line : lines) {
            dc->MoveTo(line[0], line[1]);
            dc->LineTo(line[2], line[3]);
        }
        break;
    }
    case CUTKDockingPaneCaptionButton::idAutoHide:
        DrawPinGlyph(dc, x, y, color,
                     (button->GetState() & CUTKDockingPaneCaptionButton::stateHidden) != 0);
        break;
    case CUTKDockingPaneCaptionButton::idMaximize:
        DrawMaximizeGlyph(dc, x, y, color, TRUE);
        break;
    case CUTKDockingPaneCaptionButton::idRestore:
        DrawMaximizeGlyph(dc, x, y, color, FALSE);
        break;
    case CUTKDockingPaneCaptionButton::idMenu: {
        CUTKPenDC pen(dc->m_hDC, color);
        CBrush brush;
        if (!brush.CreateSolidBrush(color)) {
            break;
        }
        HGDIOBJ old = ::SelectObject(dc->m_hDC, brush.m_hObject);
        const POINT points[4] = {{x - 4, y - 1}, {x - 1, y + 2}, {x, y + 2}, {x + 3, y - 1}};
        dc->Polygon(points, 4);
        ::SelectObject(dc->m_hDC, old);
        break;
    }
    default:
        break;
    }
}

void CUTKDockingPanePaintManager::DrawMaximizeGlyph(CDC* dc, int x, int y, COLORREF color,
                                                    BOOL maximize)
{
    if (maximize) {
        dc->Draw3dRect(x - 5, y - 5, 9, 9, color, color);
        dc->FillSolidRect(x - 5, y - 5, 9, 2, color);
        return;
    }
    dc->Draw3dRect(x - 4, y - 2, 6, 6, color, color);
    dc->FillSolidRect(x - 4, y - 2, 6, 2, color);
    dc->FillSolidRect(x - 2, y - 5, 6, 2, color);
    dc->SetPixelV(x - 2, y - 3, color);
    dc->SetPixelV(x + 2, y, color);
    dc->FillSolidRect(x + 3, y - 3, 1, 4, color);
}

void CUTKDockingPanePaintManager::DrawPinGlyph(CDC* dc, int x, int y, COLORREF color,
                                               BOOL sideways)
{
    CUTKPenDC pen(dc->m_hDC, color);
    auto line = [dc](int x1, int y1, int x2, int y2) {
        dc->MoveTo(x1, y1);
        dc->LineTo(x2, y2);
    };
    if (sideways) {
        const int yp = y - 1;
        line(x - 4, yp, x - 1, yp);
        line(x - 1, yp - 3, x - 1, yp + 4);
        dc->MoveTo(x - 1, yp + 2);
        dc->LineTo(x + 3, yp + 2);
        dc->LineTo(x + 3, yp - 2);
        dc->LineTo(x - 1, yp - 2);
        line(x - 1, yp + 1, x + 3, yp + 1);
        return;
    }
    line(x - 3, y, x + 4, y);
    line(x, y, x, y + 4);
    dc->MoveTo(x - 2, y);
    dc->LineTo(x - 2, y - 5);
    dc->LineTo(x + 2, y - 5);
    dc->LineTo(x + 2, y);
    line(x + 1, y, x + 1, y - 5);
}

void CUTKDockingPanePaintManager::DrawLine(CDC* dc, int x1, int y1, int x2, int y2,
                                           int colorIndex) const
{
    CUTKPenDC pen(dc->m_hDC, GetColor(colorIndex));
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y2);
}

void CUTKDockingPanePaintManager::FillFramedRect(CDC* dc, CRect rect, int fillIndex,
                                                 int frameIndex) const
{
    dc->FillSolidRect(&rect, GetColor(fillIndex));
    dc->Draw3dRect(&rect, GetColor(frameIndex), GetColor(frameIndex));
}

void CUTKDockingPanePaintManager::SetPixelColor(CDC* dc, int x, int y, int colorIndex) const
{
    dc->SetPixelV(x, y, GetColor(colorIndex));
}

void CUTKDockingPanePaintManager::DrawCaptionIcon(CDC* dc, DockingCaptionOwner* owner,
                                                  CRect& rect, BOOL vertical)
{
    if (!m_bDrawCaptionIcon || owner == nullptr) {
        return;
    }
    const CSize size = m_pPaneTabPaintManager->m_szIcon;
    CUTKImageManagerIcon* icon = owner->GetCaptionPaneIcon(size.cx);
    if (icon == nullptr) {
        return;
    }
    const int state = IsCaptionEnabled(owner) ? tabIconNormal : tabIconDisabled;
    if (!vertical) {
        if (rect.Width() < size.cx) {
            return;
        }
        (void)TabIconDraw(icon, dc, CPoint(rect.left, rect.CenterPoint().y - size.cy / 2), size,
                          state);
        rect.left += size.cx + 3;
    } else {
        if (rect.Height() < size.cy) {
            return;
        }
        (void)TabIconDraw(icon, dc, CPoint(rect.CenterPoint().x - size.cx / 2, rect.top), size,
                          state);
        rect.top += size.cy + 3;
    }
}

int CUTKDockingPanePaintManager::DrawCaptionText(CDC* dc, const CString& title, CRect rect,
                                                 BOOL vertical, BOOL measure)
{
    if (title.IsEmpty()) {
        return 0;
    }
    if (!vertical) {
        CUTKFontDC font(dc, &m_fntTitle);
        dc->DrawText(title, &rect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        if (!measure) {
            return 0;
        }
        CRect calc(0, 0, 0, 0);
        dc->DrawText(title, &calc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        return calc.Width();
    }
    CUTKFontDC font(dc, &m_fntTitleVertical);
    const CSize extent = dc->GetTextExtent(title);
    if (rect.top < rect.bottom) {
        CRect text;
        text.left = rect.right - (rect.Width() - extent.cy) / 2;
        text.right = text.left + rect.Height();
        text.top = rect.top;
        text.bottom = rect.bottom;
        dc->DrawText(title, &text, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX | DT_NOCLIP);
    }
    return extent.cx;
}

void CUTKDockingPanePaintManager::FillFrameGradient(CDC* dc, CRect rect, HWND splitter,
                                                    HWND frame,
                                                    const CUTKPaintManagerColorGradient& gradient,
                                                    BOOL horizontal)
{
    if (IsLowResolutionDC(dc->m_hDC)) {
        dc->FillSolidRect(&rect, gradient.clrLight);
        return;
    }
    if (frame == nullptr) {
        return;
    }
    RECT frameRect = {};
    ::GetWindowRect(frame, &frameRect);
    POINT topLeft = {frameRect.left, frameRect.top};
    if (splitter != nullptr) {
        ::ScreenToClient(splitter, &topLeft);
    }
    int span = horizontal ? frameRect.right - frameRect.left : frameRect.bottom - frameRect.top;
    if (horizontal) {
        span = std::max(span, ::GetSystemMetrics(SM_CXFULLSCREEN) / 2);
    }
    // A frame of no height (minimised, not yet sized) spreads nothing.
    if (span <= 0) {
        dc->FillSolidRect(&rect, gradient.clrLight);
        return;
    }
    const int origin = horizontal ? topLeft.x : topLeft.y;
    const int from = horizontal ? rect.left : rect.top;
    const int to = horizontal ? rect.right : rect.bottom;
    auto at = [&](int edge) {
        const double ratio = std::clamp(static_cast<double>(edge - origin) / span, 0.0, 1.0);
        return BlendColors(gradient.clrDark, gradient.clrLight, ratio);
    };
    GetDrawHelpers()->GradientFill(dc, &rect, at(from), at(to), horizontal);
}

void CUTKDockingPanePaintManager::DrawSplitter(CDC* dc, CRect client, BOOL horizontal,
                                               HWND splitter, HWND frame)
{
    const int w = client.Width();
    const int h = client.Height();
    const int style = m_dwSplitterStyle;
    if ((style & splitterFlat3D) != 0) {
        dc->FillSolidRect(&client, m_clrSplitterFace);
        if (horizontal) {
            dc->FillSolidRect(0, 0, w, 1, GetColor(COLOR_BTNHIGHLIGHT));
            dc->FillSolidRect(0, h - 2, w, 1, GetColor(52));
            dc->FillSolidRect(0, h - 1, w, 1, GetColor(COLOR_BTNTEXT));
        } else {
            dc->FillSolidRect(0, 0, 1, h, GetColor(COLOR_BTNHIGHLIGHT));
            dc->FillSolidRect(w - 2, 0, 1, h, GetColor(52));
            dc->FillSolidRect(w - 1, 0, 1, h, GetColor(COLOR_BTNTEXT));
        }
    } else if ((style & splitterSoft) != 0) {
        const int half = m_nSplitterSize / 2;
        if (horizontal) {
            dc->FillSolidRect(0, 0, w, 1, GetColor(COLOR_3DDKSHADOW));
            dc->FillSolidRect(0, h - 1, w, 1, GetColor(COLOR_3DDKSHADOW));
            dc->FillSolidRect(0, 1, w, std::max(half - 1, 0), GetColor(COLOR_WINDOW));
            dc->FillSolidRect(0, half, w, std::max(h - half - 1, 0), m_clrSplitterFace);
        } else {
            dc->FillSolidRect(0, 0, 1, h, GetColor(COLOR_3DDKSHADOW));
            dc->FillSolidRect(w - 1, 0, 1, h, GetColor(COLOR_3DDKSHADOW));
            dc->FillSolidRect(1, 0, std::max(half - 1, 0), h, GetColor(COLOR_WINDOW));
            dc->FillSolidRect(half, 0, std::max(w - half - 1, 0), h, m_clrSplitterFace);
        }
    } else if ((style & (splitterGradientHorizontal | splitterGradientVertical)) != 0) {
        FillFrameGradient(dc, client, splitter, frame, m_clrSplitterGradient,
                          (style & splitterGradientHorizontal) != 0);
    } else {
        dc->FillSolidRect(&client, m_clrSplitterFace);
    }

    if ((style & splitterLines) != 0) {
        if (horizontal) {
            dc->FillSolidRect(w / 2, 2, 11, 1, m_clrSplitter);
            dc->FillSolidRect(w / 2, 4, 11, 1, m_clrSplitter);
        } else {
            dc->FillSolidRect(2, h / 2, 1, 11, m_clrSplitter);
            dc->FillSolidRect(4, h / 2, 1, 11, m_clrSplitter);
        }
    }
    if ((style & splitterDots) != 0) {
        const int length = horizontal ? w : h;
        const int c = length / 2;
        const int m = (horizontal ? h : w) / 2;
        const int half = std::min(length / 2 - 10, 32);
        auto square = [&](int along, int across, COLORREF color) {
            if (horizontal) {
                dc->FillSolidRect(along, across, 2, 2, color);
            } else {
                dc->FillSolidRect(across, along, 2, 2, color);
            }
        };
        for (int p = c - half + 3; p - 3 < c + half; p += 4) {
            square(p - 2, m, GetColor(COLOR_BTNHIGHLIGHT));
            square(p - 3, m - 1, m_clrSplitter);
        }
    }
}
