// Icons of the image manager: state images, the generated variants and drawing.
#include "toolkit/common/CUTKImageManagerIcon.h"

#include <commctrl.h>

#include "platform/base/CSelectGuard.h"
#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKImageManager.h"

#include <cmath>
#include <cstring>
#include <functional>

IMPLEMENT_DYNAMIC(CUTKImageManagerIcon, CCmdTarget)

namespace {

constexpr COLORREF kUnset = static_cast<COLORREF>(-1);

// Pixels are 0x AA RR GG BB words (a DIB's blue, green, red, alpha bytes).
uint32_t Channel(uint32_t pixel, int shift)
{
    return (pixel >> shift) & 0xFF;
}

uint32_t MakePixel(uint32_t a, uint32_t r, uint32_t g, uint32_t b)
{
    return (a << 24) | (r << 16) | (g << 8) | b;
}

// Changes the opaque pixels (mask 0) of an icon and builds it again; null when the icon
// cannot be read.
HICON TransformIcon(HICON icon, const std::function<uint32_t(uint32_t)>& change)
{
    ICONINFO info = {};
    if (icon == nullptr || !::GetIconInfo(icon, &info)) {
        return nullptr;
    }
    HICON result = nullptr;
    int width = 0;
    int height = 0;
    int maskWidth = 0;
    int maskHeight = 0;
    std::vector<uint32_t> colour;
    std::vector<uint32_t> mask;
    if (info.hbmColor != nullptr && ReadBitmapPixels32(info.hbmColor, width, height, colour) &&
        ReadBitmapPixels32(info.hbmMask, maskWidth, maskHeight, mask) && maskWidth == width &&
        maskHeight >= height) {
        for (size_t i = 0; i < colour.size(); ++i) {
            if ((mask[i] & 0xFFFFFF) == 0) {
                colour[i] = change(colour[i]);
            }
        }
        void* bits = nullptr;
        HBITMAP rebuilt = Create32BitDIBSection(nullptr, width, height, &bits);
        if (rebuilt != nullptr) {
            std::memcpy(bits, colour.data(), colour.size() * 4);
            ICONINFO made = {TRUE, 0, 0, info.hbmMask, rebuilt};
            result = ::CreateIconIndirect(&made);
            ::DeleteObject(rebuilt);
        }
    }
    if (info.hbmColor != nullptr) {
        ::DeleteObject(info.hbmColor);
    }
    if (info.hbmMask != nullptr) {
        ::DeleteObject(info.hbmMask);
    }
    return result;
}

// Changes the premultiplied pixels of an alpha image in place.
void TransformBits(IconImageHandle& image, const std::function<uint32_t(uint32_t)>& change)
{
    auto* bits = reinterpret_cast<uint32_t*>(image.GetBits());
    if (bits == nullptr) {
        return;
    }
    const CSize size = image.GetExtent();
    const size_t count = static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy);
    ::GdiFlush();
    for (size_t i = 0; i < count; ++i) {
        bits[i] = change(bits[i]);
    }
}

// A copy of image in its own form, with premultiplied bits when it is an alpha image.
void CopyDetached(IconImageHandle& copy, const IconImageHandle& image)
{
    copy.SetManager(nullptr);
    copy.CopyHandle(image);
    if (copy.GetBitmap() != nullptr) {
        (void)copy.GetBits();
    }
}

// Applies change to a detached copy of source (icon form: opaque pixels; alpha form: every
// pixel, premultiplied) and stores the result into target.
void MakeVariant(IconImageHandle& target, const IconImageHandle& source,
                 const std::function<uint32_t(uint32_t)>& iconChange,
                 const std::function<uint32_t(uint32_t)>& alphaChange)
{
    IconImageHandle copy;
    CopyDetached(copy, source);
    if (copy.IsEmpty()) {
        return;
    }
    if (copy.GetIcon() != nullptr) {
        if (iconChange) {
            if (HICON changed = TransformIcon(copy.GetIcon(), iconChange)) {
                copy = changed;
            }
        }
    } else {
        TransformBits(copy, alphaChange);
    }
    target.CopyHandle(copy);
}

