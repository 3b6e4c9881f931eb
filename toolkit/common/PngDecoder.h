// Decodes a PNG stream into 32-bit BGRA pixels through libpng, without any window or GDI type,
// so that the same code runs in the program and in a native fuzzer. Grey, palette, low and
// 16-bit depths are expanded to 8-bit RGB(A); a background chunk composites the image on that
// colour (no alpha then); a gamma chunk corrects to a 2.2 screen.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvane {

// Where the encoded bytes come from. Read answers how many bytes it delivered (fewer than
// asked means the stream ended or failed); it must not throw.
class PngSource {
public:
    virtual ~PngSource() = default;
    virtual size_t Read(void* buffer, size_t size) noexcept = 0;
};

// A source over bytes held in memory.
class PngMemorySource : public PngSource {
public:
    PngMemorySource(const uint8_t* data, size_t size) noexcept : m_data(data), m_size(size) {}
    size_t Read(void* buffer, size_t size) noexcept override;

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

struct PngImage {
    uint32_t width = 0;
    uint32_t height = 0;
    // Four channels after the transformations; otherwise every alpha byte is 0.
    bool hasAlpha = false;
    // Top-down rows of width * 4 bytes: blue, green, red, alpha (not premultiplied).
    std::vector<uint8_t> bgra;
};

// Bounds on what a stream may ask for: larger images are refused before any pixel buffer is
// allocated.
inline constexpr uint32_t kPngMaxDimension = 16384;
inline constexpr uint64_t kPngMaxImageBytes = 64ull * 1024 * 1024;

// True with image filled; false for anything that is not a complete, sound PNG within the
// bounds (image is then left empty).
[[nodiscard]] bool DecodePngToBgra(PngSource& source, PngImage& image);

}  // namespace orvane
