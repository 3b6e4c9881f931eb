// The Windows Media runtime check at start-up, the runtime's version text, the message text of
// a failed Windows Media call, and the holder of a presentation's twelve metadata texts.
#pragma once

#include <windows.h>

#include <string>

constexpr int kWMTagCount = 12;
constexpr int kWMTagChars = 256;

#pragma pack(push, 2)
struct WM_TAG_BLOCK {
    wchar_t text[kWMTagCount][kWMTagChars];
    WORD end;
};
#pragma pack(pop)
static_assert(sizeof(WM_TAG_BLOCK) == 6146);

class WMTag {
public:
    WMTag();
    virtual ~WMTag() = default;

    void CopyTags(const void* block);  // a 6146-byte block
    void Assign(const WMTag& other);
    const wchar_t* Text(int index) const { return m_block.text[index]; }

    WM_TAG_BLOCK m_block;
};

// Empty when the runtime's entry table is bound; else string 178 naming "wmvcore.dll".
std::wstring CheckWMRuntime();
// The code and text of the binding's failure (for the start-up trace).
DWORD WMRuntimeErrorCode();
std::wstring WMRuntimeErrorText();
std::wstring GetWMRuntimeVersion();
void FormatWMError(std::wstring* out, const wchar_t* object, HRESULT code,
                   const wchar_t* function);