double Luminance(uint32_t r, uint32_t g, uint32_t b)
{
    return (0.299 * r + 0.587 * g + 0.114 * b) / 255.0;
}

// The disabled look of one colour: grey by luminance, or a blend from dark to light.
uint32_t DisabledColour(uint32_t r, uint32_t g, uint32_t b, COLORREF light, COLORREF dark,
                        bool blend)
{
    const double lum = Luminance(r, g, b);
    if (!blend) {
        const auto value = static_cast<uint32_t>(255.0 * std::sqrt(lum));
        return MakePixel(0, value, value, value);
    }
    auto mix = [lum](int d, int l) {
        return static_cast<uint32_t>(d * (1.0 - lum) + l * lum);
    };
    return MakePixel(0, mix(GetRValue(dark), GetRValue(light)),
                     mix(GetGValue(dark), GetGValue(light)),
                     mix(GetBValue(dark), GetBValue(light)));
}

}  // namespace

CUTKImageManagerIcon::CUTKImageManagerIcon(UINT id, int width, int height,
                                           CUTKImageManagerIconSet* iconSet)
    : m_nID(id), m_nWidth(width), m_nHeight(height), m_pIconSet(iconSet)
{
    CUTKImageManager* manager = iconSet != nullptr ? iconSet->GetImageManager() : nullptr;
    for (IconImageHandle* image :
         {&m_imageNormal, &m_imageFaded, &m_imageShadow, &m_imageHot, &m_imageChecked,
          &m_imagePressed, &m_imageDisabled, &m_imageDisabledAuto}) {
        image->SetManager(manager);
    }
}

CUTKImageManagerIcon::CUTKImageManagerIcon(UINT id, int width, int height,
                                           CUTKImageManagerImageList* imageList)
    : m_nID(id), m_nWidth(width), m_nHeight(height), m_pImageList(imageList)
{
}

CUTKImageManagerIcon::~CUTKImageManagerIcon()
{
    Clear();
}

CSize CUTKImageManagerIcon::GetExtent() const
{
    return m_imageNormal.GetExtent();
}

BOOL CUTKImageManagerIcon::IsAlpha() const
{
    return m_imageNormal.IsAlpha();
}

IconImageHandle& CUTKImageManagerIcon::GetHotIcon()
{
    return m_imageHot.IsEmpty() ? m_imageNormal : m_imageHot;
}

IconImageHandle& CUTKImageManagerIcon::GetCheckedIcon()
{
    return m_imageChecked.IsEmpty() ? GetHotIcon() : m_imageChecked;
}

IconImageHandle& CUTKImageManagerIcon::GetPressedIcon()
{
    return m_imagePressed.IsEmpty() ? GetHotIcon() : m_imagePressed;
}

BOOL CUTKImageManagerIcon::HasDisabledIcon() const
{
    return !m_imageDisabled.IsEmpty() || !m_imageDisabledAuto.IsEmpty() ? TRUE : FALSE;
}

IconImageHandle& CUTKImageManagerIcon::GetDisabledIcon(BOOL create)
{
    if (!m_imageDisabled.IsEmpty()) {
        return m_imageDisabled;
    }
    if (m_imageDisabledAuto.IsEmpty() && create) {
        CreateDisabledIcon(kUnset, kUnset);
    }
    return m_imageDisabledAuto;
}

IconImageHandle& CUTKImageManagerIcon::GetFadedIcon()
{
    if (m_imageFaded.IsEmpty()) {
        CreateFadedIcon();
    }
    return m_imageFaded.IsEmpty() ? m_imageNormal : m_imageFaded;
}

IconImageHandle& CUTKImageManagerIcon::GetShadowIcon()
{
    if (m_imageShadow.IsEmpty()) {
        CreateShadowIcon();
    }
    return m_imageShadow;
}

