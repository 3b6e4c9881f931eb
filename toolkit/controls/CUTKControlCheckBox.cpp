// The check box control: type 9, focused while selected, clicked by the space bar.
#include "toolkit/controls/CUTKControlCheckBox.h"

IMPLEMENT_SERIAL(CUTKControlCheckBox, CUTKControlButton, kUtkControlSchema)

CUTKControlCheckBox::CUTKControlCheckBox() { m_controlType = utkControlCheckBox; }

BOOL CUTKControlCheckBox::IsFocused() const { return GetSelected() != utkSelectedNone; }

BOOL CUTKControlCheckBox::OnHookKeyDown(UINT key, LPARAM /*data*/)
{
    if (key != VK_SPACE)
        return FALSE;
    OnClick(TRUE);
    return TRUE;
}

CUTKControl* CUTKControlCheckBox::Clone(BOOL recursive) { return CUTKControl::Clone(recursive); }
