// libFuzzer target over the docking layout reader and its whole-layout check, built natively:
// the input is a text dump of sections and keys. A layout the check accepts is written back
// to text and read again, and must come back equal.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "toolkit/dockingpane/DockingLayoutCheck.h"
#include "toolkit/dockingpane/DockingLayoutRecord.h"

using namespace orvane::docking;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    // Every type is read and checked: the panels and floating frames have keys of their own.
    for (unsigned types : {kLayoutTypesDocked, kLayoutTypesAll}) {
        LayoutTextSource source(text);
        LayoutRecord record;
        if (!ReadLayoutRecord(source, record, types).ok)
            continue;
        LayoutTree tree;
        if (!CheckLayoutRecord(record, tree, types).ok)
            continue;
        LayoutTextSource again(WriteLayoutText(record));
        LayoutRecord reread;
        if (!ReadLayoutRecord(again, reread, types).ok || !(reread == record))
            std::abort();
        LayoutTree tree2;
        if (!CheckLayoutRecord(reread, tree2, types).ok)
            std::abort();
    }
    return 0;
}
