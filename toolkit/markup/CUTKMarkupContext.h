// CUTKMarkupContext: the defaults (font, text colour) a markup text is parsed with, and
// CUTKMarkupUIElement, one parsed element tree. Callers hold them only through the entry
// points of toolkit/markup/Markup.h.
#pragma once

#include <windows.h>

class CUTKMarkupUIElement;

class CUTKMarkupContext {
public:
    explicit CUTKMarkupContext(HWND host) noexcept : m_hHost(host) {}
    CUTKMarkupContext(const CUTKMarkupContext&) = delete;
    CUTKMarkupContext& operator=(const CUTKMarkupContext&) = delete;

    HWND GetHost() const noexcept { return m_hHost; }
    const LOGFONTW* GetDefaultFont() const noexcept { return m_bHasFont ? &m_font : nullptr; }
    COLORREF GetDefaultTextColor() const noexcept { return m_textColor; }
    void SetDefaultFont(const LOGFONTW& font) noexcept
    {
        m_font = font;
        m_bHasFont = TRUE;
    }
    void SetDefaultTextColor(COLORREF color) noexcept { m_textColor = color; }

private:
    HWND m_hHost;
    LOGFONTW m_font{};
    BOOL m_bHasFont = FALSE;
    COLORREF m_textColor = static_cast<COLORREF>(-1);
};
