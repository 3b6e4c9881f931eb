#include "toolkit/tabmanager/CUTKTabPaintManager.h"

#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKFontDC.h"
#include "toolkit/common/CUTKPenDC.h"
#include "toolkit/common/UTKDrawFunctions.h"
#include "toolkit/tabmanager/CUTKTabManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerAppearanceSet.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerAppearanceSets.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerColorSet.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerColorSets.h"

#include <algorithm>

namespace {

constexpr int kColorSetKeep = 512;

}  // namespace

CUTKTabPaintManager::CAppearanceSet* CreateTabAppearanceSet(int appearance)
{
    using PM = CUTKTabPaintManager;
    switch (appearance) {
    case 1:
        return new PM::CAppearanceSetPropertyPageSelected();
    case 2:
        return new PM::CAppearanceSetPropertyPageFlat();
    case 3:
        return new PM::CAppearanceSetPropertyPage2003();
    case 4:
        return new PM::CAppearanceSetStateButtons();
    case 5:
        return new PM::CAppearanceSetVisualStudio();
    case 6:
        return new PM::CAppearanceSetFlat();
    case 7:
        return new PM::CAppearanceSetExcel();
    case 8:
        return new PM::CAppearanceSetVisio();
    case 9:
        return new PM::CAppearanceSetVisualStudio2005();
    case 10:
        return new PM::CAppearanceSetPropertyPage2007();
    case 11:
        return new PM::CAppearanceSetPropertyPageAccess2007();
    default:
        return new PM::CAppearanceSetPropertyPage();
    }
}

CUTKTabPaintManager::CColorSet* CreateTabColorSet(int color)
{
    switch (color) {
    case kColorSetKeep:
        return nullptr;
    case 2:
        return new CUTKTabPaintManager::CColorSetVisualStudio2003();
    case 4:
        return new CUTKTabPaintManager::CColorSetOffice2003();
    case 8:
        return new CUTKTabPaintManager::CColorSetWinNative();
    case 16:
        return new CUTKTabPaintManager::CColorSetVisualStudio2005();
    case 32:
        return new CUTKTabPaintManager::CColorSetOffice2007();
    case 64:
        return new CUTKTabPaintManager::CColorSetVisualStudio2008();
    case 128:
        return new CUTKTabPaintManager::CColorSetOffice2007Access();
    case 256:
        return new CUTKTabPaintManager::CColorSetVisualStudio2010();
    default:
        return new CUTKTabPaintManager::CColorSetDefault();
    }
}

CUTKTabPaintManager::CUTKTabPaintManager()
{
    SetAppearance(0);
    RefreshMetrics();
}

CUTKTabPaintManager::~CUTKTabPaintManager()
{
    delete m_pColorSet;
    delete m_pAppearanceSet;
}

void CUTKTabPaintManager::DrawTabControl(CUTKTabManager* manager, CDC* dc, CRect rect)
{
    m_pAppearanceSet->DrawTabControl(manager, dc, rect);
}

void CUTKTabPaintManager::AdjustClientRect(CUTKTabManager* manager, CRect& rect)
{
    if (m_bStaticFrame) {
        DeflateRectForTabPosition(rect, 2, 1, 2, 2, m_nPosition);
    }
    if (manager->GetItemCount() > 0) {
        m_pAppearanceSet->AdjustClientRect(manager, rect);
    }
}

void CUTKTabPaintManager::RepositionTabControl(CUTKTabManager* manager, CDC* dc, CRect rect)
{
    manager->m_rcControl = rect;
    manager->m_rcClient = rect;
    manager->m_rcHeaderRect.SetRectEmpty();
    (void)manager->GetRowIndexer()->SetRowCount(1);
    for (int i = 0; i < manager->GetItemCount(); ++i) {
        manager->GetItem(i)->m_nRow = 0;
    }
    m_pAppearanceSet->RepositionTabControl(manager, dc, rect);
    AdjustClientRect(manager, manager->m_rcClient);
}