IconImageHandle& CUTKImageManagerIcon::GetIconForState(int state)
{
    switch (state) {
    case 1:
        return GetDisabledIcon(TRUE);
    case 2:
        return GetHotIcon();
    case 3:
        return GetCheckedIcon();
    case 4:
        return GetPressedIcon();
    default:
        return m_imageNormal;
    }
}

void CUTKImageManagerIcon::Refresh()
{
    m_imageFaded.Clear();
    m_imageShadow.Clear();
    m_imageDisabledAuto.Clear();
}

void CUTKImageManagerIcon::Clear()
{
    for (IconImageHandle* image :
         {&m_imageNormal, &m_imageFaded, &m_imageShadow, &m_imageHot, &m_imageChecked,
          &m_imagePressed, &m_imageDisabled, &m_imageDisabledAuto}) {
        image->Clear();
    }
}

void CUTKImageManagerIcon::SetNormalIcon(const IconImageHandle& image)
{
    Clear();
    m_imageNormal.CopyHandle(image);
    const CSize size = image.GetExtent();
    m_nWidth = size.cx;
    m_nHeight = size.cy;
    if (m_pIconSet != nullptr) {
        m_pIconSet->RefreshAll();
    }
}

void CUTKImageManagerIcon::SetHotIcon(const IconImageHandle& image)
{
    Refresh();
    m_imageHot.CopyHandle(image);
}

void CUTKImageManagerIcon::SetCheckedIcon(const IconImageHandle& image)
{
    Refresh();
    m_imageChecked.CopyHandle(image);
}

void CUTKImageManagerIcon::SetPressedIcon(const IconImageHandle& image)
{
    Refresh();
    m_imagePressed.CopyHandle(image);
}

void CUTKImageManagerIcon::SetDisabledIcon(const IconImageHandle& image)
{
    Refresh();
    m_imageDisabled.CopyHandle(image);
}

void CUTKImageManagerIcon::CreateFadedIcon()
{
    if (!m_imageFaded.IsEmpty()) {
        return;
    }
    HDC screen = ::GetDC(nullptr);
    const bool palette = ::GetDeviceCaps(screen, BITSPIXEL) <= 8;
    ::ReleaseDC(nullptr, screen);
    std::function<uint32_t(uint32_t)> lighten;
    if (!palette) {
        lighten = [](uint32_t p) {
            auto light = [](uint32_t c) { return static_cast<uint32_t>(0.3 * 255 + 0.7 * c); };
            return MakePixel(Channel(p, 24), light(Channel(p, 16)), light(Channel(p, 8)),
                             light(Channel(p, 0)));
        };
    }
    MakeVariant(m_imageFaded, m_imageNormal, lighten, [](uint32_t p) {
        const uint32_t a = Channel(p, 24);
        if (a == 0) {
            return p;
        }
        auto fade = [a](uint32_t c) { return static_cast<uint32_t>(0.3 * a + 0.7 * c); };
        return MakePixel(a, fade(Channel(p, 16)), fade(Channel(p, 8)), fade(Channel(p, 0)));
    });
}

void CUTKImageManagerIcon::CreateShadowIcon()
{
    const COLORREF base = GetColorManager()->GetColor(31);
    const auto r = static_cast<uint32_t>(GetRValue(base) * 0.75);
    const auto g = static_cast<uint32_t>(GetGValue(base) * 0.75);
    const auto b = static_cast<uint32_t>(GetBValue(base) * 0.75);
    MakeVariant(
        m_imageShadow, GetHotIcon(),
        [r, g, b](uint32_t p) { return MakePixel(Channel(p, 24), r, g, b); },
        [r, g, b](uint32_t p) {
            const uint32_t a = Channel(p, 24);
            return MakePixel(a, a * r / 255, a * g / 255, a * b / 255);
        });
}

