// AfxGetFileTitle over comdlg32's GetFileTitleW.
#include "platform/framework/AfxGetFileTitle.h"

#include <commdlg.h>

UINT AFXAPI AfxGetFileTitle(LPCTSTR path, LPTSTR title, UINT max)
{
    if (!path) {
        return static_cast<UINT>(-1);
    }
    short result = ::GetFileTitleW(path, title, static_cast<WORD>(max > 0xFFFF ? 0xFFFF : max));
    return result < 0 ? static_cast<UINT>(-1) : static_cast<UINT>(result);
}