void CUTKTabPaintManager::DrawNavigateButton(CDC* dc, CUTKTabManagerNavigateButton* button,
                                             CRect rect)
{
    m_pColorSet->FillNavigateButton(dc, button, rect);
    const COLORREF text = dc->GetTextColor();
    CUTKPenDC pen(dc->m_hDC, text);
    CBrush brush;
    HGDIOBJ oldBrush = nullptr;
    if (button->IsEnabled() && brush.CreateSolidBrush(text)) {
        oldBrush = ::SelectObject(dc->m_hDC, brush.m_hObject);
    } else {
        oldBrush = ::SelectObject(dc->m_hDC, ::GetStockObject(NULL_BRUSH));
    }
    button->DrawEntry(dc, rect);
    ::SelectObject(dc->m_hDC, oldBrush);
}

void CUTKTabPaintManager::RefreshMetrics()
{
    if (m_bUseSystemFont) {
        LOGFONTW font = {};
        if (GetIconLogFont(&font)) {
            SetFontIndirect(&font, TRUE);
        }
    }
    if (m_pColorSet != nullptr) {
        m_pColorSet->RefreshMetrics();
    }
    if (m_pAppearanceSet != nullptr) {
        m_pAppearanceSet->RefreshMetrics();
    }
}

void CUTKTabPaintManager::OnPropertyChanged()
{
    // A copy: a manager may detach itself while it re-lays out.
    const std::vector<CUTKTabManagerAtom*> managers = m_arrAttachedManagers;
    for (CUTKTabManagerAtom* manager : managers) {
        if (IsAttached(manager)) {
            manager->OnPropertyChanged();
        }
    }
}

void CUTKTabPaintManager::DrawFocusRect(CDC* dc, CUTKTabManagerItem* item, CRect rect)
{
    (void)item;
    if (!m_bDrawFocusRect) {
        return;
    }
    rect.DeflateRect(3, 3);
    const COLORREF oldText = dc->SetTextColor(RGB(0, 0, 0));
    const COLORREF oldBack = dc->SetBkColor(RGB(255, 255, 255));
    dc->DrawFocusRect(&rect);
    dc->SetTextColor(oldText);
    dc->SetBkColor(oldBack);
}

void CUTKTabPaintManager::SetAppearance(int appearance)
{
    m_nAppearance = appearance;
    SetAppearanceSet(CreateTabAppearanceSet(appearance));
}

void CUTKTabPaintManager::SetAppearanceSet(CAppearanceSet* set)
{
    if (set != nullptr) {
        delete m_pAppearanceSet;
        m_pAppearanceSet = set;
        set->m_pPaintManager = this;
        set->RefreshMetrics();
        SetColor(set->GetDefaultColorSet());
    }
    OnPropertyChanged();
}

void CUTKTabPaintManager::SetColor(int color)
{
    m_nColor = color;
    SetColorSet(CreateTabColorSet(color));
}

void CUTKTabPaintManager::SetColorSet(CColorSet* set)
{
    if (set != nullptr) {
        delete m_pColorSet;
        m_pColorSet = set;
        set->m_pPaintManager = this;
        set->RefreshMetrics();
    }
    OnPropertyChanged();
}

void CUTKTabPaintManager::SetPosition(int position)
{
    m_nPosition = position;
    OnPropertyChanged();
}

void CUTKTabPaintManager::SetLayout(int layout)
{
    m_nLayout = layout;
    OnPropertyChanged();
}

