// Runtime check, version text, Windows Media error texts and the metadata tag holder.
#include "player/core/WMTag.h"

#include "WinNT_SP/Include_VS2005/ErrInfo.h"
#include "WinNT_SP/Include_VS2005/ui/ModuleVerInfo.h"
#include "player/core/PlayerResource.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"
#include "WinNT_SP/Include_VS2005/SystemErrorText.h"
#include "WinNT_SP/Include_VS2005/WMRuntimeTable.h"

#include <cstring>

WMTag::WMTag() { memset(&m_block, 0, sizeof m_block); }

void WMTag::CopyTags(const void* block)
{
    if (block) {
        memcpy(&m_block, block, sizeof m_block);
    }
}

void WMTag::Assign(const WMTag& other) { memcpy(&m_block, &other.m_block, sizeof m_block); }

DWORD WMRuntimeErrorCode() { return WMRuntimeError().code; }

std::wstring WMRuntimeErrorText() { return WMRuntimeError().text; }

std::wstring CheckWMRuntime()
{
    if (LoadWMRuntime()) {
        return L"";
    }
    return FormatResString(IDS_DLL_LOAD, kWMRuntimeLibrary,
                           static_cast<unsigned long>(WMRuntimeErrorCode()),
                           WMRuntimeErrorText().c_str());
}

std::wstring GetWMRuntimeVersion()
{
    CModuleVerInfo info;
    info.LoadWmvcore();
    const wchar_t* text = info.m_texts[CModuleVerInfo::kFileVersion];
    return text ? text : L"";
}

void FormatWMError(std::wstring* out, const wchar_t* object, HRESULT code,
                   const wchar_t* function)
{
    ERR_INFO info;
    ClearErrInfo(&info);
    SetErrInfo(&info, static_cast<DWORD>(code), function, object, ORV_SRCFILE, __LINE__, 0,
               nullptr);
    if (out) {
        *out = GetErrInfoText(info);
    }
}
