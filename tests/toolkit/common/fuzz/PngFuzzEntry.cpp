#include "tests/toolkit/common/fuzz/PngFuzzEntry.h"

#include "toolkit/common/PngDecoder.h"

namespace orvane::fuzz {

bool PngToBgraEntry(const uint8_t* data, size_t size)
{
    PngMemorySource source(data, size);
    PngImage image;
    if (!DecodePngToBgra(source, image)) {
        return image.width == 0 && image.height == 0 && image.bgra.empty();
    }
    if (image.width == 0 || image.height == 0 || image.width > kPngMaxDimension ||
        image.height > kPngMaxDimension ||
        image.bgra.size() != static_cast<size_t>(image.width) * image.height * 4 ||
        image.bgra.size() > kPngMaxImageBytes) {
        return false;
    }
    if (!image.hasAlpha) {
        for (size_t i = 3; i < image.bgra.size(); i += 4) {
            if (image.bgra[i] != 0) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace orvane::fuzz
