// The one place where tab strips reach the tooltip context. Until tooltips are wired in, the
// tool records are left as they are; hit tests still answer the tool's id.
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
