// libFuzzer driver of the PNG decoder entry.
#include "tests/toolkit/common/fuzz/PngFuzzEntry.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (!orvane::fuzz::PngToBgraEntry(data, size)) {
        std::abort();
    }
    return 0;
}
