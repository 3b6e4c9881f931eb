#include "toolkit/common/UTKZipBlock.h"

#include <cstdlib>
#include <cstring>

#include <zlib.h>

namespace {

uint32_t ReadWord(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void WriteWord(uint8_t* p, uint32_t value)
{
    p[0] = static_cast<uint8_t>(value);
    p[1] = static_cast<uint8_t>(value >> 8);
    p[2] = static_cast<uint8_t>(value >> 16);
    p[3] = static_cast<uint8_t>(value >> 24);
}

}  // namespace

bool UTKZipBlock::IsPacked(const uint8_t* data, size_t size) noexcept
{
    return data != nullptr && size > 11 && ReadWord(data) == kMagic;
}

UTKZipBlock::Result UTKZipBlock::Unpack(const uint8_t* data, size_t size, uint8_t** out,
                                        uint32_t* outSize) noexcept
{
    *out = nullptr;
    *outSize = 0;
    if (!IsPacked(data, size)) {
        return Result::NotPacked;
    }
    const uint32_t declared = ReadWord(data + 4);
    const uint64_t packed = size - kHeaderSize;
    if (declared > kMaxUnpacked || declared > packed * kMaxRatio) {
        return Result::BadLength;
    }
    // One spare byte: a stream that unpacks to more than it declared shows as Z_OK with the
    // spare byte used, instead of passing as a stream cut to the declared length.
    uint8_t* buffer = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(declared) + 1));
    if (buffer == nullptr) {
        return Result::NoMemory;
    }
    uLongf length = static_cast<uLongf>(declared) + 1;
    const int rc = uncompress(buffer, &length, data + kHeaderSize, static_cast<uLong>(packed));
    if (rc != Z_OK) {
        std::free(buffer);
        return rc == Z_MEM_ERROR ? Result::NoMemory
               : rc == Z_BUF_ERROR && length == declared + 1 ? Result::BadLength
                                                            : Result::BadStream;
    }
    if (length != declared) {
        std::free(buffer);
        return Result::BadLength;
    }
    *out = buffer;
    *outSize = declared;
    return Result::Unpacked;
}

bool UTKZipBlock::Pack(const uint8_t* data, size_t size, uint8_t** out, size_t* outSize) noexcept
{
    *out = nullptr;
    *outSize = 0;
    if (size < kMinPackSize || size > kMaxUnpacked) {
        return false;
    }
    uint8_t* block = static_cast<uint8_t*>(std::malloc(size + kHeaderSize));
    if (block == nullptr) {
        return false;
    }
    // Capacity equal to the data: a packed form that would not be smaller fails here.
    uLongf packed = static_cast<uLongf>(size);
    if (compress2(block + kHeaderSize, &packed, data, static_cast<uLong>(size),
                  Z_DEFAULT_COMPRESSION) != Z_OK) {
        std::free(block);
        return false;
    }
    WriteWord(block, kMagic);
    WriteWord(block + 4, static_cast<uint32_t>(size));
    *out = block;
    *outSize = static_cast<size_t>(packed) + kHeaderSize;
    return true;
}
