// Fuzz entries over the window-free parsers of the toolkit's storages. Each takes any bytes
// and answers false when a property that must hold did not; a crash or an over-read is caught
// by the sanitizers of the native build. The same entries run in the Windows tests over
// seeds and fixed mutations.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvane::fuzz {

// A "ZIP!" block: unpacks or is refused; what unpacks packs and unpacks again to the same.
bool ZipBlockEntry(const uint8_t* data, size_t size);
// Blob text (the bytes as UTF-16): decodes only letters 'A'..'P', and back to the same text.
bool BlobTextEntry(const uint8_t* data, size_t size);
// String escapes: unescaping an escaped text gives the text; unescaping anything is safe.
bool EscapeEntry(const uint8_t* data, size_t size);
// Date, rectangle, point and number texts.
bool ValueTextEntry(const uint8_t* data, size_t size);

}  // namespace orvane::fuzz
