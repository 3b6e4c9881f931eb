// The format record of a presentation's camera or screen video stream, handed to the player
// as IQVRVideoFormat.
#pragma once

#include "video/FormatRecordCore.h"
#include "Common/QVRInterfaces.h"

class CQVRVideoFormat : public IQVRVideoFormat {
public:
    CQVRVideoFormat() : m_core(FormatRecordCore::kVideo) {}
    ~CQVRVideoFormat() = default;
    CQVRVideoFormat(const CQVRVideoFormat&) = delete;
    CQVRVideoFormat& operator=(const CQVRVideoFormat&) = delete;

    const wchar_t* GetText() override;
    void SetFromMediaProps(IUnknown* streamObject) override;
    void SetText(const wchar_t* text) override;
    void GetDescription(wchar_t* block) override;
    double GetFrameRate() override;
    void GetFrameSize(int* width, int* height) override;

    // Sets the record from the media type that a graph connected; error text or empty.
    std::wstring SetMediaType(const AM_MEDIA_TYPE& type) { return m_core.SetMediaType(type); }
    const FormatRecordCore& Core() const { return m_core; }

private:
    FormatRecordCore m_core;
};
