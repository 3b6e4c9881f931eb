// The player's holder of one engine format record (the audio format, or that of one video
// stream): created on demand, loaded from format text or a media stream's properties, with a
// copy of the record's display description; the record goes back to the engine with the
// holder. Every load refreshes the description copy, so it always shows what the engine
// reports for the record's last load.
#pragma once

#include "Common/QVRInterfaces.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"

#include <string>

template <class FormatRecord>
class EngineFormatHolder {
public:
    virtual ~EngineFormatHolder() { Release(); }
    EngineFormatHolder(const EngineFormatHolder&) = delete;
    EngineFormatHolder& operator=(const EngineFormatHolder&) = delete;

    // Null gives the record back; the description keeps its last content.
    void SetText(const wchar_t* text)
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

    void SetFromMediaProps(IUnknown* streamProperties)
    {
        if (EnsureRecord()) {
            m_record->SetFromMediaProps(streamProperties);
            m_record->GetDescription(&m_description[0][0]);
        }
    }

    // "long name; parameters"
    std::wstring GetDescriptionText() const
    {
        return FormatNewString(L"%s; %s", m_description[0], m_description[2]);
    }

    const wchar_t* Description(int index) const { return m_description[index]; }
    FormatRecord* Record() const { return m_record; }

protected:
    using CreateRecord = FormatRecord* (IQVRVideo::*)();
    using FreeRecord = void (IQVRVideo::*)(FormatRecord*);

    EngineFormatHolder(IQVRVideo* engine, CreateRecord create, FreeRecord free)
        : m_engine(engine), m_create(create), m_free(free)
    {
    }

private:
    bool EnsureRecord()
    {
        if (!m_record && m_engine) {
            m_record = (m_engine->*m_create)();
        }
        return m_record != nullptr;
    }

    void Release()
    {
        if (m_record && m_engine) {
            (m_engine->*m_free)(m_record);
        }
        m_record = nullptr;
    }

    wchar_t m_description[4][QVR_FORMAT_DESCRIPTION_CHARS] = {};
    FormatRecord* m_record = nullptr;
    IQVRVideo* m_engine;
    CreateRecord m_create;
    FreeRecord m_free;
};
