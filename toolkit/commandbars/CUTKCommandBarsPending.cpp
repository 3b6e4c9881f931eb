// CUTKCommandBars: plain first versions of the operations that the frame integration (keyboard
// tips) defines in full. Whoever takes one over deletes it here.
#include "toolkit/commandbars/CUTKCommandBars.h"

#include "toolkit/commandbars/CUTKCommandBar.h"

void CUTKCommandBars::ShowKeyboardTipsOf(CWnd*) {}

void CUTKCommandBars::ShowKeyboardTips(CWnd*, int) {}

void CUTKCommandBars::HideKeyboardTips()
{
    m_pKeyboardTipsOwner = nullptr;
    m_keyboardTipsMode = 0;
    m_keyboardTipsTyped = 0;
}
