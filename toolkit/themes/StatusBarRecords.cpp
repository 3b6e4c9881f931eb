// The few computed answers of the message-bar record: its text area and button lookup.
#include "toolkit/themes/StatusBarRecords.h"

CRect CUTKMessageBar::GetMessageRect() const
{
    CRect rc(m_rcClient.left + m_rcPadding.left, m_rcClient.top + m_rcPadding.top,
             m_rcClient.right - m_rcPadding.right, m_rcClient.bottom - m_rcPadding.bottom);
    for (const CUTKMessageBarButton& button : m_buttons) {
        if (button.m_nID == SC_CLOSE) {
            rc.right -= 18;
            break;
        }
    }
    return rc;
}

CUTKMessageBarButton* CUTKMessageBar::FindButton(UINT id) noexcept
{
    for (CUTKMessageBarButton& button : m_buttons) {
        if (button.m_nID == id) {
            return &button;
        }
    }
    return nullptr;
}
