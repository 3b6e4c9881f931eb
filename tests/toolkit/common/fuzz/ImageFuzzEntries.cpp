#include "tests/toolkit/common/fuzz/ImageFuzzEntries.h"

#include "toolkit/common/ImageRecordFormats.h"

namespace orvane::fuzz {

namespace {

bool SoundLayout(const DibLayout& layout)
{
    const int32_t height = layout.height < 0 ? -layout.height : layout.height;
    return layout.width >= 1 && layout.width <= kImageMaxDimension && height >= 1 &&
           height <= kImageMaxDimension && layout.headerSize >= 40 &&
           layout.stride >= static_cast<size_t>(layout.width) * layout.bitCount / 8 &&
           layout.stride % 4 == 0 && layout.imageBytes <= kImageMaxPixelBytes;
}

}  // namespace

bool ToolBarEntry(const uint8_t* data, size_t size)
{
    ToolBarResource toolBar;
    if (!ParseToolBarResource(data, size, toolBar)) {
        return toolBar.ids.empty() && toolBar.itemCount == 0;
    }
    if (8 + 2 * static_cast<size_t>(toolBar.itemCount) > size ||
        toolBar.ids.size() > static_cast<size_t>(toolBar.itemCount)) {
        return false;
    }
    for (uint32_t id : toolBar.ids) {
        if (id == 0 || id > 0xFFFF) {
            return false;
        }
    }
    return true;
}

bool IconDirectoryEntry(const uint8_t* data, size_t size)
{
    std::vector<orvane::IconDirectoryEntry> entries;
    if (!ParseIconDirectory(data, size, entries)) {
        return entries.empty();
    }
    if (6 + 14 * entries.size() > size) {
        return false;
    }
    for (const auto& entry : entries) {
        if (entry.width < 1 || entry.width > 256 || entry.height < 1 || entry.height > 256) {
            return false;
        }
    }
    return true;
}

bool DibHeaderEntry(const uint8_t* data, size_t size)
{
    DibLayout layout;
    if (ValidateDibHeader(data, size, layout)) {
        if (!SoundLayout(layout) || layout.headerSize + layout.colourTableBytes > size) {
            return false;
        }
    }
    size_t offset = 0;
    if (Check32BitBitmapResource(data, size, layout, offset)) {
        if (layout.bitCount != 32 || offset + layout.imageBytes > size) {
            return false;
        }
    }
    if (Check32BitIconResource(data, size, layout, offset)) {
        if (layout.bitCount != 32 || offset + layout.imageBytes > size ||
            layout.imageBytes != static_cast<size_t>(layout.width) * 4 *
                                     static_cast<size_t>(layout.height)) {
            return false;
        }
    }
    if (CheckBmpFile(data, size, size)) {
        DibLayout file;
        if (!ValidateDibHeader(data + 14, size - 14, file) || !SoundLayout(file)) {
            return false;
        }
        const size_t pixels = static_cast<size_t>(data[10]) | (static_cast<size_t>(data[11]) << 8) |
                              (static_cast<size_t>(data[12]) << 16) |
                              (static_cast<size_t>(data[13]) << 24);
        if (pixels > size || size - pixels < file.imageBytes) {
            return false;
        }
    }
    (void)HasPngSignature(data, size);
    (void)IsBmpFile32(data, size);
    (void)IsDibResource32(data, size);
    return true;
}

bool IconRecordEntry(const uint8_t* data, size_t size)
{
    MemoryRecordSource source(data, size);
    StoredIcon icon;
    if (!ReadStoredIcon(source, icon)) {
        return icon.images.empty();
    }
    if (source.Position() > size ||
        icon.images.size() != static_cast<size_t>(StoredImageCount(icon.schema))) {
        return false;
    }
    for (const StoredImage& image : icon.images) {
        for (const StoredBitmap* bitmap : {&image.first, &image.second}) {
            if (!bitmap->present) {
                continue;
            }
            DibLayout again;
            if (bitmap->pixels.empty() || bitmap->pixels.size() > kImageMaxPixelBytes ||
                !ValidateDibHeader(bitmap->header.data(), bitmap->header.size(), again) ||
                !SoundLayout(bitmap->layout)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace orvane::fuzz
