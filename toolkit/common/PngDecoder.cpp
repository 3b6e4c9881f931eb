#include "toolkit/common/PngDecoder.h"

#include <png.h>

#include <cstring>
#include <new>

namespace orvane {

size_t PngMemorySource::Read(void* buffer, size_t size) noexcept
{
    const size_t n = size < m_size - m_pos ? size : m_size - m_pos;
    if (n != 0) {
        std::memcpy(buffer, m_data + m_pos, n);
        m_pos += n;
    }
    return n;
}

namespace {

// Chunks held in memory (text, profiles) are bounded as well.
constexpr png_alloc_size_t kMaxChunkBytes = 8 * 1024 * 1024;

void ReadData(png_structp png, png_bytep out, size_t size)
{
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (source->Read(out, size) != size) {
        png_error(png, "unexpected end of data");
    }
}

// libpng reports through the jump buffer; its messages are not for the user.
void IgnoreMessage(png_structp, png_const_charp) {}
[[noreturn]] void FailToJumpBuffer(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

class ReadStructs {
public:
    ReadStructs() noexcept
        : png(png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, FailToJumpBuffer,
                                     IgnoreMessage))
    {
        if (png != nullptr) {
            info = png_create_info_struct(png);
        }
    }
    ~ReadStructs() { png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr); }
    ReadStructs(const ReadStructs&) = delete;
    ReadStructs& operator=(const ReadStructs&) = delete;

    png_structp png = nullptr;
    png_infop info = nullptr;
};

struct Decoded {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int channels = 0;
    size_t rowBytes = 0;
    std::vector<png_byte> pixels;
    std::vector<png_bytep> rows;
};

// Everything that can fail inside libpng happens here: a failure jumps back to the setjmp
// below. The objects that own memory live in the caller, so the jump skips no destructor.
// Allocation failures of those buffers throw std::bad_alloc out of this frame only.
bool RunLibpng(png_structp png, png_infop info, PngSource* source, Decoded* out)
{
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_set_user_limits(png, kPngMaxDimension, kPngMaxDimension);
    png_set_chunk_malloc_max(png, kMaxChunkBytes);
    png_set_read_fn(png, source, ReadData);
    png_set_sig_bytes(png, 8);
    png_read_info(png, info);

    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colorType = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, nullptr, nullptr, nullptr);
    if (width == 0 || height == 0 || width > kPngMaxDimension || height > kPngMaxDimension) {
        return false;
    }

    if (bitDepth == 16) {
        png_set_strip_16(png);
    }
    if (colorType == PNG_COLOR_TYPE_PALETTE) {
        png_set_expand(png);
    }
    if (bitDepth < 8) {
        png_set_expand(png);
    }
    if (png_get_valid(png, info, PNG_INFO_tRNS) != 0) {
        png_set_expand(png);
    }
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_gray_to_rgb(png);
    }
    png_color_16p background = nullptr;
    if (png_get_bKGD(png, info, &background) != 0 && background != nullptr) {
        png_set_background(png, background, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
    }
    double fileGamma = 0.0;
    if (png_get_gAMA(png, info, &fileGamma) != 0) {
        png_set_gamma(png, 2.2, fileGamma);
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, nullptr, nullptr, nullptr);
    const size_t rowBytes = png_get_rowbytes(png, info);
    const int channels = png_get_channels(png, info);
    // Only 8-bit RGB or RGBA rows are turned into pixels.
    if (bitDepth != 8 || (channels != 3 && channels != 4) ||
        static_cast<uint64_t>(rowBytes) != static_cast<uint64_t>(width) * channels ||
        static_cast<uint64_t>(rowBytes) * height > kPngMaxImageBytes ||
        static_cast<uint64_t>(width) * 4 * height > kPngMaxImageBytes) {
        return false;
    }
    out->pixels.resize(rowBytes * height);
    out->rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y) {
        out->rows[y] = out->pixels.data() + rowBytes * y;
    }
    png_read_image(png, out->rows.data());
    png_read_end(png, nullptr);
    out->width = width;
    out->height = height;
    out->channels = channels;
    out->rowBytes = rowBytes;
    return true;
}

}  // namespace

bool DecodePngToBgra(PngSource& source, PngImage& image)
{
    image = PngImage();
    png_byte signature[8] = {};
    if (source.Read(signature, sizeof(signature)) != sizeof(signature) ||
        png_sig_cmp(signature, 0, sizeof(signature)) != 0) {
        return false;
    }
    try {
        Decoded decoded;
        {
            ReadStructs structs;
            if (structs.png == nullptr || structs.info == nullptr ||
                !RunLibpng(structs.png, structs.info, &source, &decoded)) {
                return false;
            }
        }
        PngImage result;
        result.width = decoded.width;
        result.height = decoded.height;
        result.hasAlpha = decoded.channels == 4;
        result.bgra.resize(static_cast<size_t>(decoded.width) * 4 * decoded.height);
        const size_t c = static_cast<size_t>(decoded.channels);
        uint8_t* to = result.bgra.data();
        for (png_uint_32 y = 0; y < decoded.height; ++y) {
            const png_byte* from = decoded.rows[y];
            for (png_uint_32 x = 0; x < decoded.width; ++x, from += c, to += 4) {
                to[0] = from[2];
                to[1] = from[1];
                to[2] = from[0];
                to[3] = c == 4 ? from[3] : 0;
            }
        }
        image = std::move(result);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace orvane
