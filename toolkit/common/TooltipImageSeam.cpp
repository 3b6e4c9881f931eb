// Tooltip images without an image manager: nothing is found, measured or drawn.
#include "toolkit/common/TooltipImageSeam.h"

namespace TooltipImageSeam {

CUTKImageManagerIcon* GetImage(CUTKImageManager* /*manager*/, UINT /*command*/, int /*width*/)
{
    return nullptr;
}

SIZE GetImageSize(const CUTKImageManagerIcon* /*image*/)
{
    return SIZE{0, 0};
}

void DrawImage(CDC* /*dc*/, CUTKImageManagerIcon* /*image*/, POINT /*point*/) {}

}  // namespace TooltipImageSeam
