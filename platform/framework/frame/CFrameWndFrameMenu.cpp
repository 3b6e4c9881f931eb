// The frame's menu refresh: the menu a frame shows when nobody supplies another one. A
// multiple-document frame is told the shared menu of its active document through the MDI client.
#include "platform/framework/frame/CFrameWnd.h"

#include "platform/framework/frame/CMDIFrameWnd.h"

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (m_hWnd == nullptr) {
        return;
    }
    HMENU menu = hMenuAlt != nullptr ? hMenuAlt : m_hMenuDefault;
    if (auto* mdiFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, this);
        mdiFrame != nullptr && mdiFrame->m_hWndMDIClient != nullptr) {
        // The client swaps the frame's menu bar; the window menu argument stays as it is.
        ::SendMessageW(mdiFrame->m_hWndMDIClient, WM_MDISETMENU,
                       reinterpret_cast<WPARAM>(menu), 0);
        ::DrawMenuBar(m_hWnd);
        return;
    }
    ::SetMenu(m_hWnd, menu);
}
