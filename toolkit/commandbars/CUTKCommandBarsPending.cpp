// CUTKCommandBars: plain first versions of the operations that the frame integration (keyboard
// tips, mnemonics, tracking changes) defines in full. Whoever takes one over deletes it here.
#include "toolkit/commandbars/CUTKCommandBars.h"

#include "toolkit/commandbars/CUTKCommandBar.h"

void CUTKCommandBars::ShowKeyboardTipsOf(CWnd*) {}

void CUTKCommandBars::OnTrackingModeChanged(CUTKCommandBar*, int bMode)
{
    if (!bMode && m_bKeyboardCuesHidden)
        ShowKeyboardCues(FALSE);
}

void CUTKCommandBars::ShowKeyboardTips(CWnd*, int) {}

void CUTKCommandBars::HideKeyboardTips()
{
    m_pKeyboardTipsOwner = nullptr;
    m_keyboardTipsMode = 0;
    m_keyboardTipsTyped = 0;
}

BOOL CUTKCommandBars::OnFrameAccel(UINT) { return FALSE; }
