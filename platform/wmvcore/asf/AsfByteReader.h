// Bounded little-endian cursor over a byte range. A read past the end returns zeros and sets a
// sticky failure flag, so a parser can read a whole fixed-size record and check once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/wmvcore/asf/AsfGuid.h"

namespace orvane::asf {

class AsfByteReader {
public:
    AsfByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool Ok() const { return ok_; }
    size_t Pos() const { return pos_; }
    size_t Size() const { return size_; }
    size_t Remaining() const { return ok_ ? size_ - pos_ : 0; }
    const uint8_t* Here() const { return data_ + pos_; }

    // Takes n bytes; returns null (and fails) when fewer remain.
    const uint8_t* Take(uint64_t n)
    {
        if (!ok_ || n > size_ - pos_) {
            ok_ = false;
            return nullptr;
        }
        const uint8_t* p = data_ + pos_;
        pos_ += static_cast<size_t>(n);
        return p;
    }
    bool Skip(uint64_t n) { return Take(n) != nullptr || n == 0; }

    uint8_t U8() { const uint8_t* p = Take(1); return p ? p[0] : 0; }
    uint16_t U16()
    {
        const uint8_t* p = Take(2);
        return p ? static_cast<uint16_t>(p[0] | p[1] << 8) : 0;
    }
    uint32_t U32()
    {
        const uint8_t* p = Take(4);
        return p ? (uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                    uint32_t(p[3]) << 24)
                 : 0;
    }
    uint64_t U64()
    {
        const uint64_t lo = U32();
        const uint64_t hi = U32();
        return lo | hi << 32;
    }
    // A field whose width comes from a two-bit length type: 0 absent, 1 byte, 2 word, 3 dword.
    uint32_t Sized(unsigned lengthType)
    {
        switch (lengthType & 3) {
        case 1: return U8();
        case 2: return U16();
        case 3: return U32();
        default: return 0;
        }
    }
    AsfGuid ReadGuid()
    {
        AsfGuid g;
        g.data1 = U32();
        g.data2 = U16();
        g.data3 = U16();
        const uint8_t* p = Take(8);
        if (p) {
            std::memcpy(g.data4, p, 8);
        }
        return g;
    }
    // UTF-16LE text of byteLength bytes; the terminator (if any) and anything after it dropped.
    std::u16string Utf16(uint64_t byteLength)
    {
        const uint8_t* p = Take(byteLength);
        std::u16string s;
        if (!p) {
            return s;
        }
        for (uint64_t i = 0; i + 1 < byteLength; i += 2) {
            const char16_t c = static_cast<char16_t>(p[i] | p[i + 1] << 8);
            if (c == 0) {
                break;
            }
            s.push_back(c);
        }
        return s;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};

}  // namespace orvane::asf
