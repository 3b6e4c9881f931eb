#include "toolkit/tabmanager/TabIconSeam.h"

BOOL TabIconDraw(CUTKImageManagerIcon* icon, CDC* dc, CPoint point, CSize size, int state)
{
    (void)icon;
    (void)dc;
    (void)point;
    (void)size;
    (void)state;
    return FALSE;
}
