// The audio output devices: the DirectShow audio renderers (without the wave-out renderer),
// named by their Core Audio endpoint where there is one. One process-wide list serves playback;
// names match without regard to case both in the combo box and in the lookups.
#pragma once

#include "player/core/DxAudioDev.h"

#include <memory>
#include <string>
#include <vector>

class DxAudioDevs {
public:
    DxAudioDevs() = default;
    virtual ~DxAudioDevs();
    DxAudioDevs(const DxAudioDevs&) = delete;
    DxAudioDevs& operator=(const DxAudioDevs&) = delete;

    void Enumerate();
    void Clear();
    void FillComboBox(HWND combo, const wchar_t* name) const;
    // The first device for an empty name; null (traced) when there is none of that name.
    const DxAudioDev* Find(const wchar_t* name) const;
    std::wstring Dump() const;

    // The list takes the record (tests inject devices this way).
    void Add(DxAudioDev* device);
    int Count() const { return static_cast<int>(m_devices.size()); }
    const DxAudioDev& Device(int index) const { return *m_devices[index]; }
    int Category() const { return m_category; }
    void SetCategory(int category) { m_category = category; }

private:
    void ReadEndpointNames();

    int m_category = -1;
    std::vector<std::unique_ptr<DxAudioDev>> m_devices;
};

DxAudioDevs& PlayDevices();
IMoniker* GetPlayDeviceMoniker(const wchar_t* name);
IBaseFilter* GetPlayDeviceFilter(const wchar_t* name);
std::wstring DumpPlayDevices();
BOOL IsShellViewModeCommand(UINT command);
