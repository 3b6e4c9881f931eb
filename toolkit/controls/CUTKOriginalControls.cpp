// CUTKOriginalControls: run-time class of the pre-customisation snapshot.
#include "toolkit/controls/CUTKOriginalControls.h"

IMPLEMENT_DYNCREATE(CUTKOriginalControls, CUTKControls)
