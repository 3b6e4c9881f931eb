// Gradient title: palette, 8-bit palette-index DIB, erase and text painting.
#include "WinNT_SP/Include_VS2005/ui/TitleStatic.h"

#include "platform/base/CSelectGuard.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CTitleStatic, CStatic)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

COLORREF CTitleStatic::PaletteEntry(COLORREF start, COLORREF end, int i)
{
    auto channel = [i](int s, int e) {
        s = std::max(s, 64);
        e = std::max(e, 64);
        return static_cast<BYTE>(e - i * (e - s) / kPaletteEntries);
    };
    return RGB(channel(GetRValue(start), GetRValue(end)), channel(GetGValue(start), GetGValue(end)),
               channel(GetBValue(start), GetBValue(end)));
}

BOOL CTitleStatic::Create(const RECT& rect, CWnd* parent, const wchar_t* text)
{
    m_text = text ? text : L"";
    m_start = ::GetSysColor(COLOR_BTNSHADOW);
    m_end = ::GetSysColor(COLOR_BTNFACE);
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(m_font), &m_font);
    if (!CStatic::Create(m_text.c_str(), WS_CHILD | WS_VISIBLE, rect, parent, 0xFFFF)) {
        return FALSE;
    }
    BuildPalette();
    BuildGradient();
    return TRUE;
}

void CTitleStatic::BuildPalette()
{
    if (m_palette) {
        ::DeleteObject(m_palette);
    }
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + kPaletteEntries * sizeof(PALETTEENTRY));
    auto* log = reinterpret_cast<LOGPALETTE*>(buffer.data());
    log->palVersion = 0x300;
    log->palNumEntries = kPaletteEntries;
    for (int i = 0; i < kPaletteEntries; ++i) {
        const COLORREF c = PaletteEntry(m_start, m_end, i);
        log->palPalEntry[i] = {GetRValue(c), GetGValue(c), GetBValue(c), 0};
    }
    m_palette = ::CreatePalette(log);
}

void CTitleStatic::BuildGradient()
{
    m_pixels.clear();
    HDC screen = ::GetDC(nullptr);
    const int bits = ::GetDeviceCaps(screen, BITSPIXEL) * ::GetDeviceCaps(screen, PLANES);
    ::ReleaseDC(nullptr, screen);
    RECT rc;
    GetClientRect(&rc);
    const int w = rc.right;
    const int h = rc.bottom;
    if (bits <= 7 || w <= 0 || h <= 0) {
        return;
    }
    m_info.assign(sizeof(BITMAPINFOHEADER) + kPaletteEntries * sizeof(WORD), 0);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(m_info.data());
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = w;
    header->biHeight = h;
    header->biPlanes = 1;
    header->biBitCount = 8;
    header->biClrUsed = kPaletteEntries;
    auto* indices = reinterpret_cast<WORD*>(m_info.data() + sizeof(BITMAPINFOHEADER));
    for (int i = 0; i < kPaletteEntries; ++i) {
        indices[i] = static_cast<WORD>(i);
    }
    const int stride = (w + 3) & ~3;
    m_pixels.assign(static_cast<size_t>(stride) * h, 0);
    for (int x = 0; x < w; ++x) {
        const BYTE index = (m_style & 8) ? static_cast<BYTE>(255 - x * 256 / w) : 0;
        for (int y = 0; y < h; ++y) {
            m_pixels[static_cast<size_t>(y) * stride + x] = index;
        }
    }
}

BOOL CTitleStatic::OnEraseBkgnd(CDC* dc)
{
    if (m_pixels.empty() || !m_palette) {
        return static_cast<BOOL>(Default());
    }
    HDC hdc = dc->GetSafeHdc();
    HPALETTE old = ::SelectPalette(hdc, m_palette, FALSE);
    ::RealizePalette(hdc);
    RECT rc;
    GetClientRect(&rc);
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(m_info.data());
    ::StretchDIBits(hdc, 0, 0, rc.right, rc.bottom, 0, 0, header->biWidth, header->biHeight,
                    m_pixels.data(), reinterpret_cast<const BITMAPINFO*>(m_info.data()),
                    DIB_PAL_COLORS, SRCCOPY);
    ::SelectPalette(hdc, old, FALSE);
    return TRUE;
}

void CTitleStatic::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(m_hWnd, &ps);
    RECT rc;
    GetClientRect(&rc);
    if (m_style & 1) {
        rc.left += 3;
    }
    if (m_style & 4) {
        rc.right -= 3;
    }
    UINT format = DT_SINGLELINE | DT_VCENTER;
    format |= (m_style & 2) ? DT_CENTER : (m_style & 4) ? DT_RIGHT : DT_LEFT;
    HFONT font = ::CreateFontIndirectW(&m_font);
    {
        const CSelectGuard selectFont(hdc, font);
        ::SetBkMode(hdc, TRANSPARENT);
        if (m_style & 0x40) {
            RECT shadow = rc;
            shadow.left += 2;
            shadow.top += 3;
            ::SetTextColor(hdc, m_shadowColor);
            ::DrawTextW(hdc, m_text.c_str(), -1, &shadow, format);
        }
        ::SetTextColor(hdc, m_textColor);
        ::DrawTextW(hdc, m_text.c_str(), -1, &rc, format);
        if (m_progressPercent >= 1 && m_progressPercent <= 100) {
            RECT client;
            GetClientRect(&client);
            const int x = client.right * m_progressPercent / 100;
            HPEN pen = ::CreatePen(PS_SOLID, 1, m_end);
            {
                const CSelectGuard selectPen(hdc, pen);
                ::MoveToEx(hdc, x, client.top, nullptr);
                ::LineTo(hdc, x, client.bottom);
            }
            ::DeleteObject(pen);
        }
    }
    ::DeleteObject(font);
    ::EndPaint(m_hWnd, &ps);
}

void CTitleStatic::OnSysColorChange()
{
    BuildPalette();
    Invalidate();
}

void CTitleStatic::OnSize(UINT, int, int)
{
    BuildGradient();
}
