// The client area's stand-in in a layout. All it does comes from the root, which knows type 4:
// its minimum size and emptiness follow the manager's hide-client option, and its layout
// rectangle goes into the frame's layout parameters.
#include "toolkit/dockingpane/CUTKDockingPaneClientContainer.h"

IMPLEMENT_DYNAMIC(CUTKDockingPaneClientContainer, CCmdTarget)

CUTKDockingPaneClientContainer::CUTKDockingPaneClientContainer(CUTKDockingPaneLayout* layout)
    : CUTKDockingPaneBase(dockingPaneTypeClientContainer, layout)
{
}

void CUTKDockingPaneClientContainer::DeletePane()
{
    InternalRelease();
}
