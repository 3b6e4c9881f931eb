// A push button that draws its icon or bitmap itself on the themed button background, and tells
// its parent of a right click (NM_RCLICK). Without visual styles it draws as a plain button.
#pragma once

#include "platform/framework/window/FrameworkWindows.h"

class ButtonEx : public CButton {
public:
    // Position of an image of the given size inside the content rectangle for the button's
    // alignment styles, with the one-pixel offset of a pressed button.
    static POINT ImagePosition(DWORD style, const RECT& content, SIZE image, bool pressed);

protected:
    void OnCustomDraw(NMHDR* header, LRESULT* result);
    void OnRButtonUp(UINT flags, CPoint point);

    DECLARE_MESSAGE_MAP()
};
