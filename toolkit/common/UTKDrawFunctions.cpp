#include "toolkit/common/UTKDrawFunctions.h"

#include "toolkit/common/CUTKResourceManager.h"
#include "toolkit/common/OSVersionInfo.h"

#include <algorithm>
#include <vector>

namespace {

int BlendChannel(int a, int b, double factor)
{
    const int value = static_cast<int>(a * factor + b * (1.0 - factor));
    return std::clamp(value, 0, 255);
}

int HueToRGB(int m1, int m2, int h)
{
    if (h < 0) {
        h += 255;
    }
    if (h > 255) {
        h -= 255;
    }
    const int q = (m2 - m1) / 255;
    int value = m1;
    if (6 * h < 255) {
        value = m1 + 6 * h * q;
    } else if (2 * h < 255) {
        value = m2;
    } else if (3 * h < 510) {
        value = m1 + 6 * (170 - h) * q;
    }
    return std::clamp(value / 255, 0, 255);
}

}  // namespace

COLORREF BlendColors(COLORREF a, COLORREF b, double factor)
{
    return RGB(BlendChannel(GetRValue(a), GetRValue(b), factor),
               BlendChannel(GetGValue(a), GetGValue(b), factor),
               BlendChannel(GetBValue(a), GetBValue(b), factor));
}

COLORREF RGBtoHSL(COLORREF rgb)
{
    const int red = GetRValue(rgb);
    const int green = GetGValue(rgb);
    const int blue = GetBValue(rgb);
    const int max = std::max({red, green, blue});
    const int min = std::min({red, green, blue});
    const int sum = max + min;
    const int lightness = (sum + 1) / 2;
    int hue = 255;
    int saturation = 0;
    if (max != min) {
        const int d = max - min;
        saturation = lightness < 127 ? ((d + 1) * 256) / sum : (d * 256) / (512 - sum);
        if (red == max) {
            hue = ((green - blue) * 256) / d;
        } else if (green == max) {
            hue = ((blue - red) * 256) / d + 512;
        } else {
            hue = ((red - green) * 256) / d + 1024;
        }
        hue /= 6;
        if (hue < 0) {
            hue += 256;
        }
    }
    const int h = std::min(hue * 239 / 255, 239);
    const int s = std::min(saturation * 240 / 255, 240);
    const int l = std::min(lightness * 240 / 255, 240);
    return static_cast<COLORREF>(h | (s << 8) | (l << 16));
}

COLORREF HSLtoRGB(COLORREF hsl)
{
    const int h = static_cast<int>(hsl & 0xFF) * 255 / 239;
    const int s = static_cast<int>((hsl >> 8) & 0xFF) * 255 / 240;
    const int l = static_cast<int>((hsl >> 16) & 0xFF) * 255 / 240;
    if (s == 0) {
        const int grey = std::min(l, 255);
        return RGB(grey, grey, grey);
    }
    const int m2 = l <= 127 ? l * (s + 255) : (l + s - l * s / 255) * 255;
    const int m1 = l * 510 - m2;
    return RGB(HueToRGB(m1, m2, h + 85), HueToRGB(m1, m2, h), HueToRGB(m1, m2, h - 85));
}

DWORD AlphaBlendPixel(DWORD source, DWORD destination)
{
    const DWORD inverse = 255 - (source >> 24);
    DWORD result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const DWORD s = (source >> shift) & 0xFF;
        const DWORD d = (destination >> shift) & 0xFF;
        result |= std::min<DWORD>(s + d * inverse / 255, 255) << shift;
    }
    return result;
}

void StripMnemonics(CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text.GetAt(i) == L'&') {
            // The character that moves into place i is kept.
            text.Delete(i);
        }
    }
}

void StripMnemonicsInPlace(wchar_t* text)
{
    if (text == nullptr || text == reinterpret_cast<wchar_t*>(static_cast<INT_PTR>(-1))) {
        return;
    }
    wchar_t* to = text;
    for (const wchar_t* from = text; *from != L'\0'; ++from) {
        if (*from != L'&' || from[1] == L'&') {
            *to++ = *from;
        }
    }
    *to = L'\0';
}

