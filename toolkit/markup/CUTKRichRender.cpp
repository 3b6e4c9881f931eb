// The rich-text renderer without text services.
#include "toolkit/markup/CUTKRichRender.h"

LRESULT CUTKRichRender::SetText(LPCWSTR /*text*/)
{
    return 0;
}

void CUTKRichRender::SetDefaultCharFormat(const CHARFORMAT2W* format)
{
    if (format != nullptr) {
        m_charFormat = *format;
    }
}

SIZE CUTKRichRender::GetTextExtent(CDC* /*dc*/, int /*width*/)
{
    return SIZE{0, 0};
}

void CUTKRichRender::DrawText(CDC* /*dc*/, const RECT* /*rect*/) {}
