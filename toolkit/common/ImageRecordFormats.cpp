// Readers of the stored image layouts: every field is read through bounds-checked helpers.
#include "toolkit/common/ImageRecordFormats.h"

#include <cstring>

namespace orvane {

namespace {

constexpr uint32_t kPlainPixels = 0;      // BI_RGB
constexpr uint32_t kBitFieldPixels = 3;   // BI_BITFIELDS
constexpr size_t kInfoHeaderSize = 40;

uint16_t Word(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t Dword(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

bool ParseToolBarResource(const uint8_t* data, size_t size, ToolBarResource& out)
{
    out = ToolBarResource{};
    if (data == nullptr || size < 8) {
        return false;
    }
    const int count = Word(data + 6);
    if (size - 8 < static_cast<size_t>(count) * 2) {
        return false;
    }
    out.buttonWidth = Word(data + 2);
    out.buttonHeight = Word(data + 4);
    out.itemCount = count;
    out.ids.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const uint16_t id = Word(data + 8 + 2 * static_cast<size_t>(i));
        if (id != 0) {
            out.ids.push_back(id);
        }
    }
    return true;
}

bool ParseIconDirectory(const uint8_t* data, size_t size, std::vector<IconDirectoryEntry>& entries)
{
    entries.clear();
    if (data == nullptr || size < 6 || Word(data) != 0 || Word(data + 2) != 1) {
        return false;
    }
    const size_t count = Word(data + 4);
    if ((size - 6) / 14 < count) {
        return false;
    }
    entries.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* e = data + 6 + 14 * i;
        IconDirectoryEntry entry;
        entry.width = e[0] == 0 ? 256 : e[0];
        entry.height = e[1] == 0 ? 256 : e[1];
        entry.colourCount = e[2];
        entry.planes = Word(e + 4);
        entry.bitCount = Word(e + 6);
        entry.bytesInResource = Dword(e + 8);
        entry.id = Word(e + 12);
        entries.push_back(entry);
    }
    return true;
}

bool ValidateDibHeader(const uint8_t* block, size_t blockSize, DibLayout& layout)
{
    layout = DibLayout{};
    if (block == nullptr || blockSize < kInfoHeaderSize) {
        return false;
    }
    const uint32_t headerSize = Dword(block);
    const auto width = static_cast<int32_t>(Dword(block + 4));
    const auto height = static_cast<int32_t>(Dword(block + 8));
    const uint16_t planes = Word(block + 12);
    const uint16_t bitCount = Word(block + 14);
    const uint32_t compression = Dword(block + 16);
    const uint32_t coloursUsed = Dword(block + 32);
    if (headerSize < kInfoHeaderSize || headerSize > blockSize || planes != 1) {
        return false;
    }
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
        bitCount != 32) {
        return false;
    }
    if (compression != kPlainPixels &&
        !(compression == kBitFieldPixels && (bitCount == 16 || bitCount == 32))) {
        return false;
    }
    if (width < 1 || width > kImageMaxDimension || height == 0 || height < -kImageMaxDimension ||
        height > kImageMaxDimension) {
        return false;
    }
    size_t tableBytes = 0;
    if (compression == kBitFieldPixels && headerSize == kInfoHeaderSize) {
        tableBytes += 12;  // the three masks follow a plain info header
    }
    if (bitCount <= 8) {
        const uint32_t most = 1u << bitCount;
        if (coloursUsed > most) {
            return false;
        }
        tableBytes += 4 * static_cast<size_t>(coloursUsed != 0 ? coloursUsed : most);
    } else if (coloursUsed > 256) {
        return false;
    } else {
        tableBytes += 4 * static_cast<size_t>(coloursUsed);
    }
    if (blockSize - headerSize < tableBytes) {
        return false;
    }
    layout.width = width;
    layout.height = height;
    layout.bitCount = bitCount;
    layout.compression = compression;
    layout.headerSize = headerSize;
    layout.colourTableBytes = tableBytes;
    layout.stride = (static_cast<size_t>(width) * bitCount + 31) / 32 * 4;
    layout.imageBytes = layout.stride * static_cast<size_t>(height < 0 ? -height : height);
    return layout.imageBytes <= kImageMaxPixelBytes;
}

bool Check32BitBitmapResource(const uint8_t* data, size_t size, DibLayout& layout,
                              size_t& pixelOffset)
{
    pixelOffset = 0;
    if (!ValidateDibHeader(data, size, layout) || layout.bitCount != 32) {
        return false;
    }
    pixelOffset = layout.headerSize + layout.colourTableBytes;
    return size - pixelOffset >= layout.imageBytes;
}

bool Check32BitIconResource(const uint8_t* data, size_t size, DibLayout& layout,
                            size_t& pixelOffset)
{
    pixelOffset = 0;
    if (!ValidateDibHeader(data, size, layout) || layout.bitCount != 32 || layout.height < 2) {
        return false;
    }
    // The stored height counts the colour rows and the mask rows.
    layout.height /= 2;
    layout.imageBytes = layout.stride * static_cast<size_t>(layout.height);
    pixelOffset = layout.headerSize + layout.colourTableBytes;
    return size - pixelOffset >= layout.imageBytes;
}

bool HasPngSignature(const uint8_t* data, size_t size)
{
    return data != nullptr && size >= 4 && Dword(data) == 0x474E5089u;
}

bool IsBmpFile32(const uint8_t* data, size_t size)
{
    if (data == nullptr || size < 14 + kInfoHeaderSize || data[0] != 'B' || data[1] != 'M') {
        return false;
    }
    return Dword(data + 14) >= kInfoHeaderSize && Word(data + 14 + 14) == 32;
}

bool CheckBmpFile(const uint8_t* head, size_t headSize, uint64_t fileSize)
{
    DibLayout layout;
    if (head == nullptr || headSize < 14 + kInfoHeaderSize || headSize > fileSize ||
        head[0] != 'B' || head[1] != 'M' ||
        !ValidateDibHeader(head + 14, headSize - 14, layout)) {
        return false;
    }
    const uint64_t pixels = Dword(head + 10);
    return pixels >= 14 + layout.headerSize + layout.colourTableBytes && pixels <= fileSize &&
           fileSize - pixels >= layout.imageBytes;
}

bool IsDibResource32(const uint8_t* data, size_t size)
{
    return data != nullptr && size >= kInfoHeaderSize && Dword(data) >= kInfoHeaderSize &&
           Word(data + 14) == 32;
}

int StoredImageCount(int32_t schema)
{
    return 3 + (schema > 7 ? 1 : 0) + (schema > 16 ? 1 : 0);
}

bool MemoryRecordSource::Read(void* buffer, size_t size)
{
    if (m_size - m_pos < size) {
        m_pos = m_size;
        return false;
    }
    if (size != 0) {
        std::memcpy(buffer, m_data + m_pos, size);
    }
    m_pos += size;
    return true;
}

bool ReadStoredCount(RecordSource& source, uint32_t& count)
{
    uint8_t word[2];
    if (!source.Read(word, 2)) {
        return false;
    }
    count = Word(word);
    if (count != 0xFFFF) {
        return true;
    }
    uint8_t dword[4];
    if (!source.Read(dword, 4)) {
        return false;
    }
    count = Dword(dword);
    return true;
}

bool ReadStoredBitmap(RecordSource& source, StoredBitmap& bitmap)
{
    bitmap = StoredBitmap{};
    uint32_t headerCount = 0;
    if (!ReadStoredCount(source, headerCount)) {
        return false;
    }
    if (headerCount == 0) {
        return true;
    }
    if (headerCount > kImageMaxHeaderBlock || headerCount > source.Left()) {
        return false;
    }
    bitmap.header.resize(headerCount);
    if (!source.Read(bitmap.header.data(), headerCount) ||
        !ValidateDibHeader(bitmap.header.data(), headerCount, bitmap.layout)) {
        bitmap = StoredBitmap{};
        return false;
    }
    uint32_t pixelCount = 0;
    if (!ReadStoredCount(source, pixelCount) || pixelCount > kImageMaxPixelBytes ||
        pixelCount > source.Left()) {
        bitmap = StoredBitmap{};
        return false;
    }
    if (pixelCount == 0) {
        bitmap = StoredBitmap{};
        return true;
    }
    bitmap.pixels.resize(pixelCount);
    if (!source.Read(bitmap.pixels.data(), pixelCount)) {
        bitmap = StoredBitmap{};
        return false;
    }
    bitmap.present = true;
    return true;
}

bool ReadStoredIcon(RecordSource& source, StoredIcon& icon)
{
    icon = StoredIcon{};
    uint8_t head[8];
    if (!source.Read(head, sizeof(head))) {
        return false;
    }
    icon.height = static_cast<int32_t>(Dword(head));
    icon.schema = static_cast<int32_t>(Dword(head + 4));
    const int count = StoredImageCount(icon.schema);
    icon.images.resize(static_cast<size_t>(count));
    for (StoredImage& image : icon.images) {
        if (!ReadStoredBitmap(source, image.first) || !ReadStoredBitmap(source, image.second)) {
            icon = StoredIcon{};
            return false;
        }
    }
    return true;
}

}  // namespace orvane
