// Fuzz entries over the window-free readers of stored image layouts (toolbar resources, icon
// directories, bitmap and icon headers, saved icon records). Each takes any bytes and answers
// false when a promise of the reader did not hold; crashes and over-reads are caught by the
// sanitizers of the native build. The same entries run in the Windows tests.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvane::fuzz {

// A toolbar resource: the ids read lie inside the data and none is a separator.
bool ToolBarEntry(const uint8_t* data, size_t size);
// An icon group directory: every entry read lies inside the data.
bool IconDirectoryEntry(const uint8_t* data, size_t size);
// Bitmap and icon image headers: accepted headers are sound and their pixels inside the data.
bool DibHeaderEntry(const uint8_t* data, size_t size);
// A saved icon record: accepted records hold validated bitmaps and never read past the data.
bool IconRecordEntry(const uint8_t* data, size_t size);

}  // namespace orvane::fuzz
