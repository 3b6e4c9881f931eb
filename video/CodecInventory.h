// The engine's lists of the installed Windows Media codecs: video codecs with names, codes,
// descriptions and complexity levels, and the single-pass formats of two audio codecs with
// their descriptions. Built on first access and kept until the owner goes.
#pragma once

#include <windows.h>
#include <wmsdkidl.h>

#include "platform/base/CComPtr.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct VideoCodecEntry {
    int32_t index = -1;
    uint32_t code = 0;
    std::wstring name;
    std::wstring codeText;
    std::wstring description;
    int32_t complexityMax = 0;
    int32_t complexityLive = 0;
    int32_t complexityOffline = 0;
};

struct AudioFormatEntry {
    std::wstring description;
    int32_t codecIndex = 0;
    int32_t formatIndex = 0;
    int32_t passes = 1;
    int32_t vbr = 0;
    AM_MEDIA_TYPE* mediaType = nullptr;  // one block (array new) with its format behind it
    const WAVEFORMATEX* waveFormat = nullptr;
    CComPtr<IWMStreamConfig> streamConfig;

    AudioFormatEntry() = default;
    ~AudioFormatEntry();
    AudioFormatEntry(const AudioFormatEntry&) = delete;
    AudioFormatEntry& operator=(const AudioFormatEntry&) = delete;
};

struct AudioCodecEntry {
    uint16_t formatTag = 0;
    std::wstring longName;
    std::wstring shortName;
    std::vector<std::unique_ptr<AudioFormatEntry>> formats;
};

class CodecInventory {
public:
    CodecInventory() = default;
    ~CodecInventory();
    CodecInventory(const CodecInventory&) = delete;
    CodecInventory& operator=(const CodecInventory&) = delete;

    int GetVideoCodecCount();
    const VideoCodecEntry* GetVideoCodec(int index);
    int GetAudioCodecCount();
    const AudioCodecEntry* GetAudioCodec(int index);

    void BuildVideoCodecList();
    void BuildAudioCodecList();

    // Codec information to read instead of the runtime's (one reference held); NULL: the
    // runtime's.
    void UseCodecInfo(IWMCodecInfo3* info);

    // Entries placed by their owner (tests describe machines with known codecs this way).
    void AddVideoCodec(std::unique_ptr<VideoCodecEntry> entry);
    void AddAudioCodec(std::unique_ptr<AudioCodecEntry> entry);

    // The description of a video codec's compression code; empty for codes without one.
    static std::wstring DescriptionOfCode(const std::wstring& codeText);
    static bool IsExcludedCode(const std::wstring& codeText);

private:
    CComPtr<IWMCodecInfo3> m_source;
    std::vector<std::unique_ptr<VideoCodecEntry>> m_video;
    std::vector<std::unique_ptr<AudioCodecEntry>> m_audio;
};

// The engine-wide inventory (owned by the engine object; NULL while there is none) and the
// four accessors that the format texts use.
void SetEngineCodecInventory(CodecInventory* inventory);
CodecInventory* GetEngineCodecInventory();
int GetVideoCodecCount();
const VideoCodecEntry* GetVideoCodec(int index);
int GetAudioCodecCount();
const AudioCodecEntry* GetAudioCodec(int index);
