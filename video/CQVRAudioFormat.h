// The format record of a presentation's audio stream, handed to the player as IQVRAudioFormat.
#pragma once

#include "video/FormatRecordCore.h"
#include "Common/QVRInterfaces.h"

class CQVRAudioFormat : public IQVRAudioFormat {
public:
    CQVRAudioFormat() : m_core(FormatRecordCore::kAudio) {}
    ~CQVRAudioFormat() = default;
    CQVRAudioFormat(const CQVRAudioFormat&) = delete;
    CQVRAudioFormat& operator=(const CQVRAudioFormat&) = delete;

    const wchar_t* GetText() override;
    void SetFromMediaProps(IUnknown* streamObject) override;
    void SetText(const wchar_t* text) override;
    void GetDescription(wchar_t* block) override;
    DWORD GetSamplesPerSec() override;
    DWORD GetAvgBytesPerSec() override;
    DWORD GetChannels() override;

    // Sets the record from the media type that a graph connected; error text or empty.
    std::wstring SetMediaType(const AM_MEDIA_TYPE& type) { return m_core.SetMediaType(type); }
    const FormatRecordCore& Core() const { return m_core; }

private:
    const WAVEFORMATEX* ValidWaveFormat();

    FormatRecordCore m_core;
};
