// The parts of the manager's frame integration that work on any bar: the mnemonic search over
// the bars' controls and the modal loop of a tracked popup.
#pragma once

#include <windows.h>

#include "toolkit/commandbars/CUTKCommandBars.h"

class CUTKCommandBar;
class CUTKControl;
class CUTKControls;

namespace UTKFrameIntegration {
// The next selectable control after nFrom in *ppControls; with keyboard-cues use bit 1 a walk
// that wraps goes on into the next shown bars (*ppControls follows it). Null when none.
CUTKControl* GetNextAccelControl(const CUTKCommandBars* pCommandBars, CUTKControls** ppControls,
                                 int nFrom);
// The control whose mnemonic the key types, searched once around from the bar's selected
// control: an explicit '&' mnemonic first, else a first letter. *pNotUnique is set when a
// second control would match too.
CUTKControl* FindAccelControl(const CUTKCommandBars* pCommandBars, CUTKCommandBar* pBar,
                              UINT chAccel, BOOL* pNotUnique);
// Runs the thread's messages while the bar tracks. A quit message ends the loop and is posted
// again for the application's own loop.
void PumpTrackingMessages(CUTKCommandBar* pBar);
// TRUE while the customise dialog is open (its window registered with the drag source).
BOOL IsCustomizeWindowOpen(const CUTKCommandBars* pCommandBars);
} // namespace UTKFrameIntegration
