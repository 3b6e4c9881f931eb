// The radio button control: type 11, focused while selected, clicked by the space bar.
#include "toolkit/controls/CUTKControlRadioButton.h"

IMPLEMENT_SERIAL(CUTKControlRadioButton, CUTKControlButton, kUtkControlSchema)

CUTKControlRadioButton::CUTKControlRadioButton() { m_controlType = utkControlRadioButton; }

BOOL CUTKControlRadioButton::IsFocused() const { return GetSelected() != utkSelectedNone; }

BOOL CUTKControlRadioButton::OnHookKeyDown(UINT key, LPARAM /*data*/)
{
    if (key != VK_SPACE)
        return FALSE;
    OnClick(TRUE);
    return TRUE;
}

CUTKControl* CUTKControlRadioButton::Clone(BOOL recursive) { return CUTKControl::Clone(recursive); }
