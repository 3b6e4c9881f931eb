// Reading of toolbar resources: the header, the count bounded by the resource's size, the ids.
#include "toolkit/commandbars/ToolBarResourceData.h"

namespace {

WORD ReadWord(const uint8_t* p) noexcept
{
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

} // namespace

BOOL ToolBarResourceData::Parse(const void* data, size_t size)
{
    m_version = 0;
    m_width = 0;
    m_height = 0;
    m_items.clear();
    if (data == nullptr || size < 8) {
        return FALSE;
    }
    const auto* bytes = static_cast<const uint8_t*>(data);
    const size_t count = ReadWord(bytes + 6);
    if ((size - 8) / 2 < count) {
        return FALSE;
    }
    m_version = ReadWord(bytes);
    m_width = ReadWord(bytes + 2);
    m_height = ReadWord(bytes + 4);
    m_items.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        m_items.push_back(ReadWord(bytes + 8 + 2 * i));
    }
    return TRUE;
}

BOOL ToolBarResourceData::Load(HMODULE module, UINT id)
{
    m_items.clear();
    if (module == nullptr || LOWORD(id) == 0) {
        return FALSE;
    }
    HRSRC info = ::FindResourceW(module, MAKEINTRESOURCEW(LOWORD(id)),
                                 MAKEINTRESOURCEW(kResourceType));
    if (info == nullptr) {
        return FALSE;
    }
    HGLOBAL handle = ::LoadResource(module, info);
    const void* bytes = handle != nullptr ? ::LockResource(handle) : nullptr;
    if (bytes == nullptr) {
        return FALSE;
    }
    return Parse(bytes, ::SizeofResource(module, info));
}
