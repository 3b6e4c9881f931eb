#include "tests/toolkit/common/fuzz/ExchangeFuzzEntries.h"

#include "toolkit/common/UTKValueText.h"
#include "toolkit/common/UTKZipBlock.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace orvane::fuzz {

namespace {

std::u16string AsText(const uint8_t* data, size_t size)
{
    std::u16string text(size / 2, u'\0');
    if (!text.empty()) {
        std::memcpy(text.data(), data, text.size() * 2);
    }
    return text;
}

}  // namespace

bool ZipBlockEntry(const uint8_t* data, size_t size)
{
    uint8_t* out = nullptr;
    uint32_t length = 0;
    const UTKZipBlock::Result result = UTKZipBlock::Unpack(data, size, &out, &length);
    if (result != UTKZipBlock::Result::Unpacked) {
        return out == nullptr && length == 0;
    }
    if (length != (static_cast<uint32_t>(data[4]) | static_cast<uint32_t>(data[5]) << 8 |
                   static_cast<uint32_t>(data[6]) << 16 | static_cast<uint32_t>(data[7]) << 24)) {
        std::free(out);
        return false;
    }
    bool ok = true;
    uint8_t* packed = nullptr;
    size_t packedSize = 0;
    if (UTKZipBlock::Pack(out, length, &packed, &packedSize)) {
        uint8_t* again = nullptr;
        uint32_t againLength = 0;
        ok = UTKZipBlock::Unpack(packed, packedSize, &again, &againLength) ==
                 UTKZipBlock::Result::Unpacked &&
             againLength == length && std::memcmp(again, out, length) == 0;
        std::free(again);
        std::free(packed);
    }
    std::free(out);
    return ok;
}

bool BlobTextEntry(const uint8_t* data, size_t size)
{
    const std::u16string text = AsText(data, size);
    std::vector<uint8_t> bytes;
    if (!UTKValueText::DecodeBlob(text, bytes)) {
        for (char16_t c : text) {
            if (c < u'A' || c > u'P') {
                return true;
            }
        }
        return text.size() % 2 != 0;
    }
    return UTKValueText::EncodeBlob(bytes.data(), bytes.size()) == text &&
           bytes.size() * 2 == text.size();
}

bool EscapeEntry(const uint8_t* data, size_t size)
{
    const std::u16string text = AsText(data, size);
    const std::u16string plain = UTKValueText::Unescape(text);
    if (plain.size() > text.size()) {
        return false;
    }
    return UTKValueText::Unescape(UTKValueText::Escape(text)) == text;
}

bool ValueTextEntry(const uint8_t* data, size_t size)
{
    const std::u16string text = AsText(data, size);
    UTKValueText::DateFields fields;
    const UTKValueText::DateKind kind = UTKValueText::ParseDate(text, fields);
    if (kind != UTKValueText::DateKind::None) {
        const std::u16string formatted =
            UTKValueText::FormatDate(fields, true, kind == UTKValueText::DateKind::TimeOfDay);
        UTKValueText::DateFields again;
        // What was read writes out as a text that reads back the same.
        if (UTKValueText::ParseDate(formatted, again) != kind || again.hour != fields.hour ||
            again.minute != fields.minute || again.second != fields.second) {
            return false;
        }
    }
    int32_t values[4] = {};
    const int n = UTKValueText::ScanInts(text, values, 4);
    if (n < 0 || n > 4) {
        return false;
    }
    if (n > 0) {
        int32_t again[4] = {};
        if (UTKValueText::ScanInts(UTKValueText::FormatInts(values, n), again, n) != n ||
            std::memcmp(again, values, sizeof(int32_t) * static_cast<size_t>(n)) != 0) {
            return false;
        }
    }
    const int32_t number = UTKValueText::ParseLong(text);
    return UTKValueText::ParseLong(UTKValueText::FormatLong(number)) == number;
}

}  // namespace orvane::fuzz
