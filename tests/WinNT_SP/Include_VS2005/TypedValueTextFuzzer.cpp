// libFuzzer target for the typed-value text form, built natively by scripts/fuzz.sh. The input
// is UTF-16LE text (as the files and the engine exchange it); its first byte picks the record
// it is read into. Whatever reads must write back to a text that reads to the same text again.
#include "WinNT_SP/Include_VS2005/TraceScope.h"
#include "WinNT_SP/Include_VS2005/TypedValue.h"
#include "WinNT_SP/Include_VS2005/TypedValueTextForm.h"

#include "tests/WinNT_SP/Include_VS2005/TestRecords.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

// The crash-report bookkeeping is not wanted here (the support library's own version uses the
// Windows CRT).
void EnterTraceScope(TRACE_SCOPE* scope, const char* file, uint32_t fileLength, uint32_t line)
{
    scope->magic = kTraceScopeOpen;
    scope->file = file;
    scope->fileLength = fileLength;
    scope->line = line;
    scope->frameWord = 0;
    scope->data = 0;
}

namespace {

template <class Record>
void ReadBack(const std::wstring& text)
{
    Record record;
    const int n = record.Root().Parse(text.c_str());
    if (n < -1 || n > static_cast<int>(text.size())) {
        std::abort();
    }
    if (n < 0) {
        return;
    }
    const std::wstring again = record.Root().ToText(0);
    Record back;
    if (back.Root().Parse(again.c_str()) < 0 || again != back.Root().ToText(0)) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) {
        return 0;
    }
    const uint8_t knob = data[0];
    std::wstring text;
    for (size_t i = 1; i + 1 < size; i += 2) {
        const wchar_t c = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
        if (c == 0) {
            break;
        }
        text += c;
    }
    try {
        switch (knob % 3) {
        case 0:
            ReadBack<orvane::test::SampleRecord>(text);
            break;
        case 1:
            ReadBack<orvane::test::RecordListRecord>(text);
            break;
        default: {
            int32_t i32 = 0;
            int64_t i64 = 0;
            double d = 0;
            const size_t limit = knob & 0x80 ? text.size() / 2 : static_cast<size_t>(-1);
            if (ScanInt32(text.c_str(), limit, &i32) > text.size() ||
                ScanInt64(text.c_str(), limit, &i64) > text.size() ||
                ScanReal(text.c_str(), limit, &d) > text.size()) {
                std::abort();
            }
            FormatReal(d, 1 + (knob >> 3) % 17);
            break;
        }
        }
    } catch (const CNoMemExc&) {
        // A refused allocation is a clean failure.
    }
    return 0;
}
