// AfxGetFileTitle: the display title of a path (the system's GetFileTitle).
#pragma once

#include "platform/framework/FrameworkDefs.h"

// Copies the title of path into title (max characters with terminator). Returns 0 on
// success, the needed size when title is too small, or -1 for a bad path.
UINT AFXAPI AfxGetFileTitle(LPCTSTR path, LPTSTR title, UINT max);
