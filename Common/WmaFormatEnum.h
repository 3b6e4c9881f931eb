// A walk over every audio format that the installed Windows Media audio codecs offer, under
// each combination of the codecs' variable-bit-rate and passes settings, optionally limited to
// one media subtype.
#pragma once

#include <windows.h>
#include <wmsdkidl.h>

#include "platform/base/CComPtr.h"

// One format of the walk; owned by the caller, which frees it with Clear.
struct WmaFormatEntry {
    DWORD codecIndex = 0;
    DWORD formatIndex = 0;
    DWORD passes = 0;
    BOOL variableBitRate = FALSE;
    WM_MEDIA_TYPE* mediaType = nullptr;  // block from GetMediaTypeBlob
    WAVEFORMATEX* waveFormat = nullptr;  // points into mediaType's block
    CComPtr<IWMStreamConfig> streamConfig;

    WmaFormatEntry() = default;
    ~WmaFormatEntry() { Clear(); }
    WmaFormatEntry(const WmaFormatEntry&) = delete;
    WmaFormatEntry& operator=(const WmaFormatEntry&) = delete;
    void Clear();
};

class WmaFormatEnum {
public:
    WmaFormatEnum() = default;
    ~WmaFormatEnum();
    WmaFormatEnum(const WmaFormatEnum&) = delete;
    WmaFormatEnum& operator=(const WmaFormatEnum&) = delete;

    // Starts a walk (NULL filter: every subtype); IsReady tells whether it could start.
    void Init(const GUID* subtypeFilter);
    // The same walk over the given codec information instead of the runtime's.
    void InitWith(IWMCodecInfo3* info, const GUID* subtypeFilter);
    // The next format into entry; FALSE at the end of the walk.
    BOOL Next(WmaFormatEntry& entry);
    BOOL IsReady() const { return m_ready; }
    IWMCodecInfo3* CodecInfo() const { return m_info; }

private:
    void SkipCodecFormats();
    void Restart(const GUID* subtypeFilter);

    CComPtr<IWMCodecInfo3> m_info;
    BOOL m_ready = FALSE;
    const GUID* m_filter = nullptr;
    DWORD m_codecCount = 0;
    DWORD m_codecIndex = static_cast<DWORD>(-1);
    DWORD m_vbr = 1;
    BOOL m_vbrFailed = FALSE;
    DWORD m_passes = 2;
    BOOL m_passesFailed = FALSE;
    DWORD m_formatCount = 0;
    DWORD m_formatIndex = static_cast<DWORD>(-1);
};
