// The player's holder of one engine video format record (camera or screen): created on
// demand, loaded from format text or a media stream's properties, with a copy of the record's
// display description; the record goes back to the engine with the holder.
#pragma once

#include "QVRInterfaces.h"

#include <string>

class VideoVidFmt {
public:
    // The engine that creates and frees the record (the program's engine by default).
    explicit VideoVidFmt(IQVRVideo* engine = nullptr);
    virtual ~VideoVidFmt();
    VideoVidFmt(const VideoVidFmt&) = delete;
    VideoVidFmt& operator=(const VideoVidFmt&) = delete;

    // Null gives the record back; the description keeps its last content.
    void SetText(const wchar_t* text);
    void SetFromMediaProps(IUnknown* streamProperties);
    std::wstring GetDescriptionText() const;  // "long name; parameters"

    const wchar_t* Description(int index) const { return m_description[index]; }
    IQVRVideoFormat* Record() const { return m_record; }

private:
    bool EnsureRecord();
    void Release();

    wchar_t m_description[4][QVR_FORMAT_DESCRIPTION_CHARS] = {};
    IQVRVideoFormat* m_record = nullptr;
    IQVRVideo* m_engine;
};
