// Customisation-mode clicks of the static special controls.
#include "toolkit/controls/SpecialControlCustomize.h"

#include "toolkit/commandbars/CUTKCommandBar.h"

BOOL SpecialControlCustomize::IsCustomizeMode(const CUTKControl* control)
{
    CUTKCommandBar* bar = control != nullptr ? control->GetParent() : nullptr;
    return bar != nullptr && bar->IsCustomizeMode();
}

BOOL SpecialControlCustomize::OnClick(CUTKControl* control, BOOL keyboard, CPoint point)
{
    if (!IsCustomizeMode(control))
        return FALSE;
    if (!keyboard && control->IsCustomizeMovable())
        control->CustomizeStartDrag(point);
    return TRUE;
}
