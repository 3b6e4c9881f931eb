// A toolbar resource (type 241) as the resource compiler stores it: 16-bit version, image
// width and height, item count, then that many 16-bit command ids (0 a separator). Parsing is
// window-free so that damaged resources can be tested without a module; the count is checked
// against the bytes actually there before an id is read.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

class ToolBarResourceData {
public:
    static constexpr WORD kResourceType = 241;

    // FALSE (and an empty object) when the bytes are fewer than the header or than 8 + 2N for
    // the item count N they claim.
    [[nodiscard]] BOOL Parse(const void* data, size_t size);
    // Finds, loads and parses resource id of type 241 in module; FALSE when any step fails.
    [[nodiscard]] BOOL Load(HMODULE module, UINT id);

    WORD GetVersion() const noexcept { return m_version; }
    int GetWidth() const noexcept { return m_width; }
    int GetHeight() const noexcept { return m_height; }
    int GetCount() const noexcept { return static_cast<int>(m_items.size()); }
    // The ids widened to 32 bits, separators included, in button order.
    const UINT* Items() const noexcept { return m_items.empty() ? nullptr : m_items.data(); }

private:
    WORD m_version = 0;
    int m_width = 0;
    int m_height = 0;
    std::vector<UINT> m_items;
};
