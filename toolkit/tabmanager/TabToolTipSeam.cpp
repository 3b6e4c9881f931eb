#include "toolkit/tabmanager/TabToolTipSeam.h"

void TabFillToolInfo(TOOLINFOW* toolInfo, HWND window, const RECT& rect, int id,
                     const CString& text)
{
    (void)toolInfo;
    (void)window;
    (void)rect;
    (void)id;
    (void)text;
}

void TabFillToolInfoEx(TOOLINFOW* toolInfo, HWND window, const RECT& rect, int id,
                       const CString& text, const CString& title)
{
    (void)toolInfo;
    (void)window;
    (void)rect;
    (void)id;
    (void)text;
    (void)title;
}
