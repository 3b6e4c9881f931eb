// What the paint managers read of a status bar, its panes and a message bar. The status bar and
// its panes are the command bars' own (CUTKStatusBar); the message bar is a plain record that
// its window fills before it paints.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"
#include "toolkit/commandbars/CUTKStatusBar.h"

#include <vector>

class CUTKMessageBarButton {
public:
    CRect m_rcButton{0, 0, 0, 0};
    BOOL m_bPressed = FALSE;
    BOOL m_bHot = FALSE;
    UINT m_nID = 0;  // SC_CLOSE draws a cross
};

class CUTKMessageBar {
public:
    // The client rectangle less the paddings, and 18 pixels more at the right for a close
    // button.
    CRect GetMessageRect() const;
    // The first button with that command id, or null.
    CUTKMessageBarButton* FindButton(UINT id) noexcept;

    CRect m_rcClient{0, 0, 0, 0};
    CRect m_rcPadding{0, 0, 0, 0};
    std::vector<CUTKMessageBarButton> m_buttons;
};
