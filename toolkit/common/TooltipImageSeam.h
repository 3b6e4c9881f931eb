// The one place where tooltips reach the image manager: looking up the image of a command,
// measuring it and drawing it.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class CUTKImageManager;
class CUTKImageManagerIcon;

namespace TooltipImageSeam {
// The command's image closest to width (1: the widest) from manager; null when there is none.
CUTKImageManagerIcon* GetImage(CUTKImageManager* manager, UINT command, int width);
// The image's width and height; (0, 0) for null.
SIZE GetImageSize(const CUTKImageManagerIcon* image);
// Draws the image's normal state at its own size with its top-left corner at point.
void DrawImage(CDC* dc, CUTKImageManagerIcon* image, POINT point);
}  // namespace TooltipImageSeam
