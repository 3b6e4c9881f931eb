// CUTKCommandBarsOptions: the keyboard-cues mode and its effect on the owning command bars.
#include "toolkit/commandbars/CUTKCommandBarsOptions.h"

#include "toolkit/commandbars/CUTKCommandBars.h"

void CUTKCommandBarsOptions::SetShowKeyboardCues(int mode)
{
    keyboardCuesShow = mode;
    if (pCommandBars == nullptr)
        return;
    BOOL visible = mode != 1;
    BOOL hiddenUntilAlt = FALSE;
    BOOL systemCues = TRUE;
    if (mode == 2 && ::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &systemCues, 0) && !systemCues) {
        hiddenUntilAlt = TRUE;
        visible = FALSE;
    }
    pCommandBars->SetKeyboardCuesState(visible, hiddenUntilAlt);
}
