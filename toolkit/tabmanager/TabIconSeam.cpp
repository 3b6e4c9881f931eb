#include "toolkit/tabmanager/TabIconSeam.h"

#include "toolkit/common/CUTKImageManagerIcon.h"
#include "toolkit/common/IconImageHandle.h"

BOOL TabIconDraw(CUTKImageManagerIcon* icon, CDC* dc, CPoint point, CSize size, int state)
{
    if (icon == nullptr || dc == nullptr) {
        return FALSE;
    }
    IconImageHandle& image = icon->GetIconForState(state);
    if (image.IsEmpty()) {
        return FALSE;
    }
    icon->DrawImage(dc, point, image, size);
    return TRUE;
}
