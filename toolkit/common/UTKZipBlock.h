// The "ZIP!" block: the magic "ZIP!", the 32-bit unpacked length, then a zlib stream. Packing
// and unpacking without Win32 types, so the unpacker can be fuzzed in a native build. Buffers
// are C run-time (malloc) blocks, which the memory file takes over.
#pragma once

#include <cstddef>
#include <cstdint>

class UTKZipBlock {
public:
    static constexpr uint32_t kMagic = 0x2150495A;  // "ZIP!" read as a little-endian word
    static constexpr size_t kHeaderSize = 8;
    // Smaller data is never packed: the header would eat what packing saves.
    static constexpr size_t kMinPackSize = 20;
    // Largest unpacked length a block may declare. Command-bar and layout state is kilobytes;
    // a bigger claim is damage, not data.
    static constexpr uint32_t kMaxUnpacked = 64u * 1024 * 1024;
    // Deflate cannot expand its input more than about 1032 times.
    static constexpr uint64_t kMaxRatio = 1032;

    enum class Result { NotPacked, Unpacked, BadLength, BadStream, NoMemory };

    // A block is packed when it is longer than 11 bytes and begins with the magic.
    static bool IsPacked(const uint8_t* data, size_t size) noexcept;
    // Unpacks a packed block into a new malloc block (*out, *outSize); on any result other
    // than Unpacked nothing is allocated. The declared length must be within kMaxUnpacked and
    // what the packed size can hold, and must equal what the stream unpacks to.
    static Result Unpack(const uint8_t* data, size_t size, uint8_t** out,
                         uint32_t* outSize) noexcept;
    // Packs data (kMinPackSize bytes or more) into a new malloc block; false, with nothing
    // allocated, when the data is too small, memory runs out or the packed form is not smaller.
    static bool Pack(const uint8_t* data, size_t size, uint8_t** out, size_t* outSize) noexcept;
};
