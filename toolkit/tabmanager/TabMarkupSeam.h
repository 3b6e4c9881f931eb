// The one place where tab strips reach the markup engine. Until it is wired in, parsing
// answers null, measuring (0, 0) and rendering draws nothing, so captions stay plain text.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class CUTKMarkupContext;
class CUTKMarkupUIElement;

CUTKMarkupUIElement* TabMarkupParseText(CUTKMarkupContext* context, const CString& text);
// Releases the element and clears the pointer; nothing for null.
void TabMarkupReleaseElement(CUTKMarkupUIElement*& element);
// Releases the context and clears the pointer; nothing for null.
void TabMarkupReleaseContext(CUTKMarkupContext*& context);
CSize TabMarkupMeasureElement(CUTKMarkupUIElement* element, int width, int height);
void TabMarkupRenderElement(CUTKMarkupUIElement* element, CDC* dc, const RECT& rect);
void TabMarkupSetDefaultFont(CUTKMarkupContext* context, HFONT font, COLORREF textColor);
