// Free drawing helpers: colour arithmetic (blends, HSL), the per-pixel source-over blend the
// toolkit uses without msimg32, mnemonics, right-to-left layout of keys and points, fonts
// and window classes.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

// Per channel a * factor + b * (1 - factor), truncated, at most 255.
COLORREF BlendColors(COLORREF a, COLORREF b, double factor);
// Packed hue (low byte, 0-239), saturation (0-240) and lightness (high byte, 0-240).
COLORREF RGBtoHSL(COLORREF rgb);
COLORREF HSLtoRGB(COLORREF hsl);
// Source-over of a premultiplied 32-bit pixel (blue, green, red, alpha from the low byte) on
// a destination pixel: each byte source + destination * (255 - source alpha) / 255, at most
// 255 (a source that is not premultiplied cannot overflow into the next byte).
DWORD AlphaBlendPixel(DWORD source, DWORD destination);

// Deletes every ampersand, keeping the character after it (so "&&" leaves "&").
void StripMnemonics(CString& text);
// In place: drops each ampersand not followed by another one; a null pointer or the
// resource-id marker -1 is left alone.
void StripMnemonicsInPlace(wchar_t* text);

// TRUE when the foreground window is the last active popup of the window's top parent.
BOOL IsTopParentActive(HWND wnd);
// Swaps VK_LEFT and VK_RIGHT for a right-to-left window.
void KeyToLayout(CWnd* wnd, UINT& key);
// A screen point relative to the window rectangle (from its right edge when right-to-left).
void ScreenToWindow(CWnd* wnd, POINT* point);
// Registers a class with DefWindowProcW, the arrow cursor, no menu and no extra bytes; a null
// instance means this module.
BOOL RegisterWndClass(HINSTANCE instance, LPCWSTR className, UINT style, HICON icon = nullptr,
                      HBRUSH background = nullptr);
// The window's text as DefWindowProcW keeps it, bypassing the window's own handlers.
void GetDefWindowText(HWND wnd, CString& text);
// The icon-title font in the resource manager's character set.
BOOL GetIconLogFont(LOGFONTW* font);
void DrawTriangle(CDC* dc, POINT p1, POINT p2, POINT p3);
// TRUE when a font family of that face name is installed.
BOOL FontExists(LPCWSTR face);
// The face the toolkit uses when a theme sets none.
void GetDefaultFaceName(CString& face, BOOL preferTahoma);
