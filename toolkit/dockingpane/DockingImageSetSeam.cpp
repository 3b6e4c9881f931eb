// The image-set lookups of the docking themes while no image set exists.
#include "toolkit/dockingpane/DockingImageSetSeam.h"

BOOL IsDockingImageSetLoaded()
{
    return FALSE;
}

COLORREF GetDockingImageSetColor(LPCWSTR section, LPCWSTR key)
{
    (void)section;
    (void)key;
    return static_cast<COLORREF>(-1);
}
