// Tooltip images from the image manager.
#include "toolkit/common/TooltipImageSeam.h"

#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/common/CUTKImageManagerIcon.h"

namespace TooltipImageSeam {

CUTKImageManagerIcon* GetImage(CUTKImageManager* manager, UINT command, int width)
{
    return manager != nullptr ? manager->GetImage(command, width) : nullptr;
}

SIZE GetImageSize(const CUTKImageManagerIcon* image)
{
    if (image == nullptr) {
        return SIZE{0, 0};
    }
    return SIZE{image->GetWidth(), image->GetHeight()};
}

void DrawImage(CDC* dc, CUTKImageManagerIcon* image, POINT point)
{
    if (image != nullptr && dc != nullptr) {
        image->Draw(dc, CPoint(point));
    }
}

}  // namespace TooltipImageSeam
