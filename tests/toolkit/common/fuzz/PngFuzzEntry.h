// Fuzz entry of the PNG decoder (bytes to BGRA pixels), free of window types so that it runs
// natively under libFuzzer and in the Windows tests over fixtures and fixed mutations.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvane::fuzz {

// Decodes any bytes; false when a decoded image breaks what the decoder promises (sizes
// within the caps, width * height * 4 bytes, alpha bytes 0 without an alpha channel).
bool PngToBgraEntry(const uint8_t* data, size_t size);

}  // namespace orvane::fuzz
