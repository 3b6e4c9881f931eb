// CUTKCommandBars: keyboard tips. The tip windows are not built yet, so showing them does
// nothing; hiding still clears the tip state the keyboard handling reads.
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
