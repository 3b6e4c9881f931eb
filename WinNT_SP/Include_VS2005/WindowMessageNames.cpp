// Names of window message numbers for the main window's message trace. The table is generated
// at build time from the platform headers (scripts/gen-message-names.py), sorted by number.
#include "WinNT_SP/Include_VS2005/ListText.h"

#include <algorithm>
#include <iterator>

namespace {

struct MessageName {
    unsigned number;
    const wchar_t* name;
};

const MessageName kMessageNames[] = {
#include "WindowMessageNames.inc"
};

}  // namespace

const wchar_t* GetWindowMessageName(unsigned number)
{
    const auto* end = std::end(kMessageNames);
    const auto* it =
        std::lower_bound(std::begin(kMessageNames), end, number,
                         [](const MessageName& m, unsigned n) { return m.number < n; });
    return (it != end && it->number == number) ? it->name : L"UnknMess";
}

size_t WindowMessageNameCount()
{
    return std::size(kMessageNames);
}
