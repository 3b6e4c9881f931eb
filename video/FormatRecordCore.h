// The state and algorithms that the audio and the video format record share: the format as a
// media type, as a descriptor text in the typed-value form, and as four display texts, kept in
// agreement; a descriptor that cannot be read gives way to the record's default format.
#pragma once

#include "platform/dshow/CMediaType.h"

#include <windows.h>

#include <string>

class FormatRecordCore {
public:
    enum Kind { kAudio, kVideo };
    static constexpr int kTextChars = 256;

    explicit FormatRecordCore(Kind kind);

    const wchar_t* GetText() const { return m_descriptor.c_str(); }
    void SetText(const wchar_t* text);
    void SetFromMediaProps(IUnknown* streamObject);
    void GetDescription(wchar_t* block);
    std::wstring SetMediaType(const AM_MEDIA_TYPE& type);

    // Makes the record valid (reading the descriptor or installing the default); logs what
    // went wrong. Used by every getter.
    void EnsureValidLogged();
    std::wstring EnsureValid();
    std::wstring UnpackFromString();
    std::wstring SetDefault();
    std::wstring RebuildTexts();

    const CMediaType& MediaType() const { return m_type; }
    BOOL IsValid() const { return m_valid; }
    const wchar_t* DescriptionText(int index) const { return m_description[index]; }

private:
    std::wstring Check(const AM_MEDIA_TYPE& type) const;
    const wchar_t* VersionKey() const;

    Kind m_kind;
    std::wstring m_descriptor;
    BOOL m_valid = FALSE;
    CMediaType m_type;
    wchar_t m_description[4][kTextChars] = {};
};
