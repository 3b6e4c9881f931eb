// A small open presentation for the interim frame: one engine reader over the file, read
// through two independent handles, with the durations, play, pause, resume and stop.
#pragma once

#include "PlayerState.h"
#include "QVRInterfaces.h"
#include "WMTag.h"

#include <string>

class InterimPresentation final : public IOpenPresentation {
public:
    InterimPresentation() = default;
    ~InterimPresentation() override;
    InterimPresentation(const InterimPresentation&) = delete;
    InterimPresentation& operator=(const InterimPresentation&) = delete;

    // Error text, empty on success.
    std::wstring Open(const std::wstring& path);
    std::wstring Play(double speed);
    std::wstring Pause();
    std::wstring Resume();
    std::wstring Stop(double* position);

    double GetDuration() override { return m_duration; }
    std::wstring GetFilePath() override { return m_path; }
    BOOL HasVideo() override { return m_hasVideo; }
    const WMTag& Tags() const { return m_tags; }

    struct FileAccess {
        HANDLE file = INVALID_HANDLE_VALUE;
    };

private:
    std::wstring m_path;
    IQVRVideoReader* m_reader = nullptr;
    FileAccess m_main;
    FileAccess m_scan;
    double m_duration = 0;
    BOOL m_hasVideo = FALSE;
    WMTag m_tags;
};
