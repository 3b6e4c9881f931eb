// The one place where tab strips reach the tooltip context: tool records for a tab's or a
// navigate button's hit test.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/framework/Framework.h"

// A plain tool: the window, the tool rectangle, the id and the text.
void TabFillToolInfo(TOOLINFOW* toolInfo, HWND window, const RECT& rect, int id,
                     const CString& text);
// An extended tool: as above plus a title (the tab's caption).
void TabFillToolInfoEx(TOOLINFOW* toolInfo, HWND window, const RECT& rect, int id,
                       const CString& text, const CString& title);