void CUTKTabPaintManager::SetFontIndirect(const LOGFONT* font, BOOL useSystemFont)
{
    m_bUseSystemFont = useSystemFont;
    if (font == nullptr) {
        return;
    }
    LOGFONT normal = *font;
    if (m_bClearTypeTextQuality) {
        normal.lfQuality = CLEARTYPE_QUALITY;
    }
    m_fntNormal.DeleteObject();
    m_fntBold.DeleteObject();
    m_fntVertical.DeleteObject();
    m_fntVerticalBold.DeleteObject();

    normal.lfWeight = m_bBoldNormal ? FW_BOLD : FW_NORMAL;
    m_fntNormal.CreateFontIndirect(&normal);
    LOGFONT bold = normal;
    bold.lfWeight = FW_BOLD;
    m_fntBold.CreateFontIndirect(&bold);

    LOGFONT vertical = normal;
    CString face;
    GetDefaultFaceName(face, FALSE);
    lstrcpynW(vertical.lfFaceName, face, LF_FACESIZE);
    vertical.lfEscapement = 2700;
    vertical.lfOrientation = 900;
    if (vertical.lfHeight >= -10 && vertical.lfHeight <= -1) {
        vertical.lfHeight = -11;
    }
    m_fntVertical.CreateFontIndirect(&vertical);
    vertical.lfWeight = FW_BOLD;
    m_fntVerticalBold.CreateFontIndirect(&vertical);
}

CFont* CUTKTabPaintManager::GetBoldFont(BOOL vertical)
{
    return vertical ? &m_fntVerticalBold : &m_fntBold;
}

BOOL CUTKTabPaintManager::IsLunaColorsDisabled() const
{
    return m_bDisableLunaColors || GetColorManager()->IsLunaColorsDisabled();
}

int CUTKTabPaintManager::GetTextWidth(CDC* dc, const CString& text, UINT format) const
{
    CString measured = text;
    if ((format & DT_NOPREFIX) == 0) {
        StripMnemonics(measured);
    }
    return dc->GetTextExtent(measured).cx;
}

void CUTKTabPaintManager::SplitPathEllipsis(CDC* dc, const CString& text, int space,
                                            int& headCount, int& tailCount)
{
    const int length = text.GetLength();
    const int textWidth = dc->GetTextExtent(text).cx;
    const int room = space - dc->GetTextExtent(CString(L"...")).cx;
    auto partsWidth = [&](int n) {
        const int tail = n / 2;
        return dc->GetTextExtent(text.Left(n - tail)).cx + dc->GetTextExtent(text.Right(tail)).cx;
    };
    int n = textWidth > 0 ? static_cast<int>(static_cast<long long>(std::max(room, 0)) * length /
                                             textWidth)
                          : 0;
    // n counts characters kept: never fewer than none, never more than the text has.
    n = std::clamp(n, 0, length);
    while (n < length && partsWidth(n) < room) {
        ++n;
    }
    while (n > 0 && partsWidth(n) > room) {
        --n;
    }
    tailCount = n / 2;
    headCount = n - tailCount;
}

void CUTKTabPaintManager::DrawTextPathEllipsis(CDC* dc, CUTKTabManager* manager,
                                               const CString& text, CRect rect, UINT format)
{
    if (text.Find(L'\\') >= 0) {
        m_pAppearanceSet->DrawText(dc, manager, text, &rect, format | DT_PATH_ELLIPSIS);
        return;
    }
    const int space = rect.Width();
    if (GetTextWidth(dc, text, format) <= space) {
        m_pAppearanceSet->DrawText(dc, manager, text, &rect, format);
        return;
    }
    const CString dots(L"...");
    if (GetTextWidth(dc, dots, format) < space) {
        int head = 0;
        int tail = 0;
        SplitPathEllipsis(dc, text, space, head, tail);
        m_pAppearanceSet->DrawText(dc, manager, text.Left(head) + dots + text.Right(tail), &rect,
                                   format);
        return;
    }
    m_pAppearanceSet->DrawText(dc, manager, dots, &rect, format);
}

void CUTKTabPaintManager::AttachManager(CUTKTabManagerAtom* manager)
{
    if (manager != nullptr && !IsAttached(manager)) {
        m_arrAttachedManagers.push_back(manager);
    }
}

