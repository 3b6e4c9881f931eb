// The native colour set: tabs in the visual styles' "TAB" parts (turned or mirrored for left,
// right and bottom strips), the page in the pane part, buttons in the "TOOLBAR" parts; the
// default set's classic look whenever visual styles are off.
#include "toolkit/tabmanager/CUTKTabPaintManagerColorSet.h"

#include "toolkit/tabmanager/CUTKTabManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerAppearanceSet.h"

#include <cstdint>
#include <vector>

using PM = CUTKTabPaintManager;

namespace {

constexpr int kTabItem = 5;           // TABP_TOPTABITEM
constexpr int kTabItemLeftEdge = 6;   // TABP_TOPTABITEMLEFTEDGE
constexpr int kTabItemRightEdge = 7;  // TABP_TOPTABITEMRIGHTEDGE
constexpr int kTabPane = 9;           // TABP_PANE
constexpr int kFillColorHint = 3821;  // TMT_FILLCOLORHINT
constexpr int kToolbarButton = 1;     // TP_BUTTON

}  // namespace

// A top-down 32-bit DIB section selected into a memory DC for its lifetime.
class PM::CColorSetWinNative::Surface {
public:
    Surface(CDC* reference, int width, int height) : m_width(width), m_height(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<uint32_t*>(bits);
        if (m_bitmap != nullptr && m_dc.CreateCompatibleDC(reference)) {
            m_old = m_dc.SelectObject(m_bitmap);
        }
    }
    ~Surface()
    {
        if (m_old != nullptr) {
            m_dc.SelectObject(m_old);
        }
        m_dc.DeleteDC();
        if (m_bitmap != nullptr) {
            ::DeleteObject(m_bitmap);
        }
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    BOOL IsValid() const { return m_old != nullptr && m_bits != nullptr; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    CDC* Dc() { return &m_dc; }
    HBITMAP Bitmap() const { return m_bitmap; }
    uint32_t& At(int x, int y) { return m_bits[y * m_width + x]; }

private:
    int m_width;
    int m_height;
    HBITMAP m_bitmap = nullptr;
    uint32_t* m_bits = nullptr;
    CDC m_dc;
    HGDIOBJ m_old = nullptr;
};

PM::CColorSetWinNative::CColorSetWinNative() = default;

PM::CColorSetWinNative::~CColorSetWinNative() = default;

PM::CColorSetWinNative::Surface* PM::CColorSetWinNative::CachedSurface(
    std::unique_ptr<Surface>& slot, CDC* reference, int width, int height)
{
    // A strip's tabs mostly share one size: the bitmaps are made once per size, not per tab.
    if (!slot || slot->Width() != width || slot->Height() != height || !slot->IsValid()) {
        slot = std::make_unique<Surface>(reference, width, height);
    }
    return slot->IsValid() ? slot.get() : nullptr;
}

BOOL PM::CColorSetWinNative::IsAppThemed()
{
    return m_themeTab.IsThemeOpen() && m_themeTab.IsAppThemed();
}

BOOL PM::CColorSetWinNative::IsToolbarThemed()
{
    return m_themeToolbar.IsThemeOpen() && m_themeToolbar.IsAppThemed();
}

void PM::CColorSetWinNative::RefreshMetrics()
{
    CColorSetDefault::RefreshMetrics();
    // The faces follow the visual style and the face colour: turn them again after a change.
    m_turned.clear();
    m_themeTab.OpenThemeData(nullptr, L"TAB");
    if (IsAppThemed()) {
        m_csPropertyPage3DHighlight.SetStandardValue(static_cast<COLORREF>(-1));
        m_csPropertyPage3DShadow.SetStandardValue(static_cast<COLORREF>(-1));
        m_csPropertyPage3DDarkShadow.SetStandardValue(static_cast<COLORREF>(-1));
        m_clrHighlightText = m_clrButtonText;
        COLORREF page = m_clrPageFace.GetStandardColor();
        if (SUCCEEDED(m_themeTab.GetThemeColor(kTabPane, 0, kFillColorHint, &page))) {
            m_clrPageFace.SetStandardValue(page);
        }
    }
    m_themeToolbar.OpenThemeData(nullptr, L"TOOLBAR");
}

void PM::CColorSetWinNative::DrawRotatedPart(CDC* dc, CRect rect, int part, int state,
                                             int position)
{
    const int width = rect.Width();
    const int height = rect.Height();
    if (width <= 0 || height <= 0) {
        return;
    }
    const BOOL turned = position == positionLeft || position == positionRight;
    // The part is drawn upright (as a top tab) first, then turned into place.
    const int upWidth = turned ? height : width;
    const int upHeight = turned ? width : height;
    const auto key = std::make_tuple(part, state, position, width, height);
    auto found = m_turned.find(key);
    if (found == m_turned.end()) {
        // Kept small: a strip has few sizes and states; past the bound the cache starts again.
        constexpr size_t kMaxTurned = 64;
        if (m_turned.size() >= kMaxTurned) {
            m_turned.clear();
        }
        Surface* uprightSurface = CachedSurface(m_upright, dc, upWidth, upHeight);
        auto fresh = std::make_unique<Surface>(dc, width, height);
        if (uprightSurface == nullptr || !fresh->IsValid()) {
            return;
        }
        Surface& upright = *uprightSurface;
        Surface& placed = *fresh;
        upright.Dc()->FillSolidRect(0, 0, upWidth, upHeight, Sys(COLOR_BTNFACE));
        const CRect whole(0, 0, upWidth, upHeight);
        (void)m_themeTab.DrawThemeBackground(upright.Dc()->m_hDC, part, state, &whole, nullptr);
        ::GdiFlush();
        for (int y = 0; y < upHeight; ++y) {
            for (int x = 0; x < upWidth; ++x) {
                const uint32_t pixel = upright.At(x, y);
                switch (position) {
                case positionLeft:
                    placed.At(y, upWidth - 1 - x) = pixel;
                    break;
                case positionRight:
                    placed.At(upHeight - 1 - y, x) = pixel;
                    break;
                default:
                    placed.At(x, upHeight - 1 - y) = pixel;
                    break;
                }
            }
        }
        found = m_turned.emplace(key, std::move(fresh)).first;
    }
    Surface& placed = *found->second;
    dc->BitBlt(rect.left, rect.top, width, height, placed.Dc(), 0, 0, SRCCOPY);
}

COLORREF PM::CColorSetWinNative::FillPropertyButton(CDC* dc, CRect rect,
                                                    CUTKTabManagerItem* item)
{
    if (!IsAppThemed()) {
        return CColorSetDefault::FillPropertyButton(dc, rect, item);
    }
    CUTKTabManager* manager = item->GetTabManager();
    const int position = manager != nullptr ? manager->GetPosition() : positionTop;
    const BOOL selected = item->IsSelected();
    if (selected) {
        if (position == positionTop) {
            rect.bottom += 2;
        } else if (position == positionLeft) {
            rect.right += 1;
        }
    }
    const int last = manager != nullptr ? manager->GetItemCount() - 1 : 0;
    int part = kTabItem;
    if (item->GetIndex() == 0) {
        part = kTabItemLeftEdge;
    } else if (item->GetIndex() == last && !selected) {
        part = kTabItemRightEdge;
    }
    const int state = selected ? 3 : (item->IsHot() ? 2 : 1);
    switch (position) {
    case positionLeft:
        DrawRotatedPart(dc, CRect(rect.left - 1, rect.top - 1, rect.right, rect.bottom + 1), part,
                        state, position);
        break;
    case positionBottom:
        DrawRotatedPart(dc, CRect(rect.left - 1, rect.top, rect.right + 1, rect.bottom + 2), part,
                        state, position);
        break;
    case positionRight:
        DrawRotatedPart(dc, CRect(rect.left, rect.top - 1, rect.right + 2, rect.bottom + 1), part,
                        state, position);
        break;
    default: {
        const CRect part0(rect.left - 1, rect.top - 1, rect.right + 1, rect.bottom);
        (void)m_themeTab.DrawThemeBackground(dc->m_hDC, part, state, &part0, nullptr);
        break;
    }
    }
    return static_cast<COLORREF>(-1);
}

COLORREF PM::CColorSetWinNative::FillClient(CDC* dc, CRect rect, CUTKTabManager* manager)
{
    if (!IsAppThemed()) {
        return CColorSetDefault::FillClient(dc, rect, manager);
    }
    if (manager->GetPosition() == positionBottom) {
        rect.bottom += 1;
    } else if (manager->GetPosition() == positionRight) {
        rect.right += 1;
    }
    (void)m_themeTab.DrawThemeBackground(dc->m_hDC, kTabPane, 0, &rect, nullptr);
    return 0;
}

void PM::CColorSetWinNative::AdjustHeaderClip(CDC* dc, CRect rect, CUTKTabManager* manager)
{
    (void)rect;
    if (!IsAppThemed() || m_pPaintManager == nullptr) {
        return;
    }
    const CRect page =
        m_pPaintManager->GetAppearanceSet()->GetClientRect(manager->GetControlRect(), manager);
    CPoint corner(page.left, page.top);
    if (manager->GetPosition() == positionBottom) {
        corner.y = page.bottom - 2;
    } else if (manager->GetPosition() == positionRight) {
        corner.x = page.right - 2;
    }
    dc->ExcludeClipRect(corner.x, corner.y, corner.x + 1, corner.y + 1);
}

void PM::CColorSetWinNative::FillStateButton(CDC* dc, CRect rect, CUTKTabManagerItem* item)
{
    if (IsToolbarThemed() && item->IsSelected()) {
        (void)m_themeToolbar.DrawThemeBackground(dc->m_hDC, kToolbarButton,
                                                 item->IsHot() ? 6 : 5, &rect, nullptr);
        return;
    }
    CColorSetDefault::FillStateButton(dc, rect, item);
}

void PM::CColorSetWinNative::FillNavigateButton(CDC* dc, CUTKTabManagerNavigateButton* button,
                                                CRect& rect)
{
    if (!IsToolbarThemed()) {
        CColorSetDefault::FillNavigateButton(dc, button, rect);
        return;
    }
    if (button->IsEnabled()) {
        const int state = button->IsPressed() ? 3 : (button->IsHot() ? 2 : 1);
        (void)m_themeToolbar.DrawThemeBackground(dc->m_hDC, kToolbarButton, state, &rect, nullptr);
    }
    dc->SetTextColor(Sys(COLOR_BTNTEXT));
}
