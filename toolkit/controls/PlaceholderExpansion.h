// What the list placeholders (window list, toolbar list, OLE verbs, recent files, workspace
// actions) share: numbered captions, removal of the items a placeholder generated last time
// (its own temporaries only, never a real item that follows), the MDI client of the bar's
// site, and the customisation drop rule.
#pragma once

#include <windows.h>

#include <functional>

#include "toolkit/controls/CUTKControl.h"

class CMDIFrameWnd;

// "&1 text" .. "&9 text", "1&0 text", "11 text"...; every "&" of the text doubled; the text
// alone for 0.
CString FormatNumberedCaption(const CString& text, int number);

class PlaceholderExpansion {
public:
    // Removes the controls right after the placeholder while they are temporary, match the
    // test and are at most maxCount; answers how many went.
    static int RemoveGenerated(CUTKControl* placeholder, int maxCount,
                               const std::function<BOOL(CUTKControl*)>& generatedByIt);
    // The MDI frame of the placeholder's bar site (the site or one of its parents), or null.
    static CMDIFrameWnd* FindMdiFrame(const CUTKControl* placeholder);
    // The MDI client window of that frame, or null.
    static HWND FindMdiClient(const CUTKControl* placeholder);
    static BOOL IsCustomizeMode(const CUTKControl* placeholder);
    // Description, tooltip and keyboard tip from a string resource, split as SetID splits.
    static void SetPromptFromString(CUTKControl* control, UINT stringId);
    // Placeholders take dropped controls only on popup bars.
    static BOOL IsCustomizeDragOverAvail(CUTKCommandBar* bar, DWORD& effect);
};