void CUTKTabPaintManager::DetachManager(CUTKTabManagerAtom* manager)
{
    m_arrAttachedManagers.erase(
        std::remove(m_arrAttachedManagers.begin(), m_arrAttachedManagers.end(), manager),
        m_arrAttachedManagers.end());
}

BOOL CUTKTabPaintManager::IsAttached(const CUTKTabManagerAtom* manager) const
{
    return std::find(m_arrAttachedManagers.begin(), m_arrAttachedManagers.end(), manager) !=
           m_arrAttachedManagers.end();
}

void CUTKTabPaintManager::InflateRectForTabPosition(CRect& rect, int a, int b, int c, int d,
                                                    int position)
{
    switch (position) {
    case positionLeft:
        rect.left -= b;
        rect.top -= a;
        rect.right += d;
        rect.bottom += c;
        break;
    case positionBottom:
        rect.left -= a;
        rect.top -= d;
        rect.right += c;
        rect.bottom += b;
        break;
    case positionRight:
        rect.left -= d;
        rect.top -= a;
        rect.right += b;
        rect.bottom += c;
        break;
    default:
        rect.left -= a;
        rect.top -= b;
        rect.right += c;
        rect.bottom += d;
        break;
    }
}

void CUTKTabPaintManager::DeflateRectForTabPosition(CRect& rect, int a, int b, int c, int d,
                                                    int position)
{
    InflateRectForTabPosition(rect, -a, -b, -c, -d, position);
}

void CUTKTabPaintManager::DeflateRectForTabPosition(CRect& rect, const RECT& margin,
                                                    int position)
{
    DeflateRectForTabPosition(rect, margin.left, margin.top, margin.right, margin.bottom,
                              position);
}

int CUTKTabPaintManager::ClampLength(int length) const
{
    length += m_rcItemMargin.left + m_rcItemMargin.right;
    if (m_nMinTabWidth > 0) {
        length = std::max(length, m_nMinTabWidth);
    }
    if (m_nMaxTabWidth > 0) {
        length = std::min(length, m_nMaxTabWidth);
    }
    return length;
}

void CUTKTabPaintManager::HorizontalLine(CDC* dc, int x, int y, int length, COLORREF color)
{
    if (color != static_cast<COLORREF>(-1)) {
        dc->FillSolidRect(x, y, length, 1, color);
    }
}

void CUTKTabPaintManager::VerticalLine(CDC* dc, int x, int y, int length, COLORREF color)
{
    if (color != static_cast<COLORREF>(-1)) {
        dc->FillSolidRect(x, y, 1, length, color);
    }
}

void CUTKTabPaintManager::Line(CDC* dc, int x1, int y1, int x2, int y2, COLORREF color)
{
    if (color == static_cast<COLORREF>(-1)) {
        return;
    }
    CUTKPenDC pen(dc->m_hDC, color);
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y2);
}

void CUTKTabPaintManager::DrawPolyLine(CDC* dc, COLORREF color, CPoint start, const POINT* steps,
                                       int count)
{
    if (color == static_cast<COLORREF>(-1)) {
        return;
    }
    CUTKPenDC pen(dc->m_hDC, color);
    dc->MoveTo(start);
    for (int i = 0; i < count; ++i) {
        start.Offset(steps[i].x, steps[i].y);
        dc->LineTo(start);
    }
}

void CUTKTabPaintManager::DrawSingleLineBorder(CDC* dc, CRect rect, int side, COLORREF first,
                                               COLORREF second)
{
    switch (side) {
    case positionLeft:
        VerticalLine(dc, rect.left, rect.top, rect.Height(), first);
        break;
    case positionBottom:
        HorizontalLine(dc, rect.left, rect.bottom - 1, rect.Width(), second);
        break;
    case positionRight:
        VerticalLine(dc, rect.right - 1, rect.top, rect.Height(), second);
        break;
    default:
        HorizontalLine(dc, rect.left, rect.top, rect.Width(), first);
        break;
    }
}
