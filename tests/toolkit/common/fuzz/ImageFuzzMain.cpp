// libFuzzer driver of one image-reader entry, chosen at compile time (-DORVANE_FUZZ_ENTRY=...).
#include "tests/toolkit/common/fuzz/ImageFuzzEntries.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (!orvane::fuzz::ORVANE_FUZZ_ENTRY(data, size)) {
        std::abort();
    }
    return 0;
}
