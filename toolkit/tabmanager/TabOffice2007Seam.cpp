#include "toolkit/tabmanager/TabOffice2007Seam.h"

BOOL TabOffice2007IsLoaded()
{
    return FALSE;
}

BOOL TabOffice2007GetColor(LPCWSTR section, LPCWSTR key, COLORREF& color)
{
    (void)section;
    (void)key;
    (void)color;
    return FALSE;
}

BOOL TabOffice2007DrawImage(CDC* dc, LPCWSTR image, const RECT& rect, int state, int stateCount,
                            const RECT& sizingMargins, COLORREF transparent)
{
    (void)dc;
    (void)image;
    (void)rect;
    (void)state;
    (void)stateCount;
    (void)sizingMargins;
    (void)transparent;
    return FALSE;
}
