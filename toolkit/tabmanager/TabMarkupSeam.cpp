#include "toolkit/tabmanager/TabMarkupSeam.h"

CUTKMarkupUIElement* TabMarkupParseText(CUTKMarkupContext* context, const CString& text)
{
    (void)context;
    (void)text;
    return nullptr;
}

void TabMarkupReleaseElement(CUTKMarkupUIElement*& element)
{
    element = nullptr;
}

void TabMarkupReleaseContext(CUTKMarkupContext*& context)
{
    context = nullptr;
}

CSize TabMarkupMeasureElement(CUTKMarkupUIElement* element, int width, int height)
{
    (void)element;
    (void)width;
    (void)height;
    return CSize(0, 0);
}

void TabMarkupRenderElement(CUTKMarkupUIElement* element, CDC* dc, const RECT& rect)
{
    (void)element;
    (void)dc;
    (void)rect;
}

void TabMarkupSetDefaultFont(CUTKMarkupContext* context, HFONT font, COLORREF textColor)
{
    (void)context;
    (void)font;
    (void)textColor;
}
