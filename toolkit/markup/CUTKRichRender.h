// CUTKRichRender: a windowless rich-edit text host that measures and draws rich text. This
// build has no text services: every text is empty, measures (0, 0) and draws nothing.
#pragma once

#include <richedit.h>

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class CUTKRichRender {
public:
    CUTKRichRender() = default;
    virtual ~CUTKRichRender() = default;
    CUTKRichRender(const CUTKRichRender&) = delete;
    CUTKRichRender& operator=(const CUTKRichRender&) = delete;

    // Whether text can be set, measured and drawn at all.
    BOOL HasTextServices() const noexcept { return FALSE; }
    // The count the stream-in reports: 0 without text services.
    LRESULT SetText(LPCWSTR text);
    // Keeps a copy of the default character format.
    void SetDefaultCharFormat(const CHARFORMAT2W* format);
    const CHARFORMAT2W& GetDefaultCharFormat() const noexcept { return m_charFormat; }
    // The size the text needs wrapped within width; (0, 0) without text services.
    SIZE GetTextExtent(CDC* dc, int width);
    void DrawText(CDC* dc, const RECT* rect);

private:
    CHARFORMAT2W m_charFormat{};
};
