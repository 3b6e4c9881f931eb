// The markup entry points. No element kind exists yet, so no text parses and the element
// operations only accept null.
#include "toolkit/markup/Markup.h"

CUTKMarkupContext* MarkupCreateContext(HWND host)
{
    return new CUTKMarkupContext(host);
}

void MarkupReleaseContext(CUTKMarkupContext** context)
{
    if (context != nullptr) {
        delete *context;
        *context = nullptr;
    }
}

void MarkupReleaseElement(CUTKMarkupUIElement** element)
{
    // No element is ever handed out, so there is nothing to release.
    if (element != nullptr) {
        *element = nullptr;
    }
}

CUTKMarkupUIElement* MarkupParseText(CUTKMarkupContext* /*context*/, LPCWSTR /*text*/)
{
    return nullptr;
}

void MarkupSetDefaultFont(CUTKMarkupContext* context, HFONT font, COLORREF textColor)
{
    if (context == nullptr) {
        return;
    }
    LOGFONTW logFont{};
    if (font != nullptr && ::GetObjectW(font, sizeof(logFont), &logFont) == sizeof(logFont)) {
        context->SetDefaultFont(logFont);
    }
    if (textColor != static_cast<COLORREF>(-1)) {
        context->SetDefaultTextColor(textColor);
    }
}

SIZE MarkupMeasureElement(CUTKMarkupUIElement* /*element*/, int /*availableWidth*/,
                          int /*availableHeight*/)
{
    return SIZE{0, 0};
}

void MarkupRenderElement(CUTKMarkupUIElement* /*element*/, HDC /*dc*/, const RECT* /*rect*/) {}
