// Readers of the stored image layouts the image manager takes in: toolbar resources, icon
// group directories, 32-bit bitmap and icon resources, BMP file headers and the saved icon
// record. Free of window and GDI types, so that the same code runs in the program and in a
// native fuzzer; every length is checked against the bytes given before anything is read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvane {

// Bounds on stored images: larger ones are refused before any pixel buffer is made.
inline constexpr int32_t kImageMaxDimension = 1024;
inline constexpr size_t kImageMaxPixelBytes = 4u * 1024 * 1024;
// A header block holds at most a large info header, masks and a full colour table.
inline constexpr size_t kImageMaxHeaderBlock = 124 + 12 + 256 * 4;

// A toolbar resource: version, button width and height, item count, that many 16-bit ids.
struct ToolBarResource {
    int buttonWidth = 0;
    int buttonHeight = 0;
    int itemCount = 0;
    // The non-zero ids in order (separators left out).
    std::vector<uint32_t> ids;
};
// False when the resource is shorter than its header or than its item count says.
[[nodiscard]] bool ParseToolBarResource(const uint8_t* data, size_t size, ToolBarResource& out);

// One entry of an icon group directory.
struct IconDirectoryEntry {
    int width = 0;   // 0 in the byte means 256
    int height = 0;
    int colourCount = 0;
    int planes = 0;
    int bitCount = 0;
    uint32_t bytesInResource = 0;
    uint16_t id = 0;
};
// Reserved word 0, type 1 (icons), count, then 14-byte entries; false for anything else or
// when the entries run past the data.
[[nodiscard]] bool ParseIconDirectory(const uint8_t* data, size_t size,
                                      std::vector<IconDirectoryEntry>& entries);

// Where the pixels of a device-independent bitmap lie and how it is shaped.
struct DibLayout {
    int32_t width = 0;
    int32_t height = 0;       // as stored: negative for top-down rows
    int bitCount = 0;
    uint32_t compression = 0;
    uint32_t headerSize = 0;  // the info header's own size field
    size_t colourTableBytes = 0;  // masks and colour entries after the info header
    size_t stride = 0;        // bytes per row, padded to 4
    size_t imageBytes = 0;    // stride * |height|
};

// Checks a stored info header (and what follows it in the same block): size field at least
// 40 and inside the block, one plane, a known depth, plain or bit-field pixels (bit fields
// only at 16 and 32 bits), sizes within the bounds, colour table and colour count inside the
// block.
[[nodiscard]] bool ValidateDibHeader(const uint8_t* block, size_t blockSize, DibLayout& layout);

// A 32-bit bitmap resource: the header checked and width * |height| * 4 pixel bytes present
// after the header block (pixelOffset receives where they start).
[[nodiscard]] bool Check32BitBitmapResource(const uint8_t* data, size_t size, DibLayout& layout,
                                            size_t& pixelOffset);
// A 32-bit icon image resource (colour rows then mask rows; its height counts both): the
// colour part, width * height / 2 * 4 bytes, present after the header.
[[nodiscard]] bool Check32BitIconResource(const uint8_t* data, size_t size, DibLayout& layout,
                                          size_t& pixelOffset);
// The first 32-bit value is the PNG signature's 0x474E5089.
[[nodiscard]] bool HasPngSignature(const uint8_t* data, size_t size);
// A BMP file ("BM", a 14-byte file header, then a full info header) with 32 bits per pixel.
[[nodiscard]] bool IsBmpFile32(const uint8_t* data, size_t size);
// A BMP file's headers (the first bytes of a file of fileSize bytes): "BM", a sound info
// header, the pixels' offset past the headers and all pixel bytes inside the file.
[[nodiscard]] bool CheckBmpFile(const uint8_t* head, size_t headSize, uint64_t fileSize);
// An info header at the start of the data with a bit count of 32 (bitmap resources).
[[nodiscard]] bool IsDibResource32(const uint8_t* data, size_t size);

// The saved form of one icon: its height, the schema, then per state image two bitmap
// records (colour, then mask for icons or empty for alpha bitmaps). A bitmap record is a
// count and the header block, then a count and the pixels; a zero count is no bitmap.
struct StoredBitmap {
    bool present = false;
    std::vector<uint8_t> header;  // validated info header block
    std::vector<uint8_t> pixels;
    DibLayout layout;
};
struct StoredImage {
    StoredBitmap first;
    StoredBitmap second;
};
struct StoredIcon {
    int32_t height = 0;
    int32_t schema = 0;
    std::vector<StoredImage> images;  // normal, disabled, hot[, checked[, pressed]]
};

// How many images an icon record of that schema holds.
int StoredImageCount(int32_t schema);

// Where the bytes of a record come from. Read answers whether all the bytes were delivered;
// Left tells how many can still come (a bound for counts; may be large).
class RecordSource {
public:
    virtual ~RecordSource() = default;
    [[nodiscard]] virtual bool Read(void* buffer, size_t size) = 0;
    virtual uint64_t Left() const = 0;
};

// A source over bytes in memory.
class MemoryRecordSource : public RecordSource {
public:
    MemoryRecordSource(const uint8_t* data, size_t size) noexcept : m_data(data), m_size(size) {}
    bool Read(void* buffer, size_t size) override;
    uint64_t Left() const override { return m_size - m_pos; }
    size_t Position() const noexcept { return m_pos; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// The archive's count: a 16-bit value below 0xFFFF, otherwise 0xFFFF and a 32-bit value.
[[nodiscard]] bool ReadStoredCount(RecordSource& source, uint32_t& count);
// One bitmap record; false when it is cut short or its header does not validate. A record
// whose pixel count is 0 reads as no bitmap, as stored.
[[nodiscard]] bool ReadStoredBitmap(RecordSource& source, StoredBitmap& bitmap);
// A whole icon record; false (and icon emptied) at the first fault.
[[nodiscard]] bool ReadStoredIcon(RecordSource& source, StoredIcon& icon);

}  // namespace orvane
