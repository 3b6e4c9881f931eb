// CUTKPaintManager: construction and destruction, the colour table, the metrics refresh and
// the slots whose look is the same in every theme (fills of dock, message and status bars).
#include "toolkit/themes/CUTKPaintManager.h"

#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/common/CUTKShadowManager.h"
#include "toolkit/themes/StatusBarRecords.h"

#include <vssym32.h>

IMPLEMENT_DYNAMIC(CUTKPaintManager, CCmdTarget)

CUTKPaintManager::CUTKPaintManager()
    : m_strPreferredFace(L"Tahoma")
{
    CreateOwnedPainters();

    HMODULE user32 = ::GetModuleHandleW(L"USER32");
    if (user32 != nullptr) {
        m_pfnSetLayeredWindowAttributes = reinterpret_cast<PFNSETLAYEREDWINDOWATTRIBUTES>(
            reinterpret_cast<void*>(::GetProcAddress(user32, "SetLayeredWindowAttributes")));
    }
    m_pShadowManager = new CUTKShadowManager();
    // Icons made for the previous theme (faded, shadow, disabled images) are made again.
    GetImageManager()->RefreshAll();
}

CUTKPaintManager::~CUTKPaintManager()
{
    // The frame and ribbon painters are never made while their classes do not exist.
    if (m_pShadowManager != nullptr) {
        m_pShadowManager->InternalRelease();
        m_pShadowManager = nullptr;
    }
    m_themeStatusBar.CloseThemeData();
    m_themeButton.CloseThemeData();
}

COLORREF CUTKPaintManager::GetColor(int index) const noexcept
{
    if (index < 0 || index >= kColorCount) {
        return static_cast<COLORREF>(index);
    }
    return m_arrColor[index].GetColor();
}

CUTKPaintManagerColor* CUTKPaintManager::GetColorEntry(int index) noexcept
{
    return index >= 0 && index < kColorCount ? &m_arrColor[index] : nullptr;
}

void CUTKPaintManager::SetColors(int count, const int* indexes, const COLORREF* colors)
{
    if (indexes == nullptr || colors == nullptr) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        if (CUTKPaintManagerColor* entry = GetColorEntry(indexes[i])) {
            entry->SetStandardValue(colors[i]);
        }
    }
}

void CUTKPaintManager::RefreshColors()
{
    CUTKColorManager* colorManager = GetColorManager();
    colorManager->RefreshColors();
    for (int i = 0; i < kColorCount; ++i) {
        m_arrColor[i].SetStandardValue(colorManager->GetColor(i));
    }
}

int CUTKPaintManager::GetCurrentSystemTheme() const
{
    CUTKColorManager* colorManager = GetColorManager();
    if (m_nSystemTheme == 7) {
        return colorManager->IsLunaColorsDisabled() ? 0 : colorManager->GetCurrentSystemTheme();
    }
    if (m_nSystemTheme == 6) {
        return colorManager->GetDetectedWinTheme();
    }
    return m_nSystemTheme;
}

void CUTKPaintManager::RefreshMetrics()
{
    RefreshFonts();
    RefreshColors();

    m_clrStatusTextColor = GetColor(COLOR_BTNTEXT);
    m_clrInfoTextColor = GetColor(COLOR_INFOTEXT);
    m_clrFloatingCaption.SetStandardValue(GetColor(COLOR_BTNSHADOW));
    m_clrFloatingCaptionText.SetStandardValue(GetColor(COLOR_BTNHIGHLIGHT));
    m_grcBarFace.SetStandardValue(GetColor(COLOR_BTNFACE), GetColor(COLOR_BTNSHADOW), 0.5f);

    m_themeStatusBar.CloseThemeData();
    if (m_bThemedStatusBar) {
        m_themeStatusBar.OpenThemeData(nullptr, L"STATUS");
        COLORREF text = 0;
        if (m_themeStatusBar.IsAppThemed() &&
            SUCCEEDED(m_themeStatusBar.GetThemeColor(SP_PANE, 0, TMT_TEXTCOLOR, &text))) {
            m_clrStatusTextColor = text;
        }
    }
    m_themeButton.CloseThemeData();
    if (m_bThemedCheckBox) {
        m_themeButton.OpenThemeData(nullptr, L"BUTTON");
    }

    RefreshOwnedPainters();
}

void CUTKPaintManager::DrawStatusBarPaneSeparator(CDC* pDC, CRect rc, CUTKStatusBarPane* /*pPane*/)
{
    if (pDC == nullptr) {
        return;
    }
    Draw3dRect(pDC, CRect(rc.left - 2, rc.top, rc.left, rc.bottom), COLOR_BTNSHADOW,
               COLOR_BTNHIGHLIGHT);
}

void CUTKPaintManager::FillMessageBar(CDC* pDC, CUTKMessageBar* pBar)
{
    if (pDC == nullptr || pBar == nullptr) {
        return;
    }
    pDC->FillSolidRect(pBar->m_rcClient, GetColor(COLOR_BTNFACE));
    CRect message = pBar->GetMessageRect();
    DrawFilledRect(pDC, message, COLOR_BTNSHADOW, COLOR_INFOBK);
}

void CUTKPaintManager::FillStatusBar(CDC* pDC, CUTKStatusBar* pBar)
{
    if (pDC == nullptr || pBar == nullptr) {
        return;
    }
    if (m_bThemedStatusBar && m_themeStatusBar.IsAppThemed() &&
        SUCCEEDED(m_themeStatusBar.DrawThemeBackground(*pDC, 0, 0, &pBar->m_rcClient,
                                                        nullptr))) {
        return;
    }
    pDC->FillSolidRect(pBar->m_rcClient, GetColor(COLOR_BTNFACE));
}

void CUTKPaintManager::SetCommandBarRegion(CUTKCommandBar* /*pBar*/)
{
}

void CUTKPaintManager::DrawPopupBarGutter(CDC* /*pDC*/, int /*x*/, int /*y*/, int /*cx*/,
                                          int /*cy*/, BOOL /*bExpanded*/)
{
}

void CUTKPaintManager::ReservedOperation()
{
}

void CUTKPaintManager::FillWorkspace(CDC* pDC, CRect rc)
{
    if (pDC != nullptr) {
        pDC->FillSolidRect(rc, GetColor(COLOR_APPWORKSPACE));
    }
}

CUTKControlGalleryPaintManager* CUTKPaintManager::GetGalleryPaintManager()
{
    return m_pGalleryPaintManager.get();
}

CUTKSliderPaintManager* CUTKPaintManager::GetSliderPaintManager()
{
    return m_pSliderPaintManager.get();
}

CUTKProgressPaintManager* CUTKPaintManager::GetProgressPaintManager()
{
    return m_pProgressPaintManager.get();
}

CUTKFramePaintManager* CUTKPaintManager::GetFramePaintManager()
{
    return m_pFramePaintManager;
}

CUTKRibbonPaintManager* CUTKPaintManager::GetRibbonPaintManager()
{
    return m_pRibbonPaintManager;
}
