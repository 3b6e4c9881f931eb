// A page title on a gradient background (the options dialog's pages): white shadowed text over
// a palette gradient from the button-shadow colour to the button-face colour.
#pragma once

#include "platform/framework/window/FrameworkWindows.h"

#include <string>
#include <vector>

class CTitleStatic : public CStatic {
public:
    static constexpr int kPaletteEntries = 256;

    BOOL Create(const RECT& rect, CWnd* parent, const wchar_t* text);
    void GetLogFont(LOGFONTW* font) const { *font = m_font; }
    void SetLogFont(const LOGFONTW& font) { m_font = font; }

    // Palette entry i from the end colour (0) to the start colour (255), channels raised to 64.
    static COLORREF PaletteEntry(COLORREF start, COLORREF end, int i);
    bool HasGradient() const { return !m_pixels.empty(); }

    int m_style = 0x49;
    COLORREF m_textColor = RGB(255, 255, 255);
    COLORREF m_shadowColor = RGB(0, 0, 0);
    int m_progressPercent = 0;

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnSysColorChange();
    void OnSize(UINT type, int cx, int cy);

    DECLARE_MESSAGE_MAP()

private:
    void BuildPalette();
    void BuildGradient();

    std::wstring m_text;
    COLORREF m_start = 0;
    COLORREF m_end = 0;
    LOGFONTW m_font = {};
    HPALETTE m_palette = nullptr;
    std::vector<BYTE> m_info;  // BITMAPINFOHEADER + 256 WORD palette indices
    std::vector<BYTE> m_pixels;
};
