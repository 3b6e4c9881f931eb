// Video format holder (camera or screen). Every load refreshes the description copy, so it
// always shows what the engine reports for the record's last load.
#include "VideoVidFmt.h"

#include "SupportStrings.h"
#include "VideoLibrary.h"

VideoVidFmt::VideoVidFmt(IQVRVideo* engine) : m_engine(engine ? engine : VideoEngine()) {}

VideoVidFmt::~VideoVidFmt() { Release(); }

bool VideoVidFmt::EnsureRecord()
{
    if (!m_record && m_engine) {
        m_record = m_engine->CreateVideoFormat();
    }
    return m_record != nullptr;
}

void VideoVidFmt::Release()
{
    if (m_record && m_engine) {
        m_engine->ReleaseVideoFormat(m_record);
    }
    m_record = nullptr;
}

void VideoVidFmt::SetText(const wchar_t* text)
{
    if (!text) {
        Release();
        return;
    }
    if (EnsureRecord()) {
        m_record->SetText(text);
        m_record->GetDescription(&m_description[0][0]);
    }
}

void VideoVidFmt::SetFromMediaProps(IUnknown* streamProperties)
{
    if (EnsureRecord()) {
        m_record->SetFromMediaProps(streamProperties);
        m_record->GetDescription(&m_description[0][0]);
    }
}

std::wstring VideoVidFmt::GetDescriptionText() const
{
    return FormatNewString(L"%s; %s", m_description[0], m_description[2]);
}
