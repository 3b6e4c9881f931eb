// The markup engine's entry points that the tooltips call. This build parses no markup yet:
// every text answers null, so callers take their plain-text path.
#pragma once

#include <windows.h>

#include "toolkit/markup/CUTKMarkupContext.h"

// A new context for the host window (null: none); released with MarkupReleaseContext.
CUTKMarkupContext* MarkupCreateContext(HWND host);
// Releases the context if any and clears the pointer.
void MarkupReleaseContext(CUTKMarkupContext** context);
// Releases the element if any and clears the pointer.
void MarkupReleaseElement(CUTKMarkupUIElement** element);
// The parsed root element (one reference for the caller), or null when the text is not markup
// or there is no context.
CUTKMarkupUIElement* MarkupParseText(CUTKMarkupContext* context, LPCWSTR text);
// The context's default font (from the font's LOGFONT) when a font is given, and its text
// colour unless -1; nothing without a context.
void MarkupSetDefaultFont(CUTKMarkupContext* context, HFONT font, COLORREF textColor);
// The element's desired size within the available size; (0, 0) for a null element.
SIZE MarkupMeasureElement(CUTKMarkupUIElement* element, int availableWidth, int availableHeight);
// Arranges and renders the element into the rectangle; nothing for a null argument.
void MarkupRenderElement(CUTKMarkupUIElement* element, HDC dc, const RECT* rect);