void CUTKImageManagerIcon::CreateDisabledIcon(COLORREF light, COLORREF dark)
{
    if (!m_imageDisabledAuto.IsEmpty()) {
        return;
    }
    const bool blend = light != kUnset && dark != kUnset;
    MakeVariant(
        m_imageDisabledAuto, m_imageNormal,
        [light, dark, blend](uint32_t p) {
            const uint32_t made = DisabledColour(Channel(p, 16), Channel(p, 8), Channel(p, 0),
                                                 light, dark, blend);
            return (p & 0xFF000000u) | made;
        },
        [light, dark, blend](uint32_t p) {
            const uint32_t a = Channel(p, 24);
            if (a == 0) {
                return p;
            }
            auto plain = [a](uint32_t c) { return std::min<uint32_t>(c * 255 / a, 255); };
            const uint32_t made = DisabledColour(plain(Channel(p, 16)), plain(Channel(p, 8)),
                                                 plain(Channel(p, 0)), light, dark, blend);
            return MakePixel(a, Channel(made, 16) * a / 255, Channel(made, 8) * a / 255,
                             Channel(made, 0) * a / 255);
        });
}

CSize CUTKImageManagerIcon::DrawSize(CSize size) const
{
    if (size.cx == 0) {
        size.cx = m_nWidth;
    }
    if (size.cy == 0) {
        // Guarded: an icon of no width keeps no proportions.
        size.cy = m_nWidth != 0 ? ::MulDiv(size.cx, m_nHeight, m_nWidth) : 0;
    }
    return size;
}

CUTKImageManager* CUTKImageManagerIcon::GetImageManager() const
{
    return m_pIconSet != nullptr ? m_pIconSet->GetImageManager() : nullptr;
}

void CUTKImageManagerIcon::Draw(CDC* dc, CPoint point)
{
    DrawImage(dc, point, m_imageNormal, CSize(m_nWidth, m_nHeight));
}

void CUTKImageManagerIcon::DrawScaled(CDC* dc, CPoint point, CSize size)
{
    DrawImage(dc, point, m_imageNormal, size);
}

void CUTKImageManagerIcon::DrawImage(CDC* dc, CPoint point, IconImageHandle& image, CSize size,
                                     COLORREF background, COLORREF foreground, UINT style)
{
    if (dc == nullptr) {
        return;
    }
    size = DrawSize(size);
    if (size.cx == 0 || size.cy == 0) {
        return;
    }
    if (m_pImageList != nullptr) {
        ::ImageList_DrawEx(m_pImageList->GetImageList(),
                           static_cast<int>(m_nID - m_pImageList->GetBaseId()), dc->m_hDC,
                           point.x, point.y, size.cx, size.cy, background, foreground,
                           style | ILD_TRANSPARENT);
        return;
    }
    image.Draw(dc, point, size, m_bDrawComposited);
}

void CUTKImageManagerIcon::DrawMono(CDC* dc, CPoint point, IconImageHandle& image, CSize size,
                                    COLORREF colour)
{
    if (dc == nullptr || image.IsAlpha()) {
        return;
    }
    size = DrawSize(size);
    if (size.cx <= 0 || size.cy <= 0) {
        return;
    }
    HBITMAP silhouette = ::CreateCompatibleBitmap(dc->m_hDC, size.cx, size.cy);
    if (silhouette == nullptr) {
        return;
    }
    {
        CDC memory;
        memory.CreateCompatibleDC(dc);
        CSelectGuard select(memory.m_hDC, silhouette);
        memory.FillSolidRect(0, 0, size.cx, size.cy, RGB(255, 255, 255));
        DrawImage(&memory, CPoint(0, 0), image, size);
    }
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::DrawStateW(dc->m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(silhouette), 0, point.x,
                 point.y, size.cx, size.cy, DST_BITMAP | DSS_MONO);
    ::DeleteObject(brush);
    ::DeleteObject(silhouette);
}