BOOL IsTopParentActive(HWND wnd)
{
    if (wnd == nullptr) {
        return FALSE;
    }
    HWND top = wnd;
    for (HWND up = ::GetParent(top); up != nullptr; up = ::GetParent(up)) {
        top = up;
    }
    return ::GetForegroundWindow() == ::GetLastActivePopup(top) ? TRUE : FALSE;
}

void KeyToLayout(CWnd* wnd, UINT& key)
{
    if (wnd == nullptr || wnd->GetSafeHwnd() == nullptr ||
        (wnd->GetExStyle() & WS_EX_LAYOUTRTL) == 0) {
        return;
    }
    if (key == VK_LEFT) {
        key = VK_RIGHT;
    } else if (key == VK_RIGHT) {
        key = VK_LEFT;
    }
}

void ScreenToWindow(CWnd* wnd, POINT* point)
{
    if (wnd == nullptr || point == nullptr || wnd->GetSafeHwnd() == nullptr) {
        return;
    }
    RECT rect = {};
    wnd->GetWindowRect(&rect);
    point->y -= rect.top;
    if ((wnd->GetExStyle() & WS_EX_LAYOUTRTL) != 0) {
        point->x = rect.right - point->x;
    } else {
        point->x -= rect.left;
    }
}

BOOL RegisterWndClass(HINSTANCE instance, LPCWSTR className, UINT style, HICON icon,
                      HBRUSH background)
{
    WNDCLASSW wc = {};
    wc.style = style;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = instance != nullptr ? instance : AfxGetInstanceHandle();
    wc.hIcon = icon;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    return AfxRegisterClass(&wc);
}

void GetDefWindowText(HWND wnd, CString& text)
{
    const int length = static_cast<int>(::DefWindowProcW(wnd, WM_GETTEXTLENGTH, 0, 0));
    if (length <= 0) {
        text.Empty();
        return;
    }
    wchar_t* buffer = text.GetBuffer(length + 1);
    buffer[0] = L'\0';
    ::DefWindowProcW(wnd, WM_GETTEXT, static_cast<WPARAM>(length + 1),
                     reinterpret_cast<LPARAM>(buffer));
    buffer[length] = L'\0';
    text.ReleaseBuffer();
}

BOOL GetIconLogFont(LOGFONTW* font)
{
    if (font == nullptr) {
        return FALSE;
    }
    ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(LOGFONTW), font, 0);
    font->lfCharSet = GetResourceManager()->GetFontCharset();
    return TRUE;
}

void DrawTriangle(CDC* dc, POINT p1, POINT p2, POINT p3)
{
    if (dc == nullptr) {
        return;
    }
    const POINT points[3] = {p1, p2, p3};
    dc->Polygon(points, 3);
}

namespace {

int CALLBACK MatchFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM param)
{
    // Zero stops the enumeration at the first match.
    return ::lstrcmpiW(font->lfFaceName, reinterpret_cast<LPCWSTR>(param)) == 0 ? 0 : 1;
}

}  // namespace

BOOL FontExists(LPCWSTR face)
{
    if (face == nullptr || *face == L'\0') {
        return FALSE;
    }
    HDC screen = ::GetDC(nullptr);
    if (screen == nullptr) {
        return FALSE;
    }
    LOGFONTW all = {};
    all.lfCharSet = DEFAULT_CHARSET;
    const int result = ::EnumFontFamiliesExW(screen, &all, MatchFace,
                                             reinterpret_cast<LPARAM>(face), 0);
    ::ReleaseDC(nullptr, screen);
    return result == 0 ? TRUE : FALSE;
}

void GetDefaultFaceName(CString& face, BOOL preferTahoma)
{
    LOGFONTW stock = {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(stock), &stock);
    const BOOL preferStock = stock.lfCharSet > 2 && GetOSVersionInfo()->IsWin2KOrGreater() &&
                             ::lstrcmpiW(stock.lfFaceName, L"MS Shell Dlg") != 0;
    if (preferStock || !FontExists(L"Arial")) {
        face = stock.lfFaceName;
    } else if (preferTahoma && FontExists(L"Tahoma")) {
        face = L"Tahoma";
    } else {
        face = L"Arial";
    }
}
