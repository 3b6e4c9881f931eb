#include "toolkit/tabmanager/TabToolTipSeam.h"

#include "toolkit/common/CUTKToolTipContext.h"

void TabFillToolInfo(TOOLINFOW* toolInfo, HWND window, const RECT& rect, int id,
                     const CString& text)
{
    CUTKToolTipContext::FillToolInfo(toolInfo, window, CRect(rect), id, text);
}

void TabFillToolInfoEx(TOOLINFOW* toolInfo, HWND window, const RECT& rect, int id,
                       const CString& text, const CString& title)
{
    // Tabs give no description and no image of their own.
    CUTKToolTipContext::FillToolInfoEx(toolInfo, window, CRect(rect), id, text, title, nullptr,
                                       nullptr);
}
