// Audio format holder. Every load refreshes the description copy, so it always shows what
// the engine reports for the record's last load.
#include "VideoAudFmt.h"

#include "SupportStrings.h"
#include "VideoLibrary.h"

VideoAudFmt::VideoAudFmt(IQVRVideo* engine) : m_engine(engine ? engine : VideoEngine()) {}

VideoAudFmt::~VideoAudFmt() { Release(); }

bool VideoAudFmt::EnsureRecord()
{
    if (!m_record && m_engine) {
        m_record = m_engine->CreateAudioFormat();
    }
    return m_record != nullptr;
}

void VideoAudFmt::Release()
{
    if (m_record && m_engine) {
        m_engine->ReleaseAudioFormat(m_record);
    }
    m_record = nullptr;
}

void VideoAudFmt::SetText(const wchar_t* text)
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

void VideoAudFmt::SetFromMediaProps(IUnknown* streamProperties)
{
    if (EnsureRecord()) {
        m_record->SetFromMediaProps(streamProperties);
        m_record->GetDescription(&m_description[0][0]);
    }
}

std::wstring VideoAudFmt::GetDescriptionText() const
{
    return FormatNewString(L"%s; %s", m_description[0], m_description[2]);
}
