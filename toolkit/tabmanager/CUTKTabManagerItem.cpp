#include "toolkit/tabmanager/CUTKTabManagerItem.h"

#include "toolkit/common/CUTKDrawHelpers.h"
#include "toolkit/tabmanager/CUTKTabManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"
#include "toolkit/tabmanager/TabIconSeam.h"
#include "toolkit/tabmanager/TabMarkupSeam.h"

#include <cstdint>

CUTKTabManagerItem::CUTKTabManagerItem() = default;

CUTKTabManagerItem::~CUTKTabManagerItem()
{
    DeleteButtons();
    TabMarkupReleaseElement(m_pMarkupCaption);
}

void CUTKTabManagerItem::DeleteButtons()
{
    // Taken out first: a button's destructor looks at its manager's hot button.
    std::vector<CUTKTabManagerNavigateButton*> buttons;
    buttons.swap(m_arrButtons);
    for (CUTKTabManagerNavigateButton* button : buttons) {
        delete button;
    }
}

void CUTKTabManagerItem::SetVisible(BOOL visible)
{
    if (m_bVisible != visible) {
        m_bVisible = visible;
        Reposition();
    }
}

void CUTKTabManagerItem::OnRemoved()
{
    DeleteButtons();
    m_pTabManager = nullptr;
}

void CUTKTabManagerItem::SetCaption(const CString& caption)
{
    if (m_strCaption == caption) {
        return;
    }
    m_strCaption = caption;
    TabMarkupReleaseElement(m_pMarkupCaption);
    if (m_pTabManager != nullptr) {
        if (CUTKMarkupContext* context = m_pTabManager->GetMarkupContext()) {
            m_pMarkupCaption = TabMarkupParseText(context, caption);
        }
    }
    Reposition();
}

CString CUTKTabManagerItem::GetCaption() const
{
    return m_pTabManager != nullptr ? m_pTabManager->GetItemCaption(this) : m_strCaption;
}

COLORREF CUTKTabManagerItem::GetColor() const
{
    return m_pTabManager != nullptr ? m_pTabManager->GetItemColor(this)
                                    : CUTKTabManager::ResolveAutomaticColor(m_clrItem);
}

void CUTKTabManagerItem::SetColor(COLORREF color)
{
    if (m_clrItem != color) {
        m_clrItem = color;
        if (m_pTabManager != nullptr) {
            m_pTabManager->RedrawControl(&m_rcItem, FALSE);
        }
    }
}

void CUTKTabManagerItem::SetEnabled(BOOL enabled)
{
    if (m_bEnabled != enabled) {
        m_bEnabled = enabled;
        Reposition();
    }
}

void CUTKTabManagerItem::Select()
{
    if (m_pTabManager != nullptr) {
        m_pTabManager->OnItemClick(this);
    }
}

void CUTKTabManagerItem::Remove()
{
    if (m_pTabManager != nullptr) {
        (void)m_pTabManager->DeleteItem(m_nIndex);
    }
}

void CUTKTabManagerItem::Reposition()
{
    if (m_pTabManager != nullptr) {
        m_pTabManager->Reposition();
    }
}

void CUTKTabManagerItem::SetRect(int left, int top, int right, int bottom)
{
    m_rcItem.SetRect(left, top, right, bottom);
    for (CUTKTabManagerNavigateButton* button : m_arrButtons) {
        button->SetRect(0, 0, 0, 0);
    }
}

BOOL CUTKTabManagerItem::IsSelected() const
{
    return m_pTabManager != nullptr && m_pTabManager->GetSelectedItem() == this;
}

BOOL CUTKTabManagerItem::IsHot() const
{
    return m_pTabManager != nullptr && m_pTabManager->GetHotItem() == this;
}

int CUTKTabManagerItem::IconState() const
{
    if (!m_bEnabled) {
        return tabIconDisabled;
    }
    if (IsHot()) {
        return tabIconHot;
    }
    return IsSelected() ? tabIconChecked : tabIconNormal;
}

void CUTKTabManagerItem::DrawImage(CDC* dc, CRect rect, CUTKImageManagerIcon* icon)
{
    if (m_pTabManager == nullptr || dc == nullptr) {
        return;
    }
    CUTKTabPaintManager* paint = m_pTabManager->GetPaintManager();
    const int position = m_pTabManager->GetPosition();
    if (rect.Width() == rect.Height() && paint != nullptr && paint->m_bRotateImageOnVerticalDraw &&
        (position == CUTKTabPaintManager::positionLeft ||
         position == CUTKTabPaintManager::positionRight)) {
        if (DrawRotatedImage(dc, rect, icon)) {
            return;
        }
    }
    (void)TabIconDraw(icon, dc, rect.TopLeft(), rect.Size(), IconState());
}

namespace {

// A square 32-bit DIB section with its pixels; the bitmap is deleted with the object.
class SquareDib {
public:
    explicit SquareDib(int side) : m_side(side)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = side;
        info.bmiHeader.biHeight = side;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<uint32_t*>(bits);
    }
    ~SquareDib()
    {
        if (m_bitmap != nullptr) {
            ::DeleteObject(m_bitmap);
        }
    }
    SquareDib(const SquareDib&) = delete;
    SquareDib& operator=(const SquareDib&) = delete;
    BOOL IsValid() const { return m_bitmap != nullptr && m_bits != nullptr; }
    HBITMAP Bitmap() const { return m_bitmap; }
    uint32_t& At(int x, int y) { return m_bits[y * m_side + x]; }

private:
    int m_side;
    HBITMAP m_bitmap = nullptr;
    uint32_t* m_bits = nullptr;
};

}  // namespace

BOOL CUTKTabManagerItem::DrawRotatedImage(CDC* dc, CRect rect, CUTKImageManagerIcon* icon)
{
    const int side = rect.Width();
    if (dc == nullptr || side <= 0 || side != rect.Height()) {
        return FALSE;
    }
    SquareDib first(side);
    SquareDib second(side);
    if (!first.IsValid() || !second.IsValid()) {
        return FALSE;
    }
    CDC memory;
    if (!memory.CreateCompatibleDC(dc)) {
        return FALSE;
    }
    HGDIOBJ old = memory.SelectObject(first.Bitmap());
    memory.BitBlt(0, 0, side, side, dc, rect.left, rect.top, SRCCOPY);
    ::GdiFlush();
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            second.At(y, side - 1 - x) = first.At(x, y);
        }
    }
    memory.SelectObject(second.Bitmap());
    (void)TabIconDraw(icon, &memory, CPoint(0, 0), CSize(side, side), IconState());
    ::GdiFlush();
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            first.At(x, y) = second.At(y, side - 1 - x);
        }
    }
    memory.SelectObject(old);
    dc->DrawState(rect.TopLeft(), rect.Size(), first.Bitmap(), DST_BITMAP);
    return TRUE;
}
